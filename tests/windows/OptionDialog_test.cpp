// The per-entry options dialog as the configuration dialog opens it, answered with
// the real keyboard and pointer of the Wine session.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "NumericTestSupport.h"
#include "WineTestSupport.h"
#include "config/option.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

using namespace tessora;
using numtest::Key;
using numtest::LeftButton;
using numtest::PointAt;

namespace {

const wchar_t* const kCaption = L"Tessora 個別オプション";

// The configuration dialog's side: one selected row and the global interval.
struct FakeHost : EntryOptionsHost {
  bool selected = true;
  std::string seconds;
  int level = 2;
  std::string name = "Waves";
  std::string global = "60";
  OptionsPlacement placement{200, 150, 400, 370, 8, 40};
  bool edited = false;
  tk::Form* owner = nullptr;

  bool HasSelectedRow() override { return selected; }
  std::string SecondsCell() override { return seconds; }
  void SetSecondsCell(const std::string& s) override { seconds = s; }
  int FrequencyLevel() override { return level; }
  void SetFrequencyLevel(int l) override { level = l; }
  std::string DisplayName() override { return name; }
  std::string GlobalSpanText() override { return global; }
  OptionsPlacement Placement() override { return placement; }
  void SetEdited() override { edited = true; }
  tk::Component* Owner() override { return owner; }
};

// What the dialog showed when it came up.
struct Seen {
  bool shown = false;
  std::wstring name;
  std::string seconds;
  int level = -2;
  RECT window{};
};

// Runs script on the options dialog as soon as it is up, inside its modal loop.
std::function<void(TfrmOpt&)> gScript;
Seen gSeen;

BOOL CALLBACK FindOptions(HWND wnd, LPARAM found) {
  wchar_t text[64] = {};
  GetWindowTextW(wnd, text, 64);
  if (IsWindowVisible(wnd) && std::wstring(text) == kCaption) {
    *reinterpret_cast<HWND*>(found) = wnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK WatchForOptions(HWND, UINT, UINT_PTR id, DWORD) {
  HWND wnd = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindOptions, reinterpret_cast<LPARAM>(&wnd));
  auto* form = wnd ? dynamic_cast<TfrmOpt*>(tk::WinControl::FromHandle(wnd)) : nullptr;
  if (!form) return;
  KillTimer(nullptr, id);
  gSeen.shown = true;
  gSeen.name = form->Sname->Caption();
  gSeen.seconds = form->SpanT->Text();
  gSeen.level = form->ComboBox1->ItemIndex();
  GetWindowRect(wnd, &gSeen.window);
  numtest::BringToFront(wnd);
  gScript(*form);
}

void Tap(WORD vk) {
  Key(vk, true);
  Key(vk, false);
  PumpFor(60);
}

void ClickOn(tk::WinControl& control) {
  ASSERT_TRUE(PointAt(control.Handle(), control.Width() / 2, control.Height() / 2));
  LeftButton(true);
  PumpFor(40);
  LeftButton(false);
  PumpFor(60);
}

// The field's text replaced by typing, as the user does after selecting it all.
void TypeSeconds(TfrmOpt& form, const std::string& digits) {
  form.SpanT->SetFocus();
  SendMessageW(form.SpanT->Handle(), EM_SETSEL, 0, -1);
  for (char c : digits) Tap(static_cast<WORD>(c));
}

bool Gone(TfrmOpt& form) {
  return PumpUntil([&] { return !form.HandleAllocated() || !IsWindowVisible(form.Handle()); }, 3000);
}

class OptionDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  void SetUp() override {
    gSeen = Seen{};
    owner_ = tk::NewForm<tk::Form>(nullptr);
    owner_->SetBounds(200, 150, 420, 400);
    owner_->Show();
    host_.owner = owner_;
  }
  void TearDown() override {
    KillTimer(nullptr, timer_);
    gScript = nullptr;
    delete owner_;
    PumpFor(20);
  }

  int Open(std::function<void(TfrmOpt&)> script) {
    gScript = std::move(script);
    timer_ = SetTimer(nullptr, 0, 30, WatchForOptions);
    return EditEntryOptions(host_);
  }

  FakeHost host_;
  tk::Form* owner_ = nullptr;
  UINT_PTR timer_ = 0;
};

// Each way out of the dialog and what it leaves in the row.
TEST_F(OptionDialogTest, ResultsAndTheRow) {
  struct Case {
    const char* what;
    std::string seconds;  // the row's seconds cell
    int level;
    std::string global;
    std::function<void(TfrmOpt&)> answer;
    std::string seenSeconds;
    int result;
    std::string cellAfter;
    int levelAfter;
    bool edited;
  };
  const auto enter = [](TfrmOpt&) { Tap(VK_RETURN); };
  const auto clickOk = [](TfrmOpt& f) { ClickOn(*f.Button1); };
  const Case cases[] = {
      {"an empty cell opens with the global interval; OK keeps it empty", "", 1, "60", enter, "60", tk::mrOk, "", 1,
       true},
      {"own seconds typed", "", 2, "60",
       [](TfrmOpt& f) {
         TypeSeconds(f, "45");
         ClickOn(*f.Button1);
       },
       "60", tk::mrOk, "45", 2, true},
      {"the global interval typed stores none", "30", 2, "60",
       [](TfrmOpt& f) {
         TypeSeconds(f, "60");
         Tap(VK_RETURN);
       },
       "30", tk::mrOk, "", 2, true},
      {"a global interval of 0 opens with 1 and stores 1", "", 2, "0", clickOk, "1", tk::mrOk, "1", 2, true},
      {"a level chosen with the keyboard", "90", 2, "60",
       [](TfrmOpt& f) {
         f.ComboBox1->SetFocus();
         Tap(VK_DOWN);
         ClickOn(*f.Button1);
       },
       "90", tk::mrOk, "90", 3, true},
      {"リセット", "90", 4, "60", [](TfrmOpt& f) { ClickOn(*f.Button2); }, "90", mrAbort, "", 2, true},
      {"リセット of a row already so", "", 2, "60", [](TfrmOpt& f) { ClickOn(*f.Button2); }, "60", mrAbort, "", 2,
       true},
      {"Cancel", "90", 4, "60",
       [](TfrmOpt& f) {
         TypeSeconds(f, "5");
         ClickOn(*f.Button3);
       },
       "90", tk::mrCancel, "90", 4, false},
      {"a seconds cell that is no number falls back to the global interval", "abc", 0, "120", enter, "120", tk::mrOk,
       "", 0, true},
      {"then to 60", "abc", 0, "", enter, "60", tk::mrOk, "60", 0, true},
      {"a cell beyond the range opens at the maximum", "99999", 2, "60", enter, "86400", tk::mrOk, "86400", 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host_.seconds = c.seconds;
    host_.level = c.level;
    host_.global = c.global;
    host_.edited = false;
    gSeen = Seen{};
    EXPECT_EQ(Open(c.answer), c.result);
    EXPECT_TRUE(gSeen.shown);
    EXPECT_EQ(gSeen.seconds, c.seenSeconds);
    EXPECT_EQ(gSeen.level, c.level);
    EXPECT_EQ(host_.seconds, c.cellAfter);
    EXPECT_EQ(host_.level, c.levelAfter);
    EXPECT_EQ(host_.edited, c.edited);
  }
}

TEST_F(OptionDialogTest, ShowsTheNameAtItsPlaceOverTheList) {
  host_.name = "\x95\x5C\x8E\xA6";  // "表示" in Shift-JIS
  EXPECT_EQ(Open([](TfrmOpt& f) { ClickOn(*f.Button3); }), tk::mrCancel);
  EXPECT_EQ(gSeen.name, L"表示");
  // 200 + 8 + 1; 150 + (400 - 370) + 40 - 1
  EXPECT_EQ(gSeen.window.left, 209);
  EXPECT_EQ(gSeen.window.top, 219);
}

TEST_F(OptionDialogTest, PlacementFromTheWindows) {
  tk::Label list(owner_);
  list.SetParent(owner_);
  list.SetBounds(8, 40, 100, 100);
  const OptionsPlacement p = PlacementOf(owner_->Handle(), list);
  RECT outer, client;
  GetWindowRect(owner_->Handle(), &outer);
  GetClientRect(owner_->Handle(), &client);
  EXPECT_EQ(p.dialogLeft, outer.left);
  EXPECT_EQ(p.dialogTop, outer.top);
  EXPECT_EQ(p.dialogOuterHeight, outer.bottom - outer.top);
  EXPECT_EQ(p.dialogClientHeight, client.bottom);
  EXPECT_GT(p.dialogOuterHeight, p.dialogClientHeight);
  EXPECT_EQ(p.listLeft, 8);
  EXPECT_EQ(p.listTop, 40);
}

TEST_F(OptionDialogTest, NoSelectedRowOpensNothing) {
  host_.selected = false;
  host_.seconds = "5";
  EXPECT_EQ(Open([](TfrmOpt& f) { ClickOn(*f.Button1); }), tk::mrNone);
  EXPECT_FALSE(gSeen.shown);
  EXPECT_EQ(host_.seconds, "5");
  EXPECT_FALSE(host_.edited);
}

// Escape presses nothing; the system's close command is Cancel.
TEST_F(OptionDialogTest, EscapeStaysAndTheCloseCommandCancels) {
  struct Case {
    const char* what;
    std::function<void(HWND)> close;
  };
  const Case cases[] = {
      {"Alt+F4",
       [](HWND) {
         Key(VK_MENU, true);
         Tap(VK_F4);
         Key(VK_MENU, false);
       }},
      {"the system menu's close", [](HWND wnd) { PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host_.seconds = "90";
    host_.level = 4;
    host_.edited = false;
    bool stayed = false;
    const int result = Open([&](TfrmOpt& f) {
      TypeSeconds(f, "7");
      Tap(VK_ESCAPE);
      PumpFor(200);
      stayed = IsWindowVisible(f.Handle()) && f.ModalResult() == tk::mrNone;
      c.close(f.Handle());
      if (!Gone(f)) ClickOn(*f.Button3);  // so that a failing case still ends
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, tk::mrCancel);
    EXPECT_EQ(host_.seconds, "90");
    EXPECT_EQ(host_.level, 4);
    EXPECT_FALSE(host_.edited);
  }
}

// The form as its table sets it up.
TEST_F(OptionDialogTest, Layout) {
  TfrmOpt* form = tk::NewForm<TfrmOpt>(owner_);
  HWND wnd = form->Handle();
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 271);
  EXPECT_EQ(client.bottom, 93);
  EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_NE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_FALSE(form->ShowHint());
  wchar_t caption[64];
  GetWindowTextW(wnd, caption, 64);
  EXPECT_STREQ(caption, kCaption);

  LOGFONTW font{};
  ASSERT_TRUE(GetObjectW(form->Font(), sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

  struct Item {
    tk::Control* control;
    RECT bounds;  // left, top, width, height
    const wchar_t* caption;
  };
  const Item items[] = {
      {form->Bevel1, {0, 0, 270, 21}, L""},           {form->Sname, {4, 4, 34, 12}, L"Sname"},
      {form->Label1, {9, 34, 48, 12}, L"表示時間"},   {form->SpanT, {61, 30, 49, 20}, nullptr},
      {form->SpinBtn, {110, 30, 12, 20}, nullptr},    {form->Label3, {124, 34, 12, 12}, L"秒"},
      {form->Label2, {154, 34, 48, 12}, L"実行頻度"}, {form->ComboBox1, {206, 30, 58, 20}, nullptr},
      {form->Button1, {46, 66, 57, 22}, L"O K"},      {form->Button2, {106, 66, 57, 22}, L"リセット"},
      {form->Button3, {168, 66, 57, 22}, L"Cancel"},
  };
  for (const Item& item : items) {
    SCOPED_TRACE(testing::PrintToString(item.bounds.left) + "," + testing::PrintToString(item.bounds.top));
    EXPECT_EQ(item.control->Left(), item.bounds.left);
    EXPECT_EQ(item.control->Top(), item.bounds.top);
    // A label's size follows its caption.
    if (!dynamic_cast<tk::Label*>(item.control)) {
      EXPECT_EQ(item.control->Width(), item.bounds.right);
      EXPECT_EQ(item.control->Height(), item.bounds.bottom);
    }
    if (item.caption) {
      EXPECT_EQ(item.control->Caption(), item.caption);
    }
    EXPECT_EQ(item.control->Font(), form->Font());
  }
  EXPECT_EQ(form->SpanT->Text(), "1");
  EXPECT_EQ(form->SpinBtn->Position(), 1);
  EXPECT_EQ(form->ComboBox1->Style(), tk::ComboStyle::DropDownList);
  ASSERT_EQ(form->ComboBox1->ItemCount(), 5);
  const wchar_t* words[] = {L"低", L"低め", L"標準", L"高め", L"高"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(form->ComboBox1->Item(i), words[i]);
  EXPECT_EQ(form->SpanT->TabOrder(), 0);
  EXPECT_EQ(form->ComboBox1->TabOrder(), 1);
  EXPECT_LT(form->ComboBox1->TabOrder(), form->Button1->TabOrder());
  EXPECT_LT(form->Button1->TabOrder(), form->Button2->TabOrder());
  EXPECT_LT(form->Button2->TabOrder(), form->Button3->TabOrder());
  EXPECT_EQ(form->DefaultButton(), form->Button1);
  EXPECT_EQ(form->CancelButton(), nullptr);
  EXPECT_EQ(form->Button1->ModalResult(), tk::mrOk);
  EXPECT_EQ(form->Button2->ModalResult(), 3);
  EXPECT_EQ(form->Button3->ModalResult(), 2);
  delete form;
}

}  // namespace
