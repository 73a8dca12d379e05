// The standard controls of the toolkit in real windows, driven by real input (the
// pointer and the keyboard of the session's virtual desktop): the events each raises
// and in which order, the dialog keys, tab order, the pictures and looks on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "app/resource.h"
#include "controls/EditHex.h"
#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ConfirmBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Hints.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureButton.h"
#include "toolkit/Timer.h"

using namespace tessora;
using namespace tessora::ctltest;

namespace {

constexpr COLORREF kRed = RGB(224, 0, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kDarkGrey = RGB(128, 128, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Runs `script` once the modal loop of `form` runs, and returns the modal result. A
// script that leaves the form open ends it with -1 after a while, so a fault fails the
// test instead of hanging it.
int RunModal(tk::Form& form, const std::function<void()>& script) {
  tk::Timer timer(nullptr);
  timer.SetInterval(30);
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    PumpUntil([&] { return IsWindowVisible(form.Handle()) && GetForegroundWindow() == form.Handle(); }, 2000);
    script();
    if (!PumpUntil([&] { return !form.Modal() || form.ModalResult() != tk::mrNone; }, 2000)) form.SetModalResult(-1);
  };
  return form.ShowModal();
}

class ControlsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  void SetUp() override {
    form_.Border = tk::BorderStyle::Dialog;
    form_.DialogKeys = true;
    form_.SetCaption(L"コントロール");
    form_.SetBounds(220, 160, 400, 280);
    form_.SetFont(font_);
  }

  void TearDown() override {
    LeftButton(false);
    PumpFor(20);
  }

  template <class T>
  T* Add(tk::WinControl* parent, int left, int top, int width, int height) {
    auto* c = new T(&form_);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }

  tk::Button* AddButton(tk::WinControl* parent, const wchar_t* caption, int left, int top) {
    auto* b = Add<tk::Button>(parent, left, top, 75, 25);
    b->SetCaption(caption);
    return b;
  }

  TEditHex* AddEdit(tk::WinControl* parent, int left, int top) {
    auto* e = Add<TEditHex>(parent, left, top, 60, 20);
    e->SetText("60");
    e->SetNumeralOnly(true);
    e->SetNumericType(TNumericalType::Decimal);
    return e;
  }

  void ShowForm() {
    form_.FinishLoading();
    form_.Show();
    ASSERT_TRUE(BringToFront(form_.Handle()));
  }

  // Moves the focus by Tab until it lands on `wnd` (or a part of it); false when it does not.
  static bool FocusLands(HWND wnd) { return PumpUntil([&] { return FocusIn(wnd); }, 2000); }

  tk::FontRef font_ = tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  tk::Form form_{nullptr};
};

// ---- buttons

TEST_F(ControlsTest, ButtonClicksSetTheModalResultBeforeOnClick) {
  tk::Button* ok = AddButton(&form_, L"O K", 20, 200);
  ok->SetModalResult(tk::mrOk);
  tk::Button* other = AddButton(&form_, L"他(&T)", 110, 200);
  std::vector<std::string> events;
  ok->OnClick = [&] { events.push_back("ok, result " + std::to_string(form_.ModalResult())); };
  other->OnClick = [&] { events.push_back("other"); };
  form_.FinishLoading();
  struct Case {
    const char* how;
    std::function<void()> press;
  };
  const Case cases[] = {
      {"mouse click", [&] { EXPECT_TRUE(ClickCentre(ok->Handle())); }},
      {"Space on the focused button",
       [&] {
         ok->SetFocus();
         Press(VK_SPACE);
       }},
      {"Enter on the focused button",
       [&] {
         ok->SetFocus();
         Press(VK_RETURN);
       }},
  };
  for (const Case& c : cases) {
    events.clear();
    EXPECT_EQ(RunModal(form_, c.press), tk::mrOk) << c.how;
    EXPECT_EQ(events, std::vector<std::string>{"ok, result 1"}) << c.how;
  }
  // A button without a modal result leaves the form open; Alt and its & letter press it.
  events.clear();
  EXPECT_EQ(RunModal(form_,
                     [&] {
                       Chord({VK_MENU}, 'T');
                       PumpUntil([&] { return !events.empty(); }, 2000);
                       EXPECT_TRUE(form_.Modal());
                       form_.SetModalResult(tk::mrAbort);
                     }),
            tk::mrAbort);
  EXPECT_EQ(events, std::vector<std::string>{"other"});
}

TEST_F(ControlsTest, EnterPressesTheDefaultButtonFromEditFieldsAndAFocusedButtonItself) {
  TEditHex* edit = AddEdit(&form_, 20, 20);
  auto* combo = Add<tk::ComboBox>(&form_, 20, 60, 150, 20);
  combo->AddItem(L"一つ目");
  combo->AddItem(L"二つ目");
  tk::Button* ok = AddButton(&form_, L"O K", 20, 200);
  ok->SetDefault(true);
  tk::Button* other = AddButton(&form_, L"他", 110, 200);
  std::vector<std::string> clicks;
  ok->OnClick = [&] { clicks.push_back("ok"); };
  other->OnClick = [&] { clicks.push_back("other"); };
  int selects = 0;
  combo->OnSelect = [&] { ++selects; };
  ShowForm();
  struct Case {
    const char* focus;
    tk::WinControl* control;
    const char* pressed;
  };
  const Case cases[] = {
      {"numeric edit", edit, "ok"},
      {"combo box's edit field", combo, "ok"},
      {"other button", other, "other"},
      {"default button", ok, "ok"},
  };
  for (const Case& c : cases) {
    clicks.clear();
    c.control->SetFocus();
    ASSERT_TRUE(FocusLands(c.control->Handle())) << c.focus;
    Press(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !clicks.empty(); }, 2000)) << c.focus;
    PumpFor(50);
    EXPECT_EQ(clicks, std::vector<std::string>{c.pressed}) << "Enter with the focus on the " << c.focus;
    EXPECT_EQ(edit->WindowText(), "60");
  }
  // With the combo box's list open, Enter takes the highlighted item and closes the list.
  clicks.clear();
  combo->SetFocus();
  Press(VK_F4);
  ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }, 2000));
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }, 2000));
  PumpFor(100);
  EXPECT_TRUE(clicks.empty()) << "the open list takes Enter";
  EXPECT_EQ(combo->Text(), L"一つ目");
  EXPECT_GE(selects, 1);
}

TEST_F(ControlsTest, TheDefaultLookFollowsTheButtonThatEnterPresses) {
  TEditHex* edit = AddEdit(&form_, 20, 20);
  tk::Button* ok = AddButton(&form_, L"O K", 20, 200);
  ok->SetDefault(true);
  tk::Button* other = AddButton(&form_, L"他", 110, 200);
  auto* picture = Add<tk::PictureButton>(&form_, 200, 200, 24, 24);
  picture->SetPicture(IDB_ADDITEM);
  // References that never take the focus: how a button looks when Enter does not press it.
  tk::Button* plain = AddButton(&form_, L"参照", 110, 160);
  plain->SetTabStop(false);
  auto* plainPicture = Add<tk::PictureButton>(&form_, 230, 200, 24, 24);
  plainPicture->SetPicture(IDB_ADDITEM);
  plainPicture->SetTabStop(false);
  ShowForm();
  // The default look (a dark frame, or the theme's default state) shows on the edge.
  const auto edge = [](tk::WinControl* b) {
    const tk::Bitmap shot = Capture(b->Handle());
    return std::vector<COLORREF>{shot.Pixel(0, shot.Height() / 2), shot.Pixel(shot.Width() / 2, 0),
                                 shot.Pixel(shot.Width() - 1, shot.Height() / 2)};
  };
  const auto looksDefault = [&](tk::WinControl* b) {
    return edge(b) != edge(dynamic_cast<tk::PictureButton*>(b) ? static_cast<tk::WinControl*>(plainPicture) : plain);
  };
  struct Step {
    const char* focus;
    tk::WinControl* control;
    bool okLook, otherLook, pictureLook;
  };
  const Step steps[] = {
      {"edit", edit, true, false, false},
      {"other button", other, false, true, false},
      {"picture button", picture, false, false, true},
      {"edit again", edit, true, false, false},
      {"default button", ok, true, false, false},
  };
  for (const Step& s : steps) {
    s.control->SetFocus();
    ASSERT_TRUE(FocusLands(s.control->Handle())) << s.focus;
    PumpFor(50);
    EXPECT_EQ(looksDefault(ok), s.okLook) << "focus on the " << s.focus;
    EXPECT_EQ(looksDefault(other), s.otherLook) << "focus on the " << s.focus;
    EXPECT_EQ(looksDefault(picture), s.pictureLook) << "focus on the " << s.focus;
  }
  EXPECT_EQ(GetWindowLongPtrW(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtrW(picture->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
      << "the dialog keys never turn the picture button into a plain one";
}

TEST_F(ControlsTest, EscapePressesOnlyACancelButtonAndClosingEndsTheFormWithCancel) {
  tk::Button* ok = AddButton(&form_, L"O K", 20, 200);
  ok->SetDefault(true);
  ok->SetModalResult(tk::mrOk);
  tk::Button* cancel = AddButton(&form_, L"Cancel", 110, 200);
  cancel->SetModalResult(tk::mrCancel);
  TEditHex* edit = AddEdit(&form_, 20, 20);
  std::vector<std::string> clicks;
  ok->OnClick = [&] { clicks.push_back("ok"); };
  cancel->OnClick = [&] { clicks.push_back("cancel"); };
  form_.FinishLoading();
  const auto escapeDoesNothing = [&] {
    edit->SetFocus();
    Press(VK_ESCAPE);
    PumpFor(300);
    EXPECT_TRUE(form_.Modal() && form_.ModalResult() == tk::mrNone) << "no button is bound to Escape";
  };
  struct Case {
    const char* how;
    bool cancelBound;
    std::function<void()> close;
    std::vector<std::string> clicks;
  };
  const Case cases[] = {
      {"close box",
       false,
       [&] {
         escapeDoesNothing();
         POINT p;
         ASSERT_TRUE(CloseBoxPoint(form_.Handle(), p));
         ASSERT_TRUE(ClickCloseBox(p));
       },
       {}},
      {"Alt+F4",
       false,
       [&] {
         escapeDoesNothing();
         Chord({VK_MENU}, VK_F4);
       },
       {}},
      {"system close command",
       false,
       [&] {
         escapeDoesNothing();
         PostMessageW(form_.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
       },
       {}},
      {"Escape with a cancel button",
       true,
       [&] {
         edit->SetFocus();
         Press(VK_ESCAPE);
       },
       {"cancel"}},
  };
  for (const Case& c : cases) {
    clicks.clear();
    cancel->SetCancel(c.cancelBound);
    EXPECT_EQ(RunModal(form_, c.close), tk::mrCancel) << c.how;
    EXPECT_EQ(clicks, c.clicks) << c.how;
  }
}

TEST_F(ControlsTest, FocusStartsAtTheFirstControlInTabOrderAndTabFollowsItAcrossAGroupBox) {
  // Made in one order, then given another tab order, as a form's stored values do.
  tk::Button* a = AddButton(&form_, L"A", 20, 200);
  auto* group = Add<tk::GroupBox>(&form_, 200, 10, 180, 120);
  group->SetCaption(L"グループ");
  auto* check = Add<tk::CheckBox>(group, 14, 22, 120, 17);
  check->SetCaption(L"チェック");
  auto* combo = Add<tk::ComboBox>(group, 14, 60, 120, 20);
  tk::Button* b = AddButton(&form_, L"B", 110, 200);
  TEditHex* edit = AddEdit(&form_, 20, 20);
  auto* bevel = Add<tk::Bevel>(&form_, 10, 150, 100, 30);
  (void)bevel;
  edit->SetTabOrder(0);
  group->SetTabOrder(1);
  b->SetTabOrder(2);
  a->SetTabOrder(3);
  combo->SetTabOrder(0);
  check->SetTabOrder(1);
  EXPECT_EQ(a->TabOrder(), 3);
  EXPECT_EQ(check->TabOrder(), 1);
  ShowForm();
  EXPECT_TRUE(FocusLands(edit->Handle())) << "the form opens with the focus on its first control";
  const std::vector<tk::WinControl*> forward = {combo, check, b, a, edit};
  for (tk::WinControl* next : forward) {
    Press(VK_TAB);
    EXPECT_TRUE(FocusLands(next->Handle())) << "Tab to tab position of " << next->TabOrder();
  }
  const std::vector<tk::WinControl*> backward = {a, b, check, combo, edit};
  for (tk::WinControl* next : backward) {
    Chord({VK_SHIFT}, VK_TAB);
    EXPECT_TRUE(FocusLands(next->Handle())) << "Shift+Tab to tab position of " << next->TabOrder();
  }
  // A modal form opens with the focus on its first control in tab order too.
  tk::Form dialog(nullptr);
  dialog.Border = tk::BorderStyle::Dialog;
  dialog.DialogKeys = true;
  dialog.SetBounds(260, 200, 240, 120);
  auto* later = new tk::Button(&dialog);
  later->SetParent(&dialog);
  later->SetBounds(10, 60, 75, 25);
  auto* first = new tk::CheckBox(&dialog);
  first->SetParent(&dialog);
  first->SetBounds(10, 10, 120, 17);
  first->SetTabOrder(0);
  dialog.FinishLoading();
  bool startedThere = false;
  EXPECT_EQ(RunModal(dialog,
                     [&] {
                       startedThere = FocusLands(first->Handle());
                       dialog.SetModalResult(tk::mrOk);
                     }),
            tk::mrOk);
  EXPECT_TRUE(startedThere);
}

TEST_F(ControlsTest, ContainersHandTheirChildrensNotificationsToTheChildren) {
  auto* group = Add<tk::GroupBox>(&form_, 10, 10, 200, 150);
  group->SetCaption(L"起動オプション");
  tk::Button* inGroup = AddButton(group, L"G", 10, 20);
  auto* check = Add<tk::CheckBox>(group, 10, 55, 120, 17);
  check->SetCaption(L"ランダム起動");
  auto* list = Add<tk::ComboBox>(group, 10, 80, 100, 20);
  list->SetStyle(tk::ComboStyle::DropDownList);
  for (const wchar_t* w : {L"低", L"低め", L"標準"}) list->AddItem(w);
  auto* panel = Add<tk::Panel>(group, 110, 100, 80, 40);
  tk::Button* inPanel = AddButton(panel, L"P", 5, 8);
  inPanel->SetWidth(60);
  std::vector<std::string> events;
  inGroup->OnClick = [&] { events.push_back("group button"); };
  check->OnClick = [&] { events.push_back(check->Checked() ? "checked" : "unchecked"); };
  list->OnSelect = [&] { events.push_back("select " + std::to_string(list->ItemIndex())); };
  inPanel->OnClick = [&] { events.push_back("panel button"); };
  ShowForm();
  EXPECT_TRUE(ClickCentre(inGroup->Handle()));
  EXPECT_TRUE(ClickAt(check->Handle(), 6, 8));
  list->SetFocus();
  Press(VK_DOWN);
  EXPECT_TRUE(ClickCentre(inPanel->Handle()));
  PumpUntil([&] { return events.size() >= 4; }, 2000);
  EXPECT_EQ(events, (std::vector<std::string>{"group button", "checked", "select 0", "panel button"}));
}

// ---- check box and combo box

TEST_F(ControlsTest, CheckBoxTogglesByClickAndSpaceButNotWhileDisabled) {
  auto* check = Add<tk::CheckBox>(&form_, 20, 20, 120, 17);
  check->SetCaption(L"単色背景");
  check->SetChecked(true);
  int clicks = 0;
  check->OnClick = [&] { ++clicks; };
  ShowForm();
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(clicks, 0) << "setting the state raises no event";
  struct Step {
    const char* how;
    std::function<void()> act;
    bool checked;
    int clicks;
  };
  const Step steps[] = {
      {"click", [&] { ClickAt(check->Handle(), 6, 8); }, false, 1},
      {"Space",
       [&] {
         check->SetFocus();
         Press(VK_SPACE);
       },
       true, 2},
      {"click while disabled",
       [&] {
         check->SetEnabled(false);
         ClickAt(check->Handle(), 6, 8);
         Press(VK_SPACE);
       },
       true, 2},
      {"click once enabled again",
       [&] {
         check->SetEnabled(true);
         ClickAt(check->Handle(), 6, 8);
       },
       false, 3},
      {"set by the program", [&] { check->SetChecked(true); }, true, 3},
  };
  for (const Step& s : steps) {
    s.act();
    PumpUntil([&] { return clicks == s.clicks && check->Checked() == s.checked; }, 1000);
    EXPECT_EQ(check->Checked(), s.checked) << s.how;
    EXPECT_EQ(clicks, s.clicks) << s.how;
  }
}

TEST_F(ControlsTest, ComboBoxWithEditFieldSelectsOnlyByTheListOrTheArrowKeys) {
  auto* combo = Add<tk::ComboBox>(&form_, 20, 20, 181, 20);
  for (const wchar_t* name : {L"alpha", L"beta", L"ガンマ"}) combo->AddItem(name);
  std::vector<std::wstring> events;
  combo->OnSelect = [&] { events.push_back(L"select " + std::to_wstring(combo->ItemIndex()) + L" " + combo->Text()); };
  combo->OnChange = [&] { events.push_back(L"change " + combo->Text()); };
  ShowForm();
  RECT r;
  GetWindowRect(combo->Handle(), &r);
  EXPECT_EQ(r.bottom - r.top, 20) << "the closed box keeps the height it was given";

  combo->SetFocus();
  TypeKeys("b");
  PumpUntil([&] { return !events.empty(); }, 1000);
  EXPECT_EQ(events, std::vector<std::wstring>{L"change b"}) << "typing raises no select event";
  EXPECT_EQ(combo->Text(), L"b") << "nothing completes the typed text";
  EXPECT_EQ(combo->ItemIndex(), -1);

  events.clear();
  Press(VK_DOWN);
  PumpUntil([&] { return !events.empty(); }, 1000);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().rfind(L"select ", 0), 0u) << "an arrow key selects";
  EXPECT_EQ(combo->Text(), combo->Item(combo->ItemIndex()));

  // The list: open it and click the third item.
  events.clear();
  Press(VK_F4);
  ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }, 2000));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
  RECT item;
  SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(ClickAt(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2));
  EXPECT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }, 2000));
  PumpFor(50);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), L"select 2 ガンマ");
  EXPECT_EQ(combo->Text(), L"ガンマ");

  // Set by the program: no events.
  events.clear();
  combo->SetItemIndex(0);
  combo->SetText(L"new name");
  PumpFor(50);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(combo->Text(), L"new name");
}

TEST_F(ControlsTest, DropDownListWithoutEditFieldSelectsWithTheArrowKeys) {
  auto* list = Add<tk::ComboBox>(&form_, 20, 20, 58, 20);
  list->SetStyle(tk::ComboStyle::DropDownList);
  for (const wchar_t* w : {L"低", L"低め", L"標準", L"高め", L"高"}) list->AddItem(w);
  list->SetItemIndex(2);
  std::vector<std::wstring> selects;
  list->OnSelect = [&] { selects.push_back(list->Text()); };
  ShowForm();
  EXPECT_EQ(list->Text(), L"標準");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(list->Handle(), &info));
  EXPECT_TRUE(info.hwndItem == nullptr || info.hwndItem == list->Handle()) << "no edit field";
  list->SetFocus();
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_UP);
  PumpUntil([&] { return selects.size() >= 3; }, 2000);
  EXPECT_EQ(selects, (std::vector<std::wstring>{L"高め", L"高", L"高め"}));
  EXPECT_EQ(list->ItemIndex(), 3);
}

// ---- picture buttons, panel, bevel

TEST_F(ControlsTest, PictureButtonTakesTheFocusAndShowsItsGreyPictureWhileDisabled) {
  TEditHex* edit = AddEdit(&form_, 20, 20);
  auto* clear = Add<tk::PictureButton>(&form_, 238, 190, 24, 24);
  clear->SetPicture(IDB_CLEARENTRIES);
  clear->SetDisabledPicture(IDB_CLEARENTRIES_GREY);
  auto* add = Add<tk::PictureButton>(&form_, 238, 53, 24, 24);
  add->SetPicture(IDB_ADDSET);
  // The same button without a picture: what the face shows where no picture is.
  auto* blank = Add<tk::PictureButton>(&form_, 270, 190, 24, 24);
  blank->SetTabStop(false);
  int clicks = 0;
  clear->OnClick = [&] { ++clicks; };
  ShowForm();

  struct Look {
    const char* state;
    bool enabled;
    int red, grey, darkGrey;  // how many pixels of each the picture adds, at least (-1: none)
  };
  const Look looks[] = {{"enabled", true, 40, -1, -1}, {"disabled", false, -1, 40, 20}, {"enabled again", true, 40, -1, -1}};
  for (const Look& l : looks) {
    clear->SetEnabled(l.enabled);
    blank->SetEnabled(l.enabled);
    PumpFor(50);
    const tk::Bitmap shot = Capture(clear->Handle());
    const tk::Bitmap face = Capture(blank->Handle());
    const auto check = [&](COLORREF colour, int atLeast, const char* name) {
      const int n = CountColour(shot, colour) - CountColour(face, colour);
      if (atLeast < 0) {
        EXPECT_EQ(n, 0) << name << " pixels while " << l.state;
      } else {
        EXPECT_GE(n, atLeast) << name << " pixels while " << l.state;
      }
    };
    check(kRed, l.red, "red");
    check(kGrey, l.grey, "grey");
    check(kDarkGrey, l.darkGrey, "dark grey");
    EXPECT_EQ(CountColour(shot, kMagenta), 0) << "the background colour is left out while " << l.state;
    EXPECT_EQ(shot.Pixel(4, 19), face.Pixel(4, 19)) << "the picture's bottom-left corner shows the face while " << l.state;
  }
  // Without a grey picture of its own it is drawn embossed: no colour of the picture stays.
  add->SetEnabled(false);
  PumpFor(50);
  const tk::Bitmap embossed = Capture(add->Handle());
  const tk::Bitmap disabledFace = Capture(blank->Handle());
  EXPECT_EQ(CountColour(embossed, kYellow), 0);
  EXPECT_GE(CountColour(embossed, GetSysColor(COLOR_BTNSHADOW)) - CountColour(disabledFace, GetSysColor(COLOR_BTNSHADOW)), 30);

  // Input: a click, then Space and Enter while it has the focus; nothing while disabled.
  EXPECT_TRUE(ClickCentre(clear->Handle()));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 1000));
  EXPECT_TRUE(FocusIn(clear->Handle())) << "a click focuses it";
  Press(VK_SPACE);
  Press(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 3; }, 1000));
  edit->SetFocus();
  Press(VK_TAB);
  EXPECT_TRUE(FocusLands(clear->Handle())) << "Tab stops at it";
  clear->SetEnabled(false);
  ClickCentre(clear->Handle());
  PumpFor(100);
  EXPECT_EQ(clicks, 3);
  // Quick clicks count as clicks, not as a double click.
  clear->SetEnabled(true);
  EXPECT_TRUE(ClickCentre(clear->Handle()));
  EXPECT_TRUE(ClickCentre(clear->Handle()));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 5; }, 1000));
}

TEST_F(ControlsTest, SpeedButtonNeverTakesTheFocusAndClicksOnlyWhenReleasedOverIt) {
  TEditHex* edit = AddEdit(&form_, 20, 20);
  auto* help = Add<tk::SpeedButton>(&form_, 276, 204, 23, 22);
  help->SetPicture(IDB_HELP);
  int clicks = 0;
  help->OnClick = [&] { ++clicks; };
  ShowForm();
  edit->SetFocus();
  HWND wnd = form_.Handle();

  const tk::Bitmap shot = Capture(wnd);
  int yellow = 0, magenta = 0;
  for (int y = 204; y < 226; ++y) {
    for (int x = 276; x < 299; ++x) {
      yellow += shot.Pixel(x, y) == kYellow;
      magenta += shot.Pixel(x, y) == kMagenta;
    }
  }
  EXPECT_GE(yellow, 30);
  EXPECT_EQ(magenta, 0);

  EXPECT_TRUE(ClickAt(wnd, 287, 215));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 1000));
  EXPECT_TRUE(FocusIn(edit->Handle())) << "the focus stays where it was";
  // Pressed, moved off and released there: no click.
  ASSERT_TRUE(numtest::PointAt(wnd, 287, 215));
  LeftButton(true);
  EXPECT_TRUE(PumpUntil([&] { return help->Pressed(); }, 1000));
  ASSERT_TRUE(numtest::PointAt(wnd, 200, 215));
  EXPECT_TRUE(PumpUntil([&] { return !help->Pressed(); }, 1000)) << "drawn raised while the pointer is off it";
  LeftButton(false);
  PumpFor(100);
  EXPECT_EQ(clicks, 1);
  help->SetEnabled(false);
  ClickAt(wnd, 287, 215);
  PumpFor(100);
  EXPECT_EQ(clicks, 1) << "no click while disabled";
}

TEST_F(ControlsTest, PanelPaintsItsBevelsAndLabelsAndClicksAsATabStop) {
  auto* frame = Add<tk::Panel>(&form_, 20, 20, 169, 41);
  frame->SetBevelOuter(tk::BevelCut::Raised);
  frame->SetBevelInner(tk::BevelCut::Lowered);
  auto* label = new tk::Label(&form_);
  label->SetParent(frame);
  label->SetLeft(71);
  label->SetTop(6);
  label->SetCaption(L"v1.11  作者");
  auto* swatch = Add<tk::Panel>(&form_, 95, 98, 40, 21);
  swatch->SetBevelOuter(tk::BevelCut::Lowered);
  swatch->SetColor(RGB(0, 128, 128));
  swatch->SetTabStop(true);
  TEditHex* edit = AddEdit(&form_, 20, 140);
  edit->SetTabOrder(0);
  auto* bevel = Add<tk::Bevel>(&form_, 230, 48, 37, 181);
  bevel->SetShape(tk::BevelShape::Frame);
  int clicks = 0;
  swatch->OnClick = [&] { ++clicks; };
  ShowForm();

  const tk::Bitmap panelShot = Capture(frame->Handle());
  EXPECT_EQ(panelShot.Pixel(0, 20), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised outer bevel, lit edge";
  EXPECT_EQ(panelShot.Pixel(1, 20), GetSysColor(COLOR_BTNSHADOW)) << "lowered inner bevel, shaded edge";
  EXPECT_EQ(panelShot.Pixel(168, 20), GetSysColor(COLOR_BTNSHADOW)) << "raised outer bevel, shaded edge";
  int textPixels = 0;
  for (int y = 6; y < 18; ++y) {
    for (int x = 71; x < 140; ++x) textPixels += panelShot.Pixel(x, y) == RGB(0, 0, 0);
  }
  EXPECT_GT(textPixels, 20) << "the label is painted on the panel";
  const tk::Bitmap swatchShot = Capture(swatch->Handle());
  EXPECT_EQ(swatchShot.Pixel(0, 10), GetSysColor(COLOR_BTNSHADOW)) << "lowered outer bevel";
  EXPECT_EQ(swatchShot.Pixel(20, 10), RGB(0, 128, 128)) << "the panel's own colour";
  const tk::Bitmap formShot = Capture(form_.Handle());
  EXPECT_EQ(formShot.Pixel(230, 100), GetSysColor(COLOR_BTNSHADOW)) << "the frame's groove";
  EXPECT_EQ(formShot.Pixel(231, 100), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(formShot.Pixel(248, 100), GetSysColor(COLOR_BTNFACE)) << "a frame, not a box: the inside is the form's";

  EXPECT_TRUE(ClickCentre(swatch->Handle()));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 1000));
  edit->SetFocus();
  Press(VK_TAB);
  EXPECT_TRUE(FocusLands(swatch->Handle())) << "the swatch is a tab stop";
  Press(VK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }, 1000));
  Press(VK_RETURN);
  PumpFor(100);
  EXPECT_EQ(clicks, 2) << "Enter stays with the dialog";
}

// ---- hints

TEST_F(ControlsTest, HintsShowAsTooltipsAndFollowChangesWhileTheProgramRuns) {
  tk::Button* up = AddButton(&form_, L"↑", 20, 20);
  up->SetHint(L"上へ移動");
  auto* help = Add<tk::SpeedButton>(&form_, 150, 20, 23, 22);
  help->SetPicture(IDB_HELP);
  help->SetHint(L"ヘルプ表示");
  auto* group = Add<tk::GroupBox>(&form_, 20, 80, 200, 100);
  auto* check = Add<tk::CheckBox>(group, 14, 22, 97, 17);
  check->SetCaption(L"ランダム起動");
  check->SetHint(L"未チェック時はリスト順に起動");
  tk::Button* quiet = AddButton(&form_, L"無", 250, 20);  // no hint
  form_.SetShowHint(true);
  ShowForm();
  tk::HintWindow* hints = form_.Hints();
  ASSERT_NE(hints, nullptr);
  HWND wnd = form_.Handle();

  // Hovers over a point of the form until the tooltip shows (or a while passes).
  const auto hover = [&](HWND target, int x, int y, DWORD wait = 2500) {
    EXPECT_TRUE(numtest::PointAt(wnd, 5, 250));  // away first: a tip shows on entering a tool
    PumpUntil([&] { return !hints->Showing(); }, 1000);
    POINT p{x, y};
    ClientToScreen(target, &p);
    EXPECT_TRUE(PointAtScreen(p));
    PumpUntil([&] { return hints->Showing(); }, wait);
    return hints->ShownText();
  };
  EXPECT_EQ(hover(up->Handle(), 30, 12), L"上へ移動");
  EXPECT_EQ(hover(wnd, 160, 30), L"ヘルプ表示") << "a windowless control's hint";
  EXPECT_EQ(hover(check->Handle(), 40, 8), L"未チェック時はリスト順に起動") << "inside a group box";
  up->SetHint(L"C:\\WINDOWS\\system32\\スクリーン.scr");
  EXPECT_EQ(hover(up->Handle(), 30, 12), L"C:\\WINDOWS\\system32\\スクリーン.scr") << "the new hint";
  EXPECT_EQ(hover(quiet->Handle(), 30, 12, 1500), L"") << "no hint, no tooltip";
  form_.SetShowHint(false);
  EXPECT_EQ(hover(up->Handle(), 30, 12, 1500), L"") << "a form that shows no hints";
  numtest::PointAt(wnd, 5, 250);
}

// ---- the confirmation box

BOOL CALLBACK FindConfirmBox(HWND wnd, LPARAM data) {
  if (IsWindowVisible(wnd) && WindowText(wnd) == L"確認") {
    *reinterpret_cast<HWND*>(data) = wnd;
    return FALSE;
  }
  return TRUE;
}

TEST_F(ControlsTest, ConfirmBoxAnswersYesByEnterAndNoByEscapeAndEachButton) {
  tk::Button* ok = AddButton(&form_, L"O K", 20, 200);
  ShowForm();
  (void)ok;
  struct Case {
    const char* how;
    std::function<void(HWND box, HWND yes, HWND no)> answer;
    int result;
  };
  const Case cases[] = {
      {"Enter", [](HWND, HWND, HWND) { Press(VK_RETURN); }, tk::mrYes},
      {"Escape", [](HWND, HWND, HWND) { Press(VK_ESCAPE); }, tk::mrNo},
      {"click on はい", [](HWND, HWND yes, HWND) { ClickCentre(yes); }, tk::mrYes},
      {"click on いいえ", [](HWND, HWND, HWND no) { ClickCentre(no); }, tk::mrNo},
      {"Alt+N", [](HWND, HWND, HWND) { Chord({VK_MENU}, 'N'); }, tk::mrNo},
      {"Tab to いいえ and Enter",
       [](HWND, HWND, HWND) {
         Press(VK_TAB);
         Press(VK_RETURN);
       },
       tk::mrNo},
      {"close box",
       [](HWND box, HWND, HWND) {
         POINT p;
         ASSERT_TRUE(CloseBoxPoint(box, p));
         ASSERT_TRUE(ClickCloseBox(p));
       },
       tk::mrNo},
  };
  for (const Case& c : cases) {
    tk::Timer timer(nullptr);
    timer.SetInterval(30);
    bool checked = false;
    timer.OnTimer = [&] {
      HWND box = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), FindConfirmBox, reinterpret_cast<LPARAM>(&box));
      if (!box || GetForegroundWindow() != box) return;
      timer.SetEnabled(false);
      HWND yes = FindWindowExW(box, nullptr, L"Button", L"はい(&Y)");
      HWND no = FindWindowExW(box, nullptr, L"Button", L"いいえ(&N)");
      EXPECT_NE(yes, nullptr) << c.how;
      EXPECT_NE(no, nullptr) << c.how;
      if (yes) {
        EXPECT_EQ(GetWindowLongPtrW(yes, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
      }
      EXPECT_TRUE(FocusIn(yes)) << "the focus starts on はい";
      EXPECT_FALSE(IsWindowEnabled(form_.Handle())) << "modal over the asking form";
      EXPECT_EQ(GetWindow(box, GW_OWNER), form_.Handle());
      // The question icon: its pixels are not all the dialog's face.
      const tk::Bitmap shot = Capture(box);
      int notFace = 0;
      for (int y = 12; y < 44; ++y) {
        for (int x = 12; x < 44; ++x) notFace += shot.Pixel(x, y) != GetSysColor(COLOR_BTNFACE);
      }
      EXPECT_GT(notFace, 100) << "the icon";
      checked = true;
      c.answer(box, yes, no);
    };
    const int result = tk::ConfirmBox(L"リストが編集されています。\r\n\r\n保存せず終了して良いですか？", &form_);
    EXPECT_TRUE(checked) << c.how;
    EXPECT_EQ(result, c.result) << c.how;
    EXPECT_TRUE(IsWindowEnabled(form_.Handle()));
  }
}

// ---- fonts

TEST_F(ControlsTest, FormFontReachesChildrenWithoutTheirOwnAndLivesWhileOneUsesIt) {
  auto* group = Add<tk::GroupBox>(&form_, 10, 10, 200, 150);
  auto* check = Add<tk::CheckBox>(group, 10, 20, 120, 17);
  tk::Button* own = AddButton(&form_, L"↑", 238, 80);
  HFONT formFont = font_.get();
  tk::FontRef arrowFont = tk::MakeSharedFont(L"ＭＳ ゴシック", -13, false, SHIFTJIS_CHARSET);
  HFONT arrow = arrowFont.get();
  own->SetFont(std::move(arrowFont));  // only the button holds it now
  ShowForm();
  const auto fontOf = [](tk::WinControl* c) { return reinterpret_cast<HFONT>(SendMessageW(c->Handle(), WM_GETFONT, 0, 0)); };
  EXPECT_EQ(fontOf(group), formFont);
  EXPECT_EQ(fontOf(check), formFont) << "through the group box";
  EXPECT_EQ(fontOf(own), arrow);
  EXPECT_FALSE(own->ParentFont());

  // The form lets go of its font: the children still use it, so it lives on until the
  // form's new font has reached them.
  font_.reset();
  EXPECT_EQ(GetObjectType(formFont), static_cast<DWORD>(OBJ_FONT));
  tk::FontRef bigger = tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -16, true, SHIFTJIS_CHARSET);
  form_.SetFont(bigger);
  EXPECT_EQ(fontOf(check), bigger.get());
  EXPECT_EQ(fontOf(own), arrow) << "a control with a font of its own keeps it";
  EXPECT_EQ(GetObjectType(formFont), 0u) << "nobody uses the old font any more";

  // Back to the parent's font: the own font goes when its last user does.
  EXPECT_EQ(GetObjectType(arrow), static_cast<DWORD>(OBJ_FONT)) << "the button still uses it";
  own->SetParentFont(true);
  EXPECT_EQ(fontOf(own), bigger.get());
  EXPECT_EQ(GetObjectType(arrow), 0u);
}

// ---- resources

// Windows reports GDI and USER objects and handles, Wine answers 0 to both calls; there
// the test counts GDI objects by their table index, handles by probing their values and
// windows by enumerating them.
struct Resources {
  DWORD gdi = 0, user = 0, handles = 0;
  int gdiProbe = 0, handleProbe = 0, windows = 0;
};

BOOL CALLBACK CountWindow(HWND wnd, LPARAM data) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid == GetCurrentProcessId()) {
    ++*reinterpret_cast<int*>(data);
    EnumChildWindows(wnd, CountWindow, data);
  }
  return TRUE;
}

Resources Measure() {
  Resources r;
  HANDLE self = GetCurrentProcess();
  r.gdi = GetGuiResources(self, GR_GDIOBJECTS);
  r.user = GetGuiResources(self, GR_USEROBJECTS);
  GetProcessHandleCount(self, &r.handles);
  for (UINT_PTR i = 1; i < 0x10000; ++i) r.gdiProbe += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  for (UINT_PTR h = 4; h < 4 * 0x4000; h += 4) {
    DWORD flags;
    r.handleProbe += GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags) != 0;
  }
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&r.windows));
  return r;
}

// A form with every control of the toolkit, shown and destroyed.
void GalleryCycle() {
  auto* form = tk::NewForm<tk::Form>(nullptr);
  form->Border = tk::BorderStyle::Dialog;
  form->DialogKeys = true;
  form->SetShowHint(true);
  form->SetFont(tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET));
  form->SetBounds(300, 200, 300, 220);
  auto* ok = new tk::Button(form);
  ok->SetParent(form);
  ok->SetBounds(10, 180, 60, 25);
  ok->SetCaption(L"O K");
  ok->SetDefault(true);
  ok->SetHint(L"ヒント");
  auto* picture = new tk::PictureButton(form);
  picture->SetParent(form);
  picture->SetBounds(80, 180, 24, 24);
  picture->SetPicture(IDB_CLEARENTRIES);
  picture->SetDisabledPicture(IDB_CLEARENTRIES_GREY);
  picture->SetHint(L"個別設定クリア");
  auto* speed = new tk::SpeedButton(form);
  speed->SetParent(form);
  speed->SetBounds(110, 180, 23, 22);
  speed->SetPicture(IDB_HELP);
  speed->SetHint(L"ヘルプ表示");
  auto* group = new tk::GroupBox(form);
  group->SetParent(form);
  group->SetBounds(10, 10, 150, 100);
  group->SetCaption(L"起動オプション");
  auto* check = new tk::CheckBox(form);
  check->SetParent(group);
  check->SetBounds(10, 20, 100, 17);
  check->SetCaption(L"ランダム起動");
  auto* combo = new tk::ComboBox(form);
  combo->SetParent(group);
  combo->SetBounds(10, 50, 100, 20);
  combo->AddItem(L"Default");
  combo->SetHint(L"セット");
  auto* panel = new tk::Panel(form);
  panel->SetParent(form);
  panel->SetBounds(170, 10, 100, 40);
  panel->SetBevelInner(tk::BevelCut::Lowered);
  auto* label = new tk::Label(form);
  label->SetParent(panel);
  label->SetCaption(L"ラベル");
  auto* bevel = new tk::Bevel(form);
  bevel->SetParent(form);
  bevel->SetBounds(170, 60, 100, 100);
  bevel->SetShape(tk::BevelShape::Frame);
  auto* list = new tk::ComboBox(form);
  list->SetParent(form);
  list->SetStyle(tk::ComboStyle::DropDownList);
  list->SetBounds(180, 70, 60, 20);
  list->AddItem(L"標準");
  list->SetItemIndex(0);
  form->Show();
  picture->SetEnabled(false);
  UpdateWindow(form->Handle());
  PumpFor(5);
  delete form;
}

TEST_F(ControlsTest, TwoHundredFormsWithEveryControlLeaveNoObjectsBehind) {
  GalleryCycle();  // first use: window classes, pictures of the system, caches
  PumpFor(50);
  const Resources before = Measure();
  const ULONGLONG start = GetTickCount64();
  for (int i = 0; i < 200; ++i) GalleryCycle();
  PumpFor(100);
  const Resources after = Measure();
  EXPECT_LE(after.gdi, before.gdi + 2);
  EXPECT_LE(after.user, before.user + 2);
  EXPECT_LE(after.handles, before.handles + 2);
  EXPECT_LE(after.gdiProbe, before.gdiProbe + 2) << "GDI objects by index: " << before.gdiProbe << " -> " << after.gdiProbe;
  EXPECT_LE(after.handleProbe, before.handleProbe + 2)
      << "handles by probing: " << before.handleProbe << " -> " << after.handleProbe;
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_GT(static_cast<long>(before.gdi) + before.gdiProbe, 0L) << "one of the two ways counts";
  std::printf("200 cycles in %llu ms; GDI %lu/%d, handles %lu/%d, windows %d\n", GetTickCount64() - start,
              after.gdi, after.gdiProbe, after.handles, after.handleProbe, after.windows);
}

}  // namespace
