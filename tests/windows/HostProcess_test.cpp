// Tessora.scr started as a program with each screensaver command line: what it shows,
// how it ends, and the Windows 9x password path. It runs from a private copy so no
// settings file applies (an empty play list keeps the host's own trapping on).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "ProcessTestSupport.h"
#include "WineTestSupport.h"

using namespace tessora;

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

HWND FindWindowOf(DWORD pid, const std::wstring& className) {
  for (HWND window : TopLevelWindowsOf({pid})) {
    if (ClassOf(window) == className) return window;
  }
  return nullptr;
}

HWND FindForm(DWORD pid) { return FindWindowOf(pid, L"Tessora.Form"); }
HWND FindMessageBox(DWORD pid) { return FindWindowOf(pid, L"#32770"); }
HWND FindConfigDialog(DWORD pid) {
  for (HWND window : TopLevelWindowsOf({pid})) {
    if (ClassOf(window) == L"Tessora.Form" && TextOf(window) == L"Tessora 設定") return window;
  }
  return nullptr;
}

void MoveMouseTo(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Moves the mouse to and fro over the window until the condition holds. Moves that
// arrive together reach the window as one, and the first only sets the origin, so a
// single pair of moves is not enough.
bool WiggleMouseUntil(HWND window, const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  const POINT c = CentreOf(window);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (int i = 0; !condition(); ++i) {
    if (GetTickCount64() > end) return false;
    MoveMouseTo(c.x + (i % 2) * 12, c.y + (i % 2) * 9);
    PumpMessagesFor(100);
  }
  return true;
}

void PressKey(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

class HostProcessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new std::wstring(TempFilePath(L"tessora-host", L""));
    CreateDirectoryW(folder_->c_str(), nullptr);
    CopyFileW(TessoraBinPath(L"Tessora.scr").c_str(), Program().c_str(), FALSE);
  }
  static void TearDownTestSuite() {
    DeleteFileW(Program().c_str());
    RemoveDirectoryW(folder_->c_str());
    delete folder_;
  }
  static std::wstring Program() { return *folder_ + L"\\Tessora.scr"; }

  TestProcess Start(const std::wstring& arguments, const std::wstring& currentDirectory = {}) {
    TestProcess process =
        StartProcess(Quoted(Program()) + (arguments.empty() ? L"" : L" " + arguments), currentDirectory);
    EXPECT_TRUE(process) << "cannot start Tessora.scr " << Narrow(arguments);
    return process;
  }

  static HWND WaitForForm(const TestProcess& process, DWORD timeoutMs = 10000) {
    HWND form = nullptr;
    WaitUntil([&] { return (form = FindForm(process.Id())) != nullptr || !process.Running(); }, timeoutMs);
    EXPECT_NE(form, nullptr) << "no window; exit code " << process.ExitCode().value_or(0xDEAD);
    return form;
  }

  static void ExpectCleanEnd(const TestProcess& process, DWORD timeoutMs) {
    EXPECT_TRUE(process.WaitForExit(timeoutMs)) << "still running";
    EXPECT_EQ(process.ExitCode().value_or(0xDEAD), 0u);
  }

  static std::wstring* folder_;
};
std::wstring* HostProcessTest::folder_ = nullptr;

TEST_F(HostProcessTest, FullScreenShowsATopMostWindowAndEndsOnAMouseMove) {
  TestProcess tessora = Start(L"/s");
  HWND form = WaitForForm(tessora);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_TRUE(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // No taskbar button: the application's window, which would carry it, is a tool window.
  const std::vector<HWND> all = TopLevelWindowsOf({tessora.Id()}, false);
  const auto app = std::find_if(all.begin(), all.end(), [](HWND w) { return ClassOf(w) == L"Tessora.Application"; });
  ASSERT_NE(app, all.end());
  EXPECT_TRUE(GetWindowLongW(*app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(tessora.Running());
  EXPECT_TRUE(WiggleMouseUntil(form, [&] { return !tessora.Running(); }));
  ExpectCleanEnd(tessora, 1000);
}

TEST_F(HostProcessTest, FullScreenEndsOnAKey) {
  TestProcess tessora = Start(L"/s");
  HWND form = WaitForForm(tessora);
  ASSERT_NE(form, nullptr);
  SetForegroundWindow(form);
  PumpMessagesFor(100);
  EXPECT_TRUE(tessora.Running());
  PressKey('A');
  ExpectCleanEnd(tessora, 3000);
}

TEST_F(HostProcessTest, SecondFullScreenStartEndsAtOnceWithoutAWindow) {
  TestProcess first = Start(L"/s");
  HWND form = WaitForForm(first);
  ASSERT_NE(form, nullptr);
  TestProcess second = Start(L"/s");
  bool showed = false;
  EXPECT_TRUE(WaitUntil(
      [&] {
        showed = showed || FindForm(second.Id()) != nullptr;
        return !second.Running();
      },
      5000));
  EXPECT_FALSE(showed);
  EXPECT_EQ(second.ExitCode().value_or(0xDEAD), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(WiggleMouseUntil(form, [&] { return !first.Running(); }));
  ExpectCleanEnd(first, 1000);
}

TEST_F(HostProcessTest, PreviewBecomesAChildOfTheGivenWindowAndEndsWithIt) {
  TestWindow preview(100, 100, 152, 112);
  TestProcess tessora = Start(L"/p " + std::to_wstring(reinterpret_cast<UINT_PTR>(preview.Get())));
  HWND child = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        // Shown: the program has made it a child and started its message loop.
        child = FindWindowExW(preview.Get(), nullptr, L"Tessora.Form", nullptr);
        return (child != nullptr && IsWindowVisible(child)) || !tessora.Running();
      },
      10000));
  ASSERT_NE(child, nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(child, &pid);
  EXPECT_EQ(pid, tessora.Id());
  EXPECT_EQ(GetParent(child), preview.Get());
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), 0x56000000u);
  EXPECT_EQ(FindForm(tessora.Id()), nullptr) << "no top-level window of its own";
  PumpMessagesFor(300);
  EXPECT_TRUE(tessora.Running());
  const ULONGLONG destroyed = GetTickCount64();
  preview.Destroy();
  EXPECT_TRUE(tessora.WaitForExit(2000));
  EXPECT_LT(GetTickCount64() - destroyed, 2000u);
  EXPECT_EQ(tessora.ExitCode().value_or(0xDEAD), 0u);
}

TEST_F(HostProcessTest, ConfigWithoutArgumentShowsTheDialogWithoutOwner) {
  TestProcess tessora = Start(L"");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindConfigDialog(tessora.Id())) != nullptr; }, 10000));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_EQ(FindMessageBox(tessora.Id()), nullptr) << "the dialog instead of the message box";
  PumpMessagesFor(200);
  EXPECT_TRUE(tessora.Running()) << "waits for the dialog";
  // The close box leaves like Cancel.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ExpectCleanEnd(tessora, 3000);
}

TEST_F(HostProcessTest, ConfigForTheForegroundWindowOwnsAndDisablesIt) {
  TestWindow owner(60, 60, 300, 200);
  SetForegroundWindow(owner.Get());
  PumpMessagesFor(50);
  ASSERT_EQ(GetForegroundWindow(), owner.Get());
  TestProcess tessora = Start(L"/c");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindConfigDialog(tessora.Id())) != nullptr; }, 10000));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.Get());
  EXPECT_FALSE(IsWindowEnabled(owner.Get()));
  HWND cancel = FindWindowExW(dialog, nullptr, L"Button", L"Cancel");
  ASSERT_NE(cancel, nullptr);
  SendMessageW(cancel, BM_CLICK, 0, 0);
  ExpectCleanEnd(tessora, 3000);
  EXPECT_TRUE(IsWindowEnabled(owner.Get()));
}

TEST_F(HostProcessTest, ConfigDialogShowsTheOptionsOfTheSettingsFileBesideTheProgram) {
  const std::wstring ini = *folder_ + L"\\Tessora.ini";
  const std::string text = "[Option]\r\nrandom=1\r\nspan=3661\r\nbgcolor=1,255\r\n";
  HANDLE file = CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  TestProcess tessora = Start(L"/c");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindConfigDialog(tessora.Id())) != nullptr; }, 10000));
  HWND group = FindWindowExW(dialog, nullptr, L"Button", L"起動オプション");
  ASSERT_NE(group, nullptr);
  const auto checked = [&](const wchar_t* caption) {
    HWND box = FindWindowExW(group, nullptr, L"Button", caption);
    return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  EXPECT_TRUE(checked(L"ランダム起動"));
  EXPECT_TRUE(checked(L"単色背景"));
  // Another process's edit tells its text only when asked by message.
  wchar_t seconds[16] = {};
  SendMessageW(FindWindowExW(group, nullptr, L"Edit", nullptr), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(seconds));
  EXPECT_STREQ(seconds, L"3661");
  SendMessageW(FindWindowExW(dialog, nullptr, L"Button", L"Cancel"), BM_CLICK, 0, 0);
  ExpectCleanEnd(tessora, 3000);
  DeleteFileW(ini.c_str());
}

TEST_F(HostProcessTest, PasswordChangeEndsAtOnceOnTheNTPlatform) {
  TestWindow owner(60, 60, 300, 200);
  TestProcess tessora = Start(L"/a " + std::to_wstring(reinterpret_cast<UINT_PTR>(owner.Get())));
  bool showed = false;
  EXPECT_TRUE(WaitUntil(
      [&] {
        showed = showed || !TopLevelWindowsOf({tessora.Id()}).empty();
        return !tessora.Running();
      },
      3000));
  EXPECT_FALSE(showed);
  EXPECT_EQ(tessora.ExitCode().value_or(0xDEAD), 0u);
}

TEST_F(HostProcessTest, NoCommandLineCrashesTheProgram) {
  const std::wstring digits(10000, L'9');
  const std::vector<std::wstring> commandLines = {
      L"/p",           L"/p 0",       L"/p 4294967295", L"/p -1",
      L"/p $zz",       L"/a",         L"/a 4294967295", L"/a 0x",
      L"\"\"",         L"\"\" /c:0x", L"/c:" + digits,  L"/" + std::wstring(10000, L'x'),
      L"/p " + digits, L"-"};
  for (const auto& arguments : commandLines) {
    SCOPED_TRACE(Narrow(arguments.substr(0, 40)));
    TestProcess tessora = Start(arguments);
    // Whatever the run shows, a message box is answered, a dialog closed, and the program
    // must end by itself.
    const bool ended = WaitUntil(
        [&] {
          if (HWND box = FindMessageBox(tessora.Id())) PostMessageW(box, WM_COMMAND, IDOK, 0);
          if (HWND dialog = FindConfigDialog(tessora.Id())) PostMessageW(dialog, WM_CLOSE, 0, 0);
          return !tessora.Running();
        },
        8000, 50);
    EXPECT_TRUE(ended);
    EXPECT_EQ(tessora.ExitCode().value_or(0xDEAD), 0u);
  }
}

// The Windows 9x platform, as Wine reports it to Tessora.scr under the win98 version.
class HostProcessWin9xTest : public HostProcessTest {
 protected:
  ScopedWin98Version version_{L"Tessora.scr"};
  PasswordStandIn password_;
};

TEST_F(HostProcessWin9xTest, RefusedPasswordKeepsTheRunAndAcceptedOneEndsIt) {
  ScopedUsePassword use(true);
  ASSERT_TRUE(password_.PlaceAt(PasswordStandIn::SystemPath(L"password.cpl")));
  password_.SetAnswer("0");
  TestProcess tessora = Start(L"/s");
  HWND form = WaitForForm(tessora);
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WiggleMouseUntil(form, [&] { return !password_.LogOf("verify").empty(); }));
  PumpMessagesFor(500);
  EXPECT_TRUE(tessora.Running()) << "a refused password keeps the screensaver";
  EXPECT_TRUE(IsWindowVisible(form));
  // Each move away from where the last refusal left the cursor asks again, for the
  // form's window and with the cursor shown.
  const auto asked = password_.LogOf("verify");
  for (const auto& line : asked) EXPECT_EQ(line, "verify " + HandleHex(form) + " 0");

  password_.SetAnswer("1");
  EXPECT_TRUE(WiggleMouseUntil(form, [&] { return !tessora.Running(); }));
  ExpectCleanEnd(tessora, 1000);
  EXPECT_EQ(password_.LogOf("verify").size(), asked.size() + 1);
  for (const auto& line : password_.LogOf("attach")) {
    EXPECT_NE(line.find(Narrow(PasswordStandIn::SystemPath(L"password.cpl"))), std::string::npos) << line;
  }
}

TEST_F(HostProcessWin9xTest, NoPasswordIsAskedWithoutTheRegistryValue) {
  ScopedUsePassword use(false);
  ASSERT_TRUE(password_.PlaceAt(PasswordStandIn::SystemPath(L"password.cpl")));
  password_.SetAnswer("0");
  TestProcess tessora = Start(L"/s");
  HWND form = WaitForForm(tessora);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(WiggleMouseUntil(form, [&] { return !tessora.Running(); }));
  ExpectCleanEnd(tessora, 1000);
  EXPECT_TRUE(password_.Log().empty());
}

TEST_F(HostProcessWin9xTest, PasswordLibraryBesideTheProgramIsNeverLoaded) {
  ScopedUsePassword use(true);
  DeleteFileW(PasswordStandIn::SystemPath(L"password.cpl").c_str());
  ASSERT_TRUE(password_.PlaceAt(*folder_ + L"\\password.cpl"));
  ASSERT_TRUE(password_.PlaceAt(*folder_ + L"\\mpr.dll"));
  password_.SetAnswer("0");
  TestProcess tessora = Start(L"/s", *folder_);
  HWND form = WaitForForm(tessora);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(WiggleMouseUntil(form, [&] { return !tessora.Running(); }));
  ExpectCleanEnd(tessora, 1000);

  TestWindow owner(60, 60, 300, 200);
  TestProcess change = Start(L"/a " + std::to_wstring(reinterpret_cast<UINT_PTR>(owner.Get())), *folder_);
  ExpectCleanEnd(change, 5000);
  EXPECT_TRUE(password_.Log().empty());
}

}  // namespace
