// The configuration dialog as a real form in this process: its controls where the
// user sees them, its fonts and hints, the tab order by the Tab key, the owner from
// the host, the options read from a prepared settings file, the time label following
// typed seconds, and leaving with OK or Cancel without touching the file.
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ConfigDialogTestSupport.h"
#include "NumericTestSupport.h"
#include "UiDriver.h"
#include "WineTestSupport.h"
#include "config/SaverFile.h"
#include "config/confdlg.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"
#include "toolkit/WinCalls.h"

using namespace tessora;

namespace {
using namespace tessora::configtest;

class ConfigDialogTest : public ConfigDialogFixture {};

struct Placement {
  const wchar_t* name;
  const wchar_t* parent;   // nullptr: the form
  RECT bounds;             // left, top, right, bottom
  const wchar_t* caption;  // nullptr: the control shows a value, not a caption
  const wchar_t* hint;
};

TEST_F(ConfigDialogTest, EveryControlSitsWhereTheUserSeesItWithItsTextAndHint) {
  TfrmConfig& form = Open(nullptr);
  form.Show();
  const Placement table[] = {
      {L"Label1", nullptr, {4, 4, 162, 16}, L"使用するスクリーンセーバー", L"右クリックでメニューから表示と設定"},
      {L"SetList", nullptr, {4, 24, 185, 44}, L"", L""},
      {L"addSetBtn", nullptr, {186, 24, 206, 44}, L"", L"セット登録"},
      {L"delSetBtn", nullptr, {208, 24, 228, 44}, L"", L"セット削除"},
      {L"ListView1", nullptr, {3, 49, 233, 229}, L"", L""},
      {L"Bevel1", nullptr, {230, 48, 267, 229}, L"", L""},
      {L"addBtn", nullptr, {238, 53, 262, 77}, L"", L"アイテム追加（複数選択可）"},
      {L"upBtn", nullptr, {238, 80, 262, 104}, L"↑", L"上へ移動"},
      {L"dwnBtn", nullptr, {238, 105, 262, 129}, L"↓", L"下へ移動"},
      {L"delBtn", nullptr, {238, 131, 262, 155}, L"", L"アイテム削除"},
      {L"clrBtn", nullptr, {238, 161, 262, 185}, L"", L"リストクリア"},
      {L"BitBtn1", nullptr, {238, 190, 262, 214}, L"", L"個別設定クリア"},
      {L"Panel1", nullptr, {275, 8, 444, 49}, L"", L""},
      {L"ShadowLabel1", L"Panel1", {6, 3, 64, 19}, L"Tessora", L""},
      {L"Label4", L"Panel1", {71, 6, 157, 18}, L"v1.11  © TSR", L""},
      {L"URLLabel1", L"Panel1", {7, 25, 155, 37}, L"https://tessora.example/", L"作者のサイト"},
      {L"GroupBox1", nullptr, {275, 56, 444, 185}, L"起動オプション", L""},
      {L"randomChk", L"GroupBox1", {14, 22, 111, 39}, L"ランダム起動", L"未チェック時はリスト順に起動"},
      {L"Label2", L"GroupBox1", {16, 54, 70, 66}, L"起動間隔：", L""},
      {L"SpanT", L"GroupBox1", {72, 50, 121, 70}, nullptr, L"0 にすると、始めの１個だけ起動"},
      {L"SpinBtn", L"GroupBox1", {121, 50, 133, 70}, L"", L""},
      {L"Label3", L"GroupBox1", {140, 54, 152, 66}, L"秒", L""},
      {L"TimeLabel", L"GroupBox1", {68, 72, 138, 87}, L"(00:01:00)", L""},
      {L"BackChk", L"GroupBox1", {14, 100, 85, 117}, L"単色背景", L""},
      {L"BackCol", L"GroupBox1", {95, 98, 135, 119}, L"", L""},
      {L"SpeedButton1", nullptr, {276, 204, 299, 226}, L"", L"ヘルプ表示"},
      {L"OkBtn", nullptr, {311, 202, 372, 227}, L"O K", L""},
      {L"CanselBtn", nullptr, {379, 202, 440, 227}, L"Cancel", L""},
  };
  for (const Placement& row : table) {
    SCOPED_TRACE(Narrow(row.name));
    tk::Control* control = Find(form, row.name);
    ASSERT_NE(control, nullptr);
    tk::Control* parent = row.parent ? Find(form, row.parent) : &form;
    EXPECT_EQ(control->Parent(), parent);
    if (row.caption) {
      EXPECT_EQ(control->Caption(), row.caption);
    }
    EXPECT_EQ(control->Hint(), row.hint);
    RECT r = control->BoundsRect();
    if (auto* windowed = dynamic_cast<tk::WinControl*>(control)) {
      // Where the window really is, in its parent's client area; made with the form's.
      EXPECT_TRUE(windowed->HandleAllocated());
      HWND wnd = windowed->Handle();
      ASSERT_TRUE(IsWindowVisible(wnd));
      EXPECT_EQ(GetParent(wnd), static_cast<tk::WinControl*>(parent)->Handle());
      GetWindowRect(wnd, &r);
      MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
    }
    EXPECT_EQ(r.left, row.bounds.left);
    EXPECT_EQ(r.top, row.bounds.top);
    EXPECT_EQ(r.right, row.bounds.right);
    // The closed combo box is as high as its font makes it.
    if (std::wstring(row.name) != L"SetList") {
      EXPECT_EQ(r.bottom, row.bounds.bottom);
    }
  }
}

TEST_F(ConfigDialogTest, PictureButtonsShowTheirPictures) {
  TfrmConfig& form = Open(nullptr);
  struct PictureCase {
    const char* name;
    const tk::Picture& picture;
    int width, height;
  };
  const PictureCase table[] = {
      {"addSetBtn", form.addSetBtn->GetPicture(), 14, 14},
      {"delSetBtn", form.delSetBtn->GetPicture(), 14, 14},
      {"addBtn", form.addBtn->GetPicture(), 14, 14},
      {"delBtn", form.delBtn->GetPicture(), 14, 14},
      {"clrBtn", form.clrBtn->GetPicture(), 16, 15},
      {"BitBtn1", form.BitBtn1->GetPicture(), 16, 16},
      {"SpeedButton1", form.SpeedButton1->GetPicture(), 16, 16},
  };
  for (const PictureCase& row : table) {
    SCOPED_TRACE(row.name);
    EXPECT_FALSE(row.picture.Empty());
    EXPECT_EQ(row.picture.Width(), row.width);
    EXPECT_EQ(row.picture.Height(), row.height);
  }
}

TEST_F(ConfigDialogTest, FormIsAFixedDialogCentredOnTheDesktop) {
  TfrmConfig& form = Open(nullptr);
  form.Show();
  HWND wnd = form.Handle();
  wchar_t caption[64] = {};
  GetWindowTextW(wnd, caption, 64);
  EXPECT_STREQ(caption, L"Tessora 設定");
  RECT client{};
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 448);
  EXPECT_EQ(client.bottom, 233);
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  RECT outer{};
  GetWindowRect(wnd, &outer);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((outer.left + outer.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (work.top + work.bottom)), 1);
  EXPECT_TRUE(form.ShowHint());
  EXPECT_EQ(form.DefaultButton(), form.OkBtn);
  EXPECT_EQ(form.CancelButton(), nullptr) << "Escape presses nothing";
}

TEST_F(ConfigDialogTest, ControlsDrawInTheirOwnFonts) {
  TfrmConfig& form = Open(nullptr);
  struct FontCase {
    const wchar_t* name;
    const wchar_t* face;
    LONG height;
    bool bold;
    BYTE charSet;
  };
  const FontCase table[] = {
      {L"frmConfig", L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET},
      {L"Label1", L"ＭＳ Ｐゴシック", -12, true, SHIFTJIS_CHARSET},
      {L"SetList", L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET},
      {L"upBtn", L"ＭＳ ゴシック", -13, false, SHIFTJIS_CHARSET},
      {L"dwnBtn", L"ＭＳ ゴシック", -13, false, SHIFTJIS_CHARSET},
      {L"ShadowLabel1", L"Arial", -13, true, ANSI_CHARSET},
      {L"Label4", L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET},
      {L"randomChk", L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET},
      {L"SpanT", L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET},
      {L"TimeLabel", L"Courier New", -12, false, ANSI_CHARSET},
      {L"OkBtn", L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET},
  };
  for (const FontCase& row : table) {
    SCOPED_TRACE(Narrow(row.name));
    tk::Control* control = std::wstring(row.name) == L"frmConfig" ? &form : Find(form, row.name);
    ASSERT_NE(control, nullptr);
    const LOGFONTW f = FontOf(control->Font());
    EXPECT_STREQ(f.lfFaceName, row.face);
    EXPECT_EQ(f.lfHeight, row.height);
    EXPECT_EQ(f.lfWeight >= FW_BOLD, row.bold);
    EXPECT_EQ(f.lfCharSet, row.charSet);
    auto* windowed = dynamic_cast<tk::WinControl*>(control);
    if (windowed && control != &form) {
      // The window itself draws with it.
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(windowed->Handle(), WM_GETFONT, 0, 0)), control->Font());
    }
  }
}

TEST_F(ConfigDialogTest, TabKeyVisitsTheControlsInTheirOrder) {
  TfrmConfig& form = Open(nullptr);
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  form.OkBtn->SetFocus();
  // SetList's focus is on the edit field inside the combo box.
  const auto owner = [&](HWND focus) -> std::wstring {
    for (HWND w = focus; w && w != form.Handle(); w = GetParent(w)) {
      if (tk::WinControl* c = tk::WinControl::FromHandle(w)) return c->Name;
    }
    return L"";
  };
  const std::vector<std::wstring> expected = {
      L"CanselBtn", L"SetList", L"addSetBtn", L"delSetBtn", L"ListView1", L"addBtn",  L"upBtn",   L"dwnBtn",
      L"delBtn",    L"clrBtn",  L"BitBtn1",   L"randomChk", L"SpanT",     L"BackChk", L"BackCol", L"OkBtn"};
  std::vector<std::wstring> visited;
  for (size_t i = 0; i < expected.size(); ++i) {
    const HWND before = GetFocus();
    numtest::Key(VK_TAB, true);
    numtest::Key(VK_TAB, false);
    numtest::PumpUntil([&] { return GetFocus() != before; }, 1000);
    visited.push_back(owner(GetFocus()));
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(ConfigDialogTest, OwnerWindowIsTheHostsParent) {
  HWND asking = CreateWindowExW(0, L"STATIC", L"asking", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(asking, nullptr);
  EXPECT_EQ(GetWindow(Open(nullptr, asking).Handle(), GW_OWNER), asking);
  delete form_;
  form_ = nullptr;
  DestroyWindow(asking);
  // Without a window that asked, the dialog has no owner at all.
  EXPECT_EQ(GetWindow(Open(nullptr).Handle(), GW_OWNER), nullptr);
}

struct OptionsCase {
  const char* name;
  const char* ini;  // nullptr: no file
  bool random;
  const char* span;
  double position;
  const wchar_t* timeLabel;
  bool background;
  COLORREF colour;
};

TEST_F(ConfigDialogTest, OptionsComeFromTheSettingsFile) {
  const OptionsCase table[] = {
      {"no file", nullptr, false, "60", 60, L"(00:01:00)", false, 0},
      {"empty options", "[Option]\r\n", false, "60", 60, L"(00:01:00)", false, 0},
      {"all set", "[Option]\r\nrandom=1\r\nspan=86400\r\nbgcolor=1,255\r\n", true, "86400", 86400, L"(24:00:00)", true,
       RGB(255, 0, 0)},
      {"any non-zero random", "[Option]\r\nrandom=-3\r\nspan=3661\r\n", true, "3661", 3661, L"(01:01:01)", false, 0},
      {"zero span", "[Option]\r\nspan=0\r\nbgcolor=0,16711680\r\n", false, "0", 0, L"(00:00:00)", false,
       RGB(0, 0, 255)},
      {"flag only", "[Option]\r\nbgcolor=1\r\n", false, "60", 60, L"(00:01:00)", true, 0},
      {"flag not exactly 1", "[Option]\r\nbgcolor=01,65280\r\n", false, "60", 60, L"(00:01:00)", false, RGB(0, 255, 0)},
      {"span no number", "[Option]\r\nspan=abc\r\n", false, "60", 60, L"(00:01:00)", false, 0},
  };
  for (const OptionsCase& row : table) {
    SCOPED_TRACE(row.name);
    TfrmConfig& form = Open(row.ini);
    EXPECT_EQ(form.randomChk->Checked(), row.random);
    EXPECT_EQ(form.SpanT->Text(), row.span);
    EXPECT_EQ(form.SpinBtn->Position(), row.position);
    EXPECT_EQ(form.TimeLabel->Caption(), row.timeLabel);
    EXPECT_EQ(form.BackChk->Checked(), row.background);
    EXPECT_EQ(form.BackCol->Color(), row.colour);
    HWND check = form.randomChk->Handle();
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED, row.random) << "the box shows it";
    delete form_;
    form_ = nullptr;
    DeleteFileW(ini_.c_str());
  }
}

TEST_F(ConfigDialogTest, BackgroundSwatchIsTealUntilLoadingReplacesIt) {
  // Before its loading step the swatch has its stored colour.
  TfrmConfig form(nullptr, nullptr, SettingsPaths{TempIni(), {}});
  EXPECT_EQ(form.BackCol->Color(), RGB(0, 128, 128));
  form.AfterConstruction();
  EXPECT_EQ(form.BackCol->Color(), RGB(0, 0, 0));
}

TEST_F(ConfigDialogTest, TimeLabelFollowsTypedSecondsAndTheSpinControl) {
  TfrmConfig& form = Open("[Option]\r\nspan=60\r\n");
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  form.SpanT->SetFocus();
  SendMessageW(form.SpanT->Handle(), EM_SETSEL, 0, -1);
  const auto type = [](WORD vk) {
    numtest::Key(vk, true);
    numtest::Key(vk, false);
  };
  type('3');
  type('6');
  type('6');
  type('1');
  EXPECT_TRUE(PumpUntil([&] { return form.TimeLabel->Caption() == L"(01:01:01)"; }, 2000))
      << Narrow(form.TimeLabel->Caption());
  SendMessageW(form.SpanT->Handle(), EM_SETSEL, 0, -1);
  type(VK_DELETE);
  EXPECT_TRUE(PumpUntil([&] { return form.TimeLabel->Caption() == L"(00:00:00)"; }, 2000))
      << "an empty field counts as 0: " << Narrow(form.TimeLabel->Caption());
  form.SpinBtn->SetPosition(86400);
  EXPECT_EQ(form.TimeLabel->Caption(), L"(24:00:00)");
  EXPECT_EQ(form.SpanT->Text(), "86400");
}

TEST_F(ConfigDialogTest, OkWritesTheSettingsAndCancelLeavesThemAsTheyWere) {
  const char* text = "[Option]\r\nrandom=1\r\nspan=90\r\n[SetList]\r\nCount=0\r\n";
  enum class Leave;
  struct LeaveCase {
    const char* name;
    Leave leave;
    int result;
    const char* after;
  };
  enum class Leave { Ok, Cancel, CloseBox };
  const LeaveCase cases[] = {
      {"OK", Leave::Ok, tk::mrOk,
       "[Option]\r\nrandom=0\r\nspan=90\r\nbgcolor=0,0\r\n\r\n[SetList]\r\nCount=0\r\nCurrent=-1\r\n\r\n"},
      {"Cancel", Leave::Cancel, tk::mrCancel, text},
      {"the close box", Leave::CloseBox, tk::mrCancel, text},
  };
  for (const LeaveCase& row : cases) {
    SCOPED_TRACE(row.name);
    TfrmConfig& form = Open(text);
    form.randomChk->SetChecked(false);
    if (row.leave == Leave::CloseBox) {
      PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      PostMessageW((row.leave == Leave::Ok ? form.OkBtn : form.CanselBtn)->Handle(), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(form.ShowModal(), row.result);
    EXPECT_EQ(ReadBytes(ini_), row.after);
    delete form_;
    form_ = nullptr;
  }
}

// The message box of this process, answered with OK once it shows; its text is kept.
// Then the button is pressed, if any.
std::wstring messageText;
HWND pressAfterMessage = nullptr;
void CALLBACK AnswerMessage(HWND, UINT, UINT_PTR id, DWORD) {
  const std::vector<HWND> boxes = uitest::OwnWindows(L"#32770");
  if (boxes.empty()) return;
  KillTimer(nullptr, id);
  for (HWND c = GetWindow(boxes.front(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (uitest::ClassOf(c) == L"Static" && !WindowText(c).empty()) messageText = WindowText(c);
  PostMessageW(boxes.front(), WM_COMMAND, IDOK, 0);
  if (pressAfterMessage) PostMessageW(pressAfterMessage, BM_CLICK, 0, 0);
}

// Where OK can write: the user's own file when the program's folder is closed; the
// failure message, with the dialog kept open, when neither can be written.
TEST_F(ConfigDialogTest, OkSavesWhereItCanOrSaysWhichFileItCouldNotMake) {
  const std::wstring base = TempFolder() + L"confdlg_save_" + std::to_wstring(GetCurrentProcessId());
  const std::wstring closed = base + L"_closed\\Tessora.ini";  // its folder does not exist
  const std::wstring userFolder = base + L"_user";
  const std::wstring user = userFolder + L"\\Tessora.ini";
  struct SaveCase {
    const char* name;
    std::wstring perUser;
    int result;
    std::wstring message;
  };
  const SaveCase cases[] = {
      {"the user's own file", user, tk::mrOk, L""},
      {"nowhere", L"", tk::mrCancel, L"ファイル " + closed + L" を作成できません"},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    messageText.clear();
    form_ = tk::NewForm<TfrmConfig>(nullptr, nullptr, SettingsPaths{closed, c.perUser});
    TfrmConfig& form = *form_;
    PostMessageW(form.OkBtn->Handle(), BM_CLICK, 0, 0);
    // After the message the dialog is still there: Cancel ends it.
    pressAfterMessage = form.CanselBtn->Handle();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerMessage);
    EXPECT_EQ(form.ShowModal(), c.result);
    KillTimer(nullptr, timer);
    EXPECT_EQ(messageText, c.message);
    EXPECT_EQ(GetFileAttributesW(closed.c_str()), INVALID_FILE_ATTRIBUTES);
    if (!c.perUser.empty()) {
      EXPECT_EQ(ReadBytes(user).substr(0, 18), "[Option]\r\nrandom=0");
    }
    delete form_;
    form_ = nullptr;
  }
  DeleteFileW(user.c_str());
  RemoveDirectoryW(userFolder.c_str());
}

// A file that exists but could not be read is not replaced unless the user says yes.
TEST_F(ConfigDialogTest, AnUnreadableSettingsFileIsReplacedOnlyOnYes) {
  const char* text = "[Option]\r\nspan=90\r\n";
  ini_ = TempIni();
  { std::ofstream(std::filesystem::path(ini_), std::ios::binary) << text; }
  HANDLE locker = CreateFileW(ini_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locker, INVALID_HANDLE_VALUE);
  form_ = tk::NewForm<TfrmConfig>(nullptr, nullptr, SettingsPaths{ini_, {}});
  CloseHandle(locker);
  bool asked = false, stillOpen = false;
  tk::Timer answer(nullptr);
  answer.SetInterval(50);
  answer.OnTimer = [&] {
    if (HWND box = FindWindowW(nullptr, L"確認")) {
      asked = true;
      PostMessageW(box, WM_CLOSE, 0, 0);  // the close box answers No
    } else if (asked && !stillOpen) {
      stillOpen = form_->Modal();
      PostMessageW(form_->CanselBtn->Handle(), BM_CLICK, 0, 0);
    }
  };
  PostMessageW(form_->OkBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form_->ShowModal(), tk::mrCancel);
  answer.SetEnabled(false);
  EXPECT_TRUE(asked);
  EXPECT_TRUE(stillOpen) << "No keeps the dialog open";
  EXPECT_EQ(ReadBytes(ini_), text);
}

// The set box as the user sees it: its items and the text of its edit field.
std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    items.push_back(text);
  }
  return items;
}

// A drop from the shell: the handle Explorer hands over, with wide paths.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const auto& path : paths) list += path + L'\0';
  list += L'\0';
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

std::vector<std::string> Names(const ConfigModel& model) {
  std::vector<std::string> names;
  for (const ConfigRow& row : model.Rows()) names.push_back(row.displayName);
  return names;
}

TEST_F(ConfigDialogTest, SetBoxShowsTheStoredSetsAndTheSelectedOne) {
  TempFile there(L"confdlg_there.scr");
  const std::string lines =
      "[SetList]\r\nCount=3\r\nItem0=Alpha\r\nItem2=Gamma\r\nCurrent=1\r\n[Set0]\r\nA=a.scr\r\n"
      "[Set2]\r\nThere=" +
      there.Ansi() + ",30,4\r\nGone=C:\\nowhere\\gone.scr,0\r\n";
  struct SetCase {
    const char* name;
    std::string ini;
    std::vector<std::wstring> items;
    int selected;
    std::wstring editText;
    std::vector<std::string> rows;
  };
  const SetCase table[] = {
      {"Item1 missing, Current names the one from Set2", lines, {L"Alpha", L"Gamma"}, 1, L"Gamma", {"There", "Gone"}},
      {"Current beyond the sets",
       "[SetList]\r\nCount=2\r\nItem0=Alpha\r\nItem1=Beta\r\nCurrent=5\r\n[Set0]\r\nA=a.scr\r\n",
       {L"Alpha", L"Beta"},
       -1,
       L"",
       {}},
      {"the older Savers section", "[Savers]\r\nOld=C:\\old.scr\r\n", {L"Default"}, 0, L"Default", {"Old"}},
      {"no file at all", "", {L"Default"}, 0, L"Default", {}},
  };
  for (const SetCase& row : table) {
    SCOPED_TRACE(row.name);
    TfrmConfig& form = Open(row.ini.empty() ? nullptr : row.ini.c_str());
    HWND combo = form.SetList->Handle();
    EXPECT_EQ(ComboItems(combo), row.items);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), row.selected);
    EXPECT_EQ(WindowText(combo), row.editText);
    EXPECT_EQ(Names(form.Model()), row.rows);
    EXPECT_FALSE(form.Model().Edited());
    delete form_;
    form_ = nullptr;
    DeleteFileW(ini_.c_str());
  }
}

TEST_F(ConfigDialogTest, StoredRowsCarryTheirCellsAndMissingMarks) {
  TempFile there(L"confdlg_there.scr");
  const std::string ini = "[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nThere=" + there.Ansi() +
                          ",30,4\r\nGone=C:\\nowhere\\gone.scr,0\r\n";
  TfrmConfig& form = Open(ini.c_str());
  const auto& rows = form.Model().Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].seconds, "30");
  EXPECT_EQ(rows[0].level, 4);
  EXPECT_FALSE(rows[0].missing);
  EXPECT_EQ(rows[1].seconds, "");
  EXPECT_EQ(rows[1].level, 2);
  EXPECT_TRUE(rows[1].missing);
  EXPECT_EQ(form.Model().PathList(), (std::vector<std::string>{there.Ansi(), "C:\\nowhere\\gone.scr"}));
}

TEST_F(ConfigDialogTest, ArrowKeyInTheSetBoxShowsTheNextSet) {
  TfrmConfig& form = Open(
      "[SetList]\r\nCount=2\r\nItem0=Alpha\r\nItem1=Beta\r\nCurrent=0\r\n[Set0]\r\nA=a.scr\r\n[Set1]\r\nB1=b1.scr\r\n"
      "B2=b2.scr\r\n");
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  form.SetList->SetFocus();
  numtest::Key(VK_DOWN, true);
  numtest::Key(VK_DOWN, false);
  EXPECT_TRUE(PumpUntil([&] { return form.Model().ShownSet() == 1; }, 2000));
  EXPECT_EQ(Names(form.Model()), (std::vector<std::string>{"B1", "B2"}));
  EXPECT_EQ(WindowText(form.SetList->Handle()), L"Beta");
}

TEST_F(ConfigDialogTest, DeletingTheShownSetShowsItsNeighbour) {
  const char* ini =
      "[SetList]\r\nCount=3\r\nItem0=A\r\nItem1=B\r\nItem2=C\r\nCurrent=%d\r\n[Set0]\r\na=a.scr\r\n[Set1]\r\n"
      "b=b.scr\r\n[Set2]\r\nc=c.scr\r\n";
  struct DeleteCase {
    int shown;
    std::vector<std::wstring> left;
    std::wstring nowShown;
    std::vector<std::string> rows;
  };
  for (const DeleteCase& row : {DeleteCase{1, {L"A", L"C"}, L"C", {"c"}}, DeleteCase{2, {L"A", L"B"}, L"B", {"b"}},
                                DeleteCase{0, {L"B", L"C"}, L"B", {"b"}}}) {
    SCOPED_TRACE(row.shown);
    char text[512];
    snprintf(text, sizeof text, ini, row.shown);
    TfrmConfig& form = Open(text);
    form.Show();
    SendMessageW(form.delSetBtn->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(ComboItems(form.SetList->Handle()), row.left);
    EXPECT_EQ(WindowText(form.SetList->Handle()), row.nowShown);
    EXPECT_EQ(Names(form.Model()), row.rows);
    delete form_;
    form_ = nullptr;
    DeleteFileW(ini_.c_str());
  }
}

TEST_F(ConfigDialogTest, DeletingTheLastSetLeavesTheBoxEmpty) {
  TfrmConfig& form = Open("[SetList]\r\nCount=1\r\nItem0=Only\r\nCurrent=0\r\n[Set0]\r\na=a.scr\r\n");
  form.Show();
  SendMessageW(form.delSetBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(ComboItems(form.SetList->Handle()).empty());
  EXPECT_EQ(WindowText(form.SetList->Handle()), L"");
  EXPECT_TRUE(form.Model().Rows().empty());
  // With nothing selected a second press deletes nothing.
  SendMessageW(form.delSetBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(ComboItems(form.SetList->Handle()).empty());
}

TEST_F(ConfigDialogTest, RegisteringUnderATakenNameAsksBeforeOverwriting) {
  TempFile one(L"confdlg_one.scr");
  const std::string ini =
      "[SetList]\r\nCount=2\r\nItem0=Default\r\nItem1=Other\r\nCurrent=1\r\n[Set0]\r\n"
      "d=d.scr\r\n[Set1]\r\nOne=" +
      one.Ansi() + ",0,2\r\n";
  struct AnswerCase {
    const wchar_t* answer;
    std::vector<std::string> defaultLines;
    int selected;
  };
  const AnswerCase table[] = {
      {L"はい(&Y)", {"One=" + one.Ansi() + ",0,2"}, 0},
      {L"いいえ(&N)", {"d=\"d.scr\""}, -1},
  };
  for (const AnswerCase& row : table) {
    SCOPED_TRACE(Narrow(row.answer));
    TfrmConfig& form = Open(ini.c_str());
    form.Show();
    ASSERT_TRUE(numtest::BringToFront(form.Handle()));
    form.SetList->SetFocus();
    // The user types the name in other letter case.
    SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
    for (WORD key : {WORD('D'), WORD('E'), WORD('F'), WORD('A'), WORD('U'), WORD('L'), WORD('T')}) {
      numtest::Key(key, true);
      numtest::Key(key, false);
    }
    ASSERT_TRUE(PumpUntil([&] { return form.Model().SetListText() == "default"; }, 2000)) << form.Model().SetListText();
    confirmAnswer = row.answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerConfirm);
    SendMessageW(form.addSetBtn->Handle(), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    ASSERT_EQ(form.Model().SetList().size(), 2u);
    EXPECT_EQ(form.Model().SetList()[0].name, "Default") << "the stored name stays";
    EXPECT_EQ(form.Model().SetList()[0].lines, row.defaultLines);
    EXPECT_EQ(form.Model().SetListIndex(), row.selected);
    EXPECT_EQ(ComboItems(form.SetList->Handle()), (std::vector<std::wstring>{L"Default", L"Other"}));
    delete form_;
    form_ = nullptr;
    DeleteFileW(ini_.c_str());
  }
}

TEST_F(ConfigDialogTest, DroppedSaverFilesAreAddedAsTheAddButtonAddsThem) {
  TfrmConfig& form = Open("[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nKept=C:\\kept.scr,15,1\r\n");
  HWND list = form.ListView1->Handle();
  EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const std::wstring tessora = TessoraBinPath(L"Tessora.scr");
  TempFile one(L"confdlg_drop_one.scr", tessora);
  TempFile two(L"confdlg_drop_two.SCR", tessora);
  TempFile text(L"confdlg_drop.txt");
  // Another name for the running program's own file: never listed.
  const std::wstring module = tk::ModuleFilePath();
  const std::wstring self = module.substr(0, module.rfind(L'\\') + 1) + L"confdlg_self.scr";
  // Wine keeps a link to the running image from being deleted: one left by an earlier
  // run of this very build is used again.
  if (!IsRunningProgram(::Ansi(self))) {
    DeleteFileW(self.c_str());
    ASSERT_TRUE(CreateHardLinkW(self.c_str(), module.c_str(), nullptr));
  }
  ASSERT_TRUE(IsRunningProgram(::Ansi(self)));
  SendMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({one.Path(), text.Path(), self, two.Path()})), 0);
  DeleteFileW(self.c_str());
  EXPECT_EQ(Names(form.Model()), (std::vector<std::string>{"Kept", "Tessora", "Tessora (2)"}))
      << "the saver's own name; a taken one made distinct";
  EXPECT_EQ(form.Model().PathList(), (std::vector<std::string>{"C:\\kept.scr", one.Ansi(), two.Ansi()}));
  EXPECT_TRUE(form.Model().Edited());
  EXPECT_EQ(ListTexts(form), (std::vector<std::wstring>{L"Kept|15|低め", L"Tessora||標準", L"Tessora (2)||標準"}));
  // The same files again, in other letter case: nothing new.
  std::wstring upper = one.Path();
  CharUpperW(upper.data());
  SendMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({upper})), 0);
  EXPECT_EQ(form.Model().Rows().size(), 3u);
}

TEST_F(ConfigDialogTest, DropWithoutSaverFilesChangesNothing) {
  TfrmConfig& form = Open("[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nKept=C:\\kept.scr\r\n");
  TempFile text(L"confdlg_drop_only.txt");
  SendMessageW(form.ListView1->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({text.Path()})), 0);
  EXPECT_EQ(Names(form.Model()), std::vector<std::string>{"Kept"});
  EXPECT_FALSE(form.Model().Edited());
}

// The darkest pixel of each column of a row, inside the cell's grid lines.
std::vector<int> DarkestPerColumn(TfrmConfig& form, int row) {
  HWND list = form.ListView1->Handle();
  RECT r = form.ListView1->ItemRect(row);
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
  uitest::ScreenShot shot(r);
  std::vector<int> darkest;
  int left = r.left;
  for (int column = 0; column < 3; ++column) {
    const int right = left + form.ListView1->ColumnWidth(column);
    int least = 255;
    for (int y = r.top + 2; y < r.bottom - 2; ++y) {
      for (int x = left + 2; x < right - 2; ++x) least = std::min(least, uitest::Luma(shot.At(x, y)));
    }
    darkest.push_back(least);
    left = right;
  }
  return darkest;
}

TEST_F(ConfigDialogTest, RowsOfMissingFilesAreGreyInAllColumns) {
  TempFile there(L"confdlg_grey.scr");
  TfrmConfig& form = Open(TwoRowSet(there.Ansi()).c_str());
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  form.ListView1->SetSelectedIndex(-1);
  UpdateWindow(form.ListView1->Handle());
  PumpFor(100);
  const int text = uitest::Luma(GetSysColor(COLOR_WINDOWTEXT));
  const int grey = uitest::Luma(GetSysColor(COLOR_GRAYTEXT));
  ASSERT_GT(grey - text, 40) << "the two colours must be told apart";
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    const bool missing = row == 1;
    const std::vector<int> darkest = DarkestPerColumn(form, row);
    for (int column = 0; column < 3; ++column) {
      SCOPED_TRACE(column);
      if (form.ListView1->ItemText(row, column).empty()) continue;
      // Smoothed edges are lighter than the text colour, never darker.
      if (missing) {
        EXPECT_GE(darkest[column], grey - 8);
        EXPECT_LE(darkest[column], grey + 30);
      } else {
        EXPECT_LE(darkest[column], text + 30);
      }
    }
  }
}

TEST_F(ConfigDialogTest, HintIsThePathOfTheRowLastPressed) {
  TempFile there(L"confdlg_hint.scr");
  TfrmConfig& form = Open(TwoRowSet(there.Ansi()).c_str());
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  EXPECT_EQ(form.ListView1->Hint(), L"") << "none until a row is pressed";
  HWND list = form.ListView1->Handle();
  const auto press = [&](POINT p) {
    ASSERT_TRUE(numtest::PointAt(list, p.x, p.y));
    numtest::LeftButton(true);
    numtest::LeftButton(false);
    PumpFor(150);
  };
  const RECT second = form.ListView1->ItemRect(1);
  press({second.left + 20, (second.top + second.bottom) / 2});
  EXPECT_EQ(form.ListView1->Hint(), L"C:\\nowhere\\gone.scr");
  EXPECT_EQ(form.ListView1->SelectedIndex(), 1);
  // In the seconds column of the first row: still the row's path.
  const RECT first = form.ListView1->ItemRect(0);
  press({first.left + form.ListView1->ColumnWidth(0) + 10, (first.top + first.bottom) / 2});
  EXPECT_EQ(form.ListView1->Hint(), there.Path());
  press({20, 170});
  EXPECT_EQ(form.ListView1->Hint(), L"") << "below the rows";
}

struct MoveCase {
  const char* name;
  int selected;
  bool up;
  std::vector<std::wstring> rows;
  int selectedAfter;
  bool edited;
};

TEST_F(ConfigDialogTest, MovingARowCarriesAllItsCells) {
  TempFile there(L"confdlg_move.scr");
  const MoveCase table[] = {
      {"second up", 1, true, {L"Gone|45|低", L"There|30|高", L"Last||標準"}, 0, true},
      {"second down", 1, false, {L"There|30|高", L"Last||標準", L"Gone|45|低"}, 2, true},
      {"first up", 0, true, {L"There|30|高", L"Gone|45|低", L"Last||標準"}, 0, false},
      {"last down", 2, false, {L"There|30|高", L"Gone|45|低", L"Last||標準"}, 2, false},
      {"none up", -1, true, {L"There|30|高", L"Gone|45|低", L"Last||標準"}, -1, false},
  };
  for (const MoveCase& row : table) {
    SCOPED_TRACE(row.name);
    TfrmConfig& form = Open(TwoRowSet(there.Ansi()).c_str());
    form.Show();
    form.ListView1->SetSelectedIndex(row.selected);
    SendMessageW((row.up ? form.upBtn : form.dwnBtn)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(ListTexts(form), row.rows);
    EXPECT_EQ(form.ListView1->SelectedIndex(), row.selectedAfter);
    EXPECT_EQ(form.Model().Edited(), row.edited);
    // The grey mark and the path went along with the row.
    const auto& model = form.Model();
    for (size_t i = 0; i < model.Rows().size(); ++i) {
      EXPECT_EQ(model.Rows()[i].missing, model.Rows()[i].displayName == "Gone");
      EXPECT_EQ(model.PathList()[i] == "C:\\nowhere\\gone.scr", model.Rows()[i].displayName == "Gone");
    }
    delete form_;
    form_ = nullptr;
    DeleteFileW(ini_.c_str());
  }
}

TEST_F(ConfigDialogTest, DeleteTakesTheSelectedRowAndClearTakesAll) {
  TempFile there(L"confdlg_delete.scr");
  TfrmConfig& form = Open(TwoRowSet(there.Ansi()).c_str());
  form.Show();
  form.ListView1->SetSelectedIndex(-1);
  SendMessageW(form.delBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ListView1->ItemCount(), 3);
  EXPECT_FALSE(form.Model().Edited()) << "nothing selected, nothing deleted";
  form.ListView1->SetSelectedIndex(1);
  SendMessageW(form.delBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ListTexts(form), (std::vector<std::wstring>{L"There|30|高", L"Last||標準"}));
  EXPECT_EQ(form.Model().PathList(), (std::vector<std::string>{there.Ansi(), there.Ansi()}));
  EXPECT_TRUE(form.Model().Edited());
  SendMessageW(form.clrBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ListView1->ItemCount(), 0);
  EXPECT_TRUE(form.Model().PathList().empty());
}

// What the driver saw of the list's pop-up menu.
struct MenuSeen {
  std::vector<std::wstring> captions;
  std::vector<bool> grey;
  int defaultItem = -2;
};

TEST_F(ConfigDialogTest, MenuItemsAreEnabledExactlyWithASelectedRow) {
  TempFile there(L"confdlg_menu.scr");
  TfrmConfig& form = Open(TwoRowSet(there.Ansi()).c_str());
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  HWND list = form.ListView1->Handle();
  const RECT second = form.ListView1->ItemRect(1);
  POINT onRow{second.left + 20, (second.top + second.bottom) / 2};
  POINT below{20, 170};
  ClientToScreen(list, &onRow);
  ClientToScreen(list, &below);
  struct MenuCase {
    const char* name;
    POINT at;
    bool enabled;
  };
  for (const MenuCase& row : {MenuCase{"on a row", onRow, true}, MenuCase{"below the rows", below, false}}) {
    SCOPED_TRACE(row.name);
    MenuSeen seen;
    uitest::Driver driver([&](uitest::Driver& d) {
      if (!uitest::ClickAt(row.at, uitest::Button::Right)) return d.Fail("pointer");
      HWND window = uitest::WaitForOwnWindow(L"#32768", 5000);
      if (!window) return d.Fail("no menu");
      HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        seen.captions.push_back(text);
        seen.grey.push_back(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED);
      }
      seen.defaultItem = static_cast<int>(GetMenuDefaultItem(menu, TRUE, GMDI_USEDISABLED));
      uitest::Press(VK_ESCAPE);
      uitest::WaitUntil([&] { return !IsWindowVisible(window); }, 5000);
    });
    EXPECT_TRUE(::PumpUntil([&] { return driver.Done(); }, 10000));
    driver.Join();
    EXPECT_EQ(driver.Failure(), "");
    EXPECT_EQ(seen.captions, (std::vector<std::wstring>{L"表示(&V)", L"設定(&C)", L"", L"個別設定"}));
    const bool off = !row.enabled;
    ASSERT_EQ(seen.grey.size(), 4u);
    // The separator is left out: it is never chosen, whatever the system says of it.
    EXPECT_EQ((std::vector<bool>{seen.grey[0], seen.grey[1], seen.grey[3]}), (std::vector<bool>{off, off, off}));
    EXPECT_EQ(seen.defaultItem, 3);
  }
}

TEST_F(ConfigDialogTest, AddButtonAddsTheFilesTypedIntoTheOpenDialog) {
  const std::wstring folder = TempFolder() + L"confdlg_add_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring named = folder + L"\\Announcer.scr";
  const std::wstring plain = folder + L"\\Plain.scr";
  const std::wstring mark = folder + L"\\ran.txt";
  CopyFileW(TessoraBinPath(L"tests\\windows\\announcer\\Announcer.dll").c_str(), named.c_str(), FALSE);
  std::ofstream(std::filesystem::path(plain)) << "no resources here";
  SetEnvironmentVariableW(L"ANNOUNCER_MARK", mark.c_str());
  TfrmConfig& form = Open("[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nKept=C:\\kept.scr\r\n");
  EXPECT_EQ(form.OpenDialog1->Filter, L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)|*.scr");
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(form.OpenDialog1->InitialDir, system);
  form.Show();
  ASSERT_TRUE(numtest::BringToFront(form.Handle()));
  std::wstring title;
  uitest::Driver driver([&](uitest::Driver& d) {
    HWND dialog = uitest::WaitForOwnWindow(L"#32770", 10000);
    if (!dialog) return d.Fail("no open dialog");
    title = uitest::TextOf(dialog);
    HWND field = nullptr;
    uitest::WaitUntil([&] { return (field = uitest::FileNameField(dialog)) != nullptr; }, 3000);
    if (!field) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return d.Fail("no file name field");
    }
    // Into the folder first, then both files at once.
    SetForegroundWindow(dialog);
    SetFocus(field);
    uitest::WaitUntil([&] { return uitest::FocusOf(dialog) == field; }, 2000);
    uitest::Type(folder);
    uitest::Press(VK_RETURN);
    Sleep(300);
    uitest::Type(L"\"Announcer.scr\" \"Plain.scr\"");
    uitest::Press(VK_RETURN);
    if (!uitest::WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000)) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      d.Fail("the dialog stayed open");
    }
  });
  PostMessageW(form.addBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(::PumpUntil([&] { return driver.Done(); }, 20000));
  driver.Join();
  EXPECT_EQ(driver.Failure(), "");
  EXPECT_EQ(ListTexts(form),
            (std::vector<std::wstring>{L"Kept||標準", L"アナウンサー Announcer||標準", L"Plain.scr||標準"}));
  EXPECT_EQ(form.Model().PathList(), (std::vector<std::string>{"C:\\kept.scr", ::Ansi(named), ::Ansi(plain)}));
  EXPECT_TRUE(form.Model().Edited());
  EXPECT_EQ(GetFileAttributesW(mark.c_str()), INVALID_FILE_ATTRIBUTES) << "the saver's code ran";
  SetEnvironmentVariableW(L"ANNOUNCER_MARK", nullptr);
  DeleteFileW(named.c_str());
  DeleteFileW(plain.c_str());
  DeleteFileW(mark.c_str());
  RemoveDirectoryW(folder.c_str());
}

// Real keys while the dialog's modal loop runs: Escape, a look whether the dialog is
// still open, then Enter. A last timer ends a loop that nothing closed.
TfrmConfig* keyTarget = nullptr;
bool openAfterEscape = false;
void Tap(WORD vk) {
  numtest::Key(vk, true);
  numtest::Key(vk, false);
}
void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  keyTarget->SetModalResult(IDABORT);
}
void CALLBACK PressEnter(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  openAfterEscape = keyTarget->ModalResult() == tk::mrNone && IsWindowVisible(keyTarget->Handle());
  Tap(VK_RETURN);
  SetTimer(nullptr, 0, 5000, GiveUp);
}
void CALLBACK PressEscape(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  SetForegroundWindow(keyTarget->Handle());
  keyTarget->SetList->SetFocus();
  Tap(VK_ESCAPE);
  SetTimer(nullptr, 0, 400, PressEnter);
}

TEST_F(ConfigDialogTest, EnterPressesOkAndEscapeNothing) {
  TfrmConfig& form = Open(nullptr);
  keyTarget = &form;
  openAfterEscape = false;
  SetTimer(nullptr, 0, 300, PressEscape);
  EXPECT_EQ(form.ShowModal(), tk::mrOk);
  EXPECT_TRUE(openAfterEscape) << "Escape closed the dialog";
}

}  // namespace
