// The configuration dialog's per-entry work with real input: the per-entry options of
// a row (double click and menu), clearing every row's own settings, the background
// colour, and what the menu and the help button start.
#include <windows.h>
// After windows.h, which it builds on.
#include <colordlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ConfigDialogTestSupport.h"
#include "NumericTestSupport.h"
#include "ProcessTestSupport.h"
#include "UiDriver.h"
#include "WineTestSupport.h"
#include "config/SaverCommands.h"
#include "config/SystemFolderAccess.h"
#include "config/option.h"
#include "toolkit/WinCalls.h"

using namespace tessora;
using namespace tessora::configtest;

namespace {

const wchar_t* const kOptionsCaption = L"Tessora 個別オプション";

std::wstring DemoSaver(const std::wstring& id) { return TessoraBinPath(L"tools\\demosaver\\" + id + L".scr"); }

// The per-entry options window of this process, once it shows.
HWND WaitForOptions(DWORD timeoutMs) {
  HWND found = nullptr;
  uitest::WaitUntil(
      [&] {
        for (HWND wnd : uitest::OwnWindows(L"Tessora.Form"))
          if (uitest::TextOf(wnd) == kOptionsCaption) found = wnd;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

POINT ScreenPoint(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  return p;
}

// The centre of a row's caption cell, on the screen.
POINT RowPoint(TfrmConfig& form, int row) {
  const RECT r = form.ListView1->ItemRect(row);
  return ScreenPoint(form.ListView1->Handle(), r.left + 30, (r.top + r.bottom) / 2);
}

bool DoubleClickAt(POINT p) {
  if (!uitest::MoveTo(p)) return false;
  for (int i = 0; i < 2; ++i) {
    uitest::ButtonEvent(uitest::Button::Left, true);
    uitest::ButtonEvent(uitest::Button::Left, false);
    Sleep(30);
  }
  return true;
}

class ConfigEntriesTest : public ConfigDialogFixture {
 protected:
  TfrmConfig& OpenShown(const std::string& ini) {
    TfrmConfig& form = Open(ini.c_str());
    form.Show();
    EXPECT_TRUE(numtest::BringToFront(form.Handle()));
    PumpFor(100);
    return form;
  }

  // Runs the script on its own thread while this one pumps, until it is done.
  static void Drive(const std::function<void(uitest::Driver&)>& script) {
    EXPECT_EQ(uitest::Drive(script, 20000), "");
  }
};

std::string OneRowSet(const std::string& span, const std::string& value) {
  return "[Option]\r\nspan=" + span + "\r\n[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nA=" + value +
         "\r\nB=C:\\b.scr,20,3\r\n";
}

// What the user does in the per-entry options: keys and clicks on its window.
enum class Answer { Ok, TypeThenOk, TypeLevelThenOk, Reset, TypeThenCancel };

struct EntryCase {
  const char* name;
  std::string span;   // the global interval
  std::string value;  // the first row's stored value
  Answer answer;
  std::wstring typed;
  std::wstring shown;     // the seconds field when the options opened
  std::wstring rowAfter;  // the first row as the list shows it afterwards
  bool edited;
  bool clearInterval = false;  // the user emptied the interval field first
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class EntryOptions : public ConfigEntriesTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(EntryOptions, DoubleClickOpensTheRowsOptionsOverTheListAndTheAnswerReachesTheRow) {
  const EntryCase& c = GetParam();
  TfrmConfig& form = OpenShown(OneRowSet(c.span, c.value));
  if (c.clearInterval) {
    // As the user empties it: everything selected, then Delete.
    form.SpanT->SetFocus();
    SendMessageW(form.SpanT->Handle(), EM_SETSEL, 0, -1);
    numtest::Key(VK_DELETE, true);
    numtest::Key(VK_DELETE, false);
    ASSERT_TRUE(PumpUntil([&] { return form.SpanT->Text().empty(); }, 3000)) << form.SpanT->Text();
  }
  const POINT expectedOrigin = OptionsOrigin(PlacementOf(form.Handle(), *form.ListView1));
  const POINT row = RowPoint(form, 0);
  std::wstring shown;
  RECT window{};
  Drive([&](uitest::Driver& d) {
    if (!DoubleClickAt(row)) return d.Fail("pointer");
    HWND options = WaitForOptions(5000);
    if (!options) return d.Fail("no options dialog");
    GetWindowRect(options, &window);
    if (!uitest::WaitUntil([&] { return GetForegroundWindow() == options; }, 3000)) SetForegroundWindow(options);
    HWND field = nullptr;
    uitest::WaitUntil([&] { return (field = uitest::FocusOf(options)) != nullptr; }, 2000);
    shown = uitest::TextOf(field);
    const auto closed = [&] { return !IsWindow(options) || !IsWindowVisible(options); };
    switch (c.answer) {
      case Answer::Ok:
        uitest::Press(VK_RETURN);
        break;
      case Answer::TypeThenOk:
      case Answer::TypeThenCancel:
      case Answer::TypeLevelThenOk:
        SendMessageW(field, EM_SETSEL, 0, -1);
        uitest::Type(c.typed);
        if (!uitest::WaitUntil([&] { return uitest::TextOf(field) == c.typed; }, 3000)) d.Fail("typed seconds");
        if (c.answer == Answer::TypeLevelThenOk) {
          uitest::Press(VK_TAB);  // to the frequency list
          uitest::Press(VK_END);  // its last level
          Sleep(100);
        }
        if (c.answer == Answer::TypeThenCancel) {
          uitest::ClickAt(ScreenPoint(options, 168 + 28, 66 + 11));
        } else {
          uitest::Press(VK_RETURN);
        }
        break;
      case Answer::Reset:
        uitest::ClickAt(ScreenPoint(options, 106 + 28, 66 + 11));
        break;
    }
    if (!uitest::WaitUntil(closed, 5000)) {
      PostMessageW(options, WM_CLOSE, 0, 0);
      d.Fail("the options stayed open");
    }
  });
  EXPECT_EQ(shown, c.shown);
  EXPECT_EQ(window.left, expectedOrigin.x);
  EXPECT_EQ(window.top, expectedOrigin.y);
  const std::vector<std::wstring> rows = ListTexts(form);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], c.rowAfter);
  EXPECT_EQ(rows[1], L"B|20|高め") << "only the selected row changes";
  EXPECT_EQ(form.Model().Edited(), c.edited);
  // The model holds what the list shows.
  EXPECT_EQ(L"A|" + tk::ToWide(form.Model().Rows()[0].seconds) + L"|" +
                std::wstring(FrequencyWordsWide[static_cast<std::size_t>(form.Model().Rows()[0].level)]),
            c.rowAfter);
}

const EntryCase kEntryCases[] = {
    {"AnEmptyCellOpensWithTheGlobalIntervalAndStaysEmpty", "45", "C:\\a.scr,0,1", Answer::Ok, L"", L"45",
     L"A||低め", true},
    {"OwnSecondsAreKeptAsTyped", "45", "C:\\a.scr,15,1", Answer::TypeThenOk, L"90", L"15", L"A|90|低め", true},
    {"TheGlobalIntervalTypedLeavesNoOwnSeconds", "45", "C:\\a.scr,15,1", Answer::TypeThenOk, L"45", L"15",
     L"A||低め", true},
    {"TheFrequencyListSetsTheLevel", "45", "C:\\a.scr,15,1", Answer::TypeLevelThenOk, L"30", L"15", L"A|30|高",
     true},
    {"AGlobalIntervalOfZeroOpensWithOneAndOkStoresIt", "0", "C:\\a.scr,0,2", Answer::Ok, L"", L"1", L"A|1|標準",
     true},
    {"AnEmptyIntervalOpensWithSixtyWhichIsThenTheRowsOwn", "45", "C:\\a.scr,0,2", Answer::Ok, L"", L"60",
     L"A|60|標準", true, true},
    {"ResetEmptiesTheSecondsAndSetsStandard", "45", "C:\\a.scr,15,1", Answer::Reset, L"", L"15", L"A||標準", true},
    {"ResetMarksTheListEditedEvenWhenNothingChanges", "45", "C:\\a.scr,0,2", Answer::Reset, L"", L"45",
     L"A||標準", true},
    {"CancelChangesNothing", "45", "C:\\a.scr,15,1", Answer::TypeThenCancel, L"99", L"15", L"A|15|低め", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, EntryOptions, testing::ValuesIn(kEntryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigEntriesTest, MenuItemOpensTheOptionsAndADoubleClickOnNoRowOpensNothing) {
  TfrmConfig& form = OpenShown(OneRowSet("45", "C:\\a.scr,15,1"));
  const POINT row = RowPoint(form, 0);
  const POINT below = ScreenPoint(form.ListView1->Handle(), 30, 160);
  bool openedBelow = true;
  Drive([&](uitest::Driver& d) {
    openedBelow = DoubleClickAt(below) && WaitForOptions(1000) != nullptr;
    if (!uitest::ClickAt(row, uitest::Button::Right)) return d.Fail("pointer");
    HWND menuWindow = uitest::WaitForOwnWindow(L"#32768", 5000);
    if (!menuWindow) return d.Fail("no menu");
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    RECT item{};
    GetMenuItemRect(nullptr, menu, 3, &item);
    Sleep(100);
    uitest::ClickAt(uitest::CentreOf(item));
    HWND options = WaitForOptions(5000);
    if (!options) return d.Fail("no options dialog from the menu");
    uitest::WaitUntil([&] { return GetForegroundWindow() == options; }, 3000);
    uitest::ClickAt(ScreenPoint(options, 106 + 28, 66 + 11));  // リセット
    if (!uitest::WaitUntil([&] { return !IsWindow(options); }, 5000)) {
      PostMessageW(options, WM_CLOSE, 0, 0);
      d.Fail("the options stayed open");
    }
  });
  EXPECT_FALSE(openedBelow);
  EXPECT_EQ(ListTexts(form), (std::vector<std::wstring>{L"A||標準", L"B|20|高め"}));
  EXPECT_TRUE(form.Model().Edited());
}

// A click in the middle of a control, also one without a window of its own.
void ClickOn(tk::Control& control) {
  ASSERT_TRUE(numtest::PointAt(control.Parent()->Handle(), control.Left() + control.Width() / 2,
                               control.Top() + control.Height() / 2));
  numtest::LeftButton(true);
  PumpFor(40);
  numtest::LeftButton(false);
  PumpFor(150);
}

TEST_F(ConfigEntriesTest, ClearingIndividualSettingsResetsEveryRowWithoutAQuestion) {
  TfrmConfig& form = OpenShown(OneRowSet("45", "C:\\a.scr,15,1"));
  ClickOn(*form.BitBtn1);
  EXPECT_EQ(ListTexts(form), (std::vector<std::wstring>{L"A||標準", L"B||標準"}));
  EXPECT_TRUE(form.Model().Edited());
  EXPECT_TRUE(uitest::OwnWindows(L"#32770").empty()) << "a question came up";

  // An empty list: nothing to clear, and the list is not marked edited.
  delete form_;
  form_ = nullptr;
  TfrmConfig& empty = OpenShown("[SetList]\r\nCount=1\r\nItem0=Empty\r\nCurrent=0\r\n");
  ClickOn(*empty.BitBtn1);
  EXPECT_FALSE(empty.Model().Edited());
}

TEST_F(ConfigEntriesTest, BackgroundSwatchOpensTheColourDialogOnItsColourAndTakesTheChoice) {
  // 0x336699 is none of the dialog's basic colours: OK can only give it back if the
  // dialog was opened on it.
  TfrmConfig& form = OpenShown("[Option]\r\nbgcolor=0,3368601\r\n");
  ASSERT_EQ(form.BackCol->Color(), 0x336699u);
  struct Step {
    const char* name;
    bool pickSwatch;
    int button;
  };
  COLORREF picked = CLR_INVALID;
  for (const Step& step : {Step{"OK as it opened", false, IDOK}, Step{"a swatch, then Cancel", true, IDCANCEL},
                           Step{"a swatch, then OK", true, IDOK}}) {
    SCOPED_TRACE(step.name);
    const POINT swatch = ScreenPoint(form.BackCol->Handle(), form.BackCol->Width() / 2, form.BackCol->Height() / 2);
    Drive([&](uitest::Driver& d) {
      if (!uitest::ClickAt(swatch)) return d.Fail("pointer");
      HWND dialog = uitest::WaitForOwnWindow(L"#32770", 10000);
      if (!dialog) return d.Fail("no colour dialog");
      uitest::WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000);
      Sleep(150);
      if (step.pickSwatch) {
        RECT r{};
        GetWindowRect(GetDlgItem(dialog, COLOR_BOX1), &r);
        const POINT p{r.left + (r.right - r.left) * 7 / 16, r.top + (r.bottom - r.top) * 3 / 12};
        picked = uitest::ScreenPixel(p);
        uitest::ClickAt(p);
        Sleep(100);
      }
      uitest::ClickAt(uitest::ScreenCentreOf(GetDlgItem(dialog, step.button)));
      if (!uitest::WaitUntil([&] { return !IsWindow(dialog); }, 5000)) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        d.Fail("the dialog stayed open");
      }
    });
    EXPECT_EQ(form.BackCol->Color(), step.pickSwatch && step.button == IDOK ? picked : 0x336699u);
  }
  EXPECT_NE(picked, 0x336699u);
  EXPECT_FALSE(form.BackChk->Checked()) << "the colour is chosen without the box";
  EXPECT_FALSE(form.Model().Edited());
}

// ---- What the menu and the help button start ----

// A registry value of the classes root for the test's time, put back afterwards.
class ScopedClassValue {
 public:
  ScopedClassValue(std::wstring key, const std::wstring& value) : key_(std::move(key)) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS) {
      wchar_t old[512] = {};
      DWORD size = sizeof old;
      if (RegQueryValueExW(h, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS)
        previous_ = old;
      RegCloseKey(h);
      existed_ = true;
    }
    Set(value);
  }
  ~ScopedClassValue() {
    if (previous_) {
      Set(*previous_);
    } else if (!existed_) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key_.c_str());
    }
  }

 private:
  void Set(const std::wstring& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
      return;
    RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
  }

  std::wstring key_;
  std::optional<std::wstring> previous_;
  bool existed_ = false;
};

class ConfigStartsTest : public ConfigEntriesTest {
 protected:
  ConfigStartsTest()
      : folder_(TempFilePath(L"tessora-starts", L"")),
        logPath_(folder_ + L"\\demo.log"),
        log_(L"TESSORA_DEMO_LOG", logPath_),
        // Wine has no class for screensaver files; this is the one Windows has.
        scrType_(L".scr", L"scrfile"),
        scrOpen_(L"scrfile\\shell\\open\\command", L"\"%1\" /S") {
    CreateDirectoryW(folder_.c_str(), nullptr);
    saver_ = folder_ + L"\\My Aurora.scr";
    CopyFileW(DemoSaver(L"Aurora").c_str(), saver_.c_str(), FALSE);
  }
  ~ConfigStartsTest() override {
    for (const DemoLogEntry& e : ReadDemoLog(logPath_).entries) TerminateProcessById(e.pid);
    PumpFor(300);
    DeleteFileW(saver_.c_str());
    DeleteFileW(logPath_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  // Opens the row's menu with a right click and clicks the item at this index.
  void ChooseFromMenu(TfrmConfig& form, int row, int item) {
    const POINT at = RowPoint(form, row);
    Drive([&](uitest::Driver& d) {
      if (!uitest::ClickAt(at, uitest::Button::Right)) return d.Fail("pointer");
      HWND menuWindow = uitest::WaitForOwnWindow(L"#32768", 5000);
      if (!menuWindow) return d.Fail("no menu");
      HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
      RECT r{};
      GetMenuItemRect(nullptr, menu, static_cast<UINT>(item), &r);
      Sleep(100);
      uitest::ClickAt(uitest::CentreOf(r));
      if (!uitest::WaitUntil([&] { return !IsWindowVisible(menuWindow); }, 3000)) {
        uitest::Press(VK_ESCAPE);
        d.Fail("the menu stayed open");
      }
    });
  }

  // The first start the demo log shows, once it does.
  std::optional<DemoLogEntry> WaitForStart(DWORD timeoutMs) {
    std::optional<DemoLogEntry> start;
    WaitUntil(
        [&] {
          for (const DemoLogEntry& e : ReadDemoLog(logPath_).entries)
            if (e.event == "start") start = e;
          return start.has_value();
        },
        timeoutMs, 50);
    return start;
  }

  std::string TwoRows() const {
    return "[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nMine=\"" + ::Ansi(saver_) +
           "\",0,2\r\nGone=C:\\nowhere\\gone.scr,0,2\r\n";
  }

  std::wstring folder_, logPath_, saver_;
  ScopedEnvironment log_;
  ScopedClassValue scrType_, scrOpen_;
};

TEST_F(ConfigStartsTest, ViewTriesTheSaverOutFullScreenAndConfigureOpensItsOwnSettings) {
  struct StartCase {
    const char* name;
    int item;
    std::string mode;
    bool (*commandOk)(const std::string& command, const std::string& path);
  };
  const StartCase cases[] = {
      {"表示(&V)", 0, "screen",
       [](const std::string& command, const std::string&) { return command.find("/S") != std::string::npos; }},
      {"設定(&C)", 1, "config",
       [](const std::string& command, const std::string& path) { return command == ConfigureCommandLine(path); }},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    TfrmConfig& form = OpenShown(TwoRows());
    ChooseFromMenu(form, 0, c.item);
    const auto start = WaitForStart(10000);
    ASSERT_TRUE(start) << "the saver did not start";
    EXPECT_EQ(start->Field("mode"), c.mode);
    EXPECT_TRUE(c.commandOk(start->Field("cmd"), ::Ansi(saver_))) << start->Field("cmd");
    EXPECT_FALSE(form.Model().Edited());
    for (const DemoLogEntry& e : ReadDemoLog(logPath_).entries) TerminateProcessById(e.pid);
    PumpFor(300);
    DeleteFileW(logPath_.c_str());
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(ConfigStartsTest, The32BitBuildConfiguresSaversOfBothSystemFolders) {
  using Folder = SystemFolderFiles::Folder;
  if (!RunsUnderWow64()) GTEST_SKIP() << "a case of the 32-bit build on 64-bit Windows; this program is not one";
  SystemFolderFiles files;
  const std::wstring stem = L"TessoraConf-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(files.Place(Folder::Wow64, DemoSaver(L"Aurora"), stem + L"-32.scr"));
  ASSERT_TRUE(files.Place(Folder::Native, DemoSaver(L"Ember"), stem + L"-64.scr"));
  const std::string listed = "C:\\Windows\\System32\\" + ::Ansi(stem);
  TfrmConfig& form = OpenShown("[SetList]\r\nCount=1\r\nItem0=S\r\nCurrent=0\r\n[Set0]\r\nS32=" + listed +
                               "-32.scr\r\nS64=" + listed + "-64.scr\r\n");
  EXPECT_EQ(ListTexts(form), (std::vector<std::wstring>{L"S32||標準", L"S64||標準"}));
  EXPECT_FALSE(form.Model().Rows()[1].missing) << "the 64-bit folder's saver counts as there";
  ChooseFromMenu(form, 0, 1);
  ChooseFromMenu(form, 1, 1);
  std::vector<std::string> started;
  WaitUntil(
      [&] {
        started.clear();
        for (const DemoLogEntry& e : ReadDemoLog(logPath_).entries)
          if (e.event == "start") started.push_back(e.name + " " + e.Field("mode"));
        return started.size() >= 2;
      },
      10000, 50);
  EXPECT_EQ(started, (std::vector<std::string>{"Aurora config", "Ember config"}));
}

TEST_F(ConfigStartsTest, AMissingSaverFailsSilently) {
  TfrmConfig& form = OpenShown(TwoRows());
  ChooseFromMenu(form, 1, 0);
  ChooseFromMenu(form, 1, 1);
  PumpFor(1000);
  EXPECT_FALSE(WaitForStart(500));
  EXPECT_TRUE(uitest::OwnWindows(L"#32770").empty()) << "a message came up";
}

TEST_F(ConfigStartsTest, HelpButtonOpensTessoraChmBesideTheProgram) {
  // The help file's class opens it with a demo saver, whose log shows the path.
  const std::wstring help = HelpFilePath();
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring folder(program);
  folder.erase(folder.find_last_of(L'\\'));
  EXPECT_EQ(help, folder + L"\\Tessora.chm");
  std::FILE* file = _wfopen(help.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  {
    ScopedClassValue type(L".chm", L"TessoraTest.Help");
    ScopedClassValue open(L"TessoraTest.Help\\shell\\open\\command", L"\"" + saver_ + L"\" /C \"%1\"");
    TfrmConfig& form = OpenShown("");
    ClickOn(*form.SpeedButton1);
    const auto start = WaitForStart(10000);
    ASSERT_TRUE(start) << "the help file was not opened";
    EXPECT_NE(start->Field("cmd").find(::Ansi(help)), std::string::npos) << start->Field("cmd");
  }
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TessoraTest.Help");
  DeleteFileW(help.c_str());
}

}  // namespace
