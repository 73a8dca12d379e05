// The child control of a full-screen run, with real child processes: the demo savers
// (and their fault variants) and this test program itself as a probe child that shows
// windows of every kind and records what reaches them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "ProcessTestSupport.h"
#include "WineTestSupport.h"
#include "config/SaverFile.h"
#include "config/SystemFolderAccess.h"
#include "engine/ChildSaver.h"

using namespace tessora;

namespace {

constexpr wchar_t kProbeVariable[] = L"CHILD_SAVER_PROBE";        // what the probe child does
constexpr wchar_t kProbeLogVariable[] = L"CHILD_SAVER_PROBE_LOG";  // where it writes

// Shorter bounds than a run's, so the faults do not take the suite's time.
ChildSaverLimits TestLimits() {
  ChildSaverLimits limits;
  limits.firstWindowWait = 2000;
  limits.closeBound = 1500;
  return limits;
}

std::string SaverPath(const std::wstring& id) { return Ansi(TessoraBinPath(L"tools\\demosaver\\" + id + L".scr")); }

std::string ThisProgram() {
  char path[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, n);
}

bool ProcessRuns(DWORD id) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return false;
  const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return runs;
}

bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

DWORD OwnerProcess(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

std::vector<std::string> Lines(const std::wstring& path) {
  std::ifstream in(path.c_str());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

class ChildSaverTest : public ::testing::Test {
 protected:
  ChildSaverTest()
      : logPath_(TempFilePath(L"child-saver", L".log")), log_(L"TESSORA_DEMO_LOG", logPath_) {}
  ~ChildSaverTest() override {
    // What the savers did tells why a case failed.
    if (HasFailure())
      for (const std::string& line : Lines(logPath_)) std::printf("demo log: %s\n", line.c_str());
    DeleteFileW(logPath_.c_str());
  }

  DemoLog Log() const { return ReadDemoLog(logPath_); }
  std::vector<std::string> EventsOf(DWORD pid) const { return Log().EventsOf(pid); }

  std::wstring logPath_;
  ScopedEnvironment log_;
};

TEST_F(ChildSaverTest, StartsWithTheQuotedPathAndSlashSThenClosesWithEscAndClose) {
  ChildSaver saver(TestLimits());
  const std::string path = SaverPath(L"Aurora");
  ASSERT_TRUE(saver.StartSaver(path));
  const DWORD pid = saver.ChildProcessId();
  ASSERT_FALSE(saver.Windows().empty());
  for (HWND window : saver.Windows()) EXPECT_EQ(OwnerProcess(window), pid);
  EXPECT_TRUE(saver.InJob());
  EXPECT_EQ(Log().FieldOf(pid, "start", "cmd"), "\"" + path + "\" /S");

  EXPECT_TRUE(saver.CloseSaver());
  EXPECT_FALSE(saver.LastCloseForced());
  EXPECT_TRUE(saver.Windows().empty());
  ASSERT_TRUE(WaitUntil([&] { return !ProcessRuns(pid); }, 5000));
  const DemoLog log = Log();
  std::vector<std::string> events = log.EventsOf(pid);
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events[0], "start");
  EXPECT_EQ(events[1], "window");
  EXPECT_EQ(events.back(), "exit");
  EXPECT_TRUE(HeardCloseSequence({events.begin() + 2, events.end() - 1}));
  EXPECT_EQ(log.FieldOf(pid, "keydown", "vk"), "27");
  EXPECT_EQ(log.FieldOf(pid, "exit", "reason"), "key");
}

TEST_F(ChildSaverTest, BothWindowsOfATwoWindowSaverAreClosed) {
  ChildSaver saver(TestLimits());
  ASSERT_TRUE(saver.StartSaver(SaverPath(L"TwoWindows")));
  const DWORD pid = saver.ChildProcessId();
  ASSERT_TRUE(WaitUntil([&] { return saver.ShowsWindows() && saver.Windows().size() == 2; }, 3000));
  const std::vector<HWND> windows = saver.Windows();

  EXPECT_TRUE(saver.CloseSaver());
  ASSERT_TRUE(WaitUntil([&] { return !ProcessRuns(pid); }, 5000));
  const DemoLog log = Log();
  for (HWND window : windows) {
    std::vector<std::string> events;
    for (const DemoLogEntry& entry : log.Of(pid))
      if (entry.Field("hwnd") == HwndText(window) && entry.event != "window") events.push_back(entry.event);
    EXPECT_TRUE(HeardCloseSequence(events)) << HwndText(window);
  }
}

TEST_F(ChildSaverTest, TheWindowOfAProcessTheSaverStartsCountsAndIsClosed) {
  ChildSaver saver(TestLimits());
  ASSERT_TRUE(saver.StartSaver(SaverPath(L"Launcher")));
  const DWORD launcher = saver.ChildProcessId();
  const std::string childText = Log().FieldOf(launcher, "child", "childpid");
  const DWORD child = static_cast<DWORD>(std::stoul(childText));
  ASSERT_FALSE(saver.Windows().empty());
  for (HWND window : saver.Windows()) EXPECT_EQ(OwnerProcess(window), child);
  EXPECT_NE(std::find(saver.ProcessIds().begin(), saver.ProcessIds().end(), child), saver.ProcessIds().end());

  // The watch looks again later and still finds it.
  PumpMessagesFor(300);
  EXPECT_TRUE(saver.ShowsWindows());

  EXPECT_TRUE(saver.CloseSaver());
  EXPECT_FALSE(saver.LastCloseForced());
  ASSERT_TRUE(WaitUntil([&] { return !ProcessRuns(launcher) && !ProcessRuns(child); }, 5000));
  const DemoLog log = Log();
  EXPECT_EQ(log.FieldOf(child, "keydown", "vk"), "27");
  EXPECT_EQ(log.FieldOf(launcher, "exit", "reason"), "child");
}

TEST_F(ChildSaverTest, AStubbornSaverIsEndedAfterTheCloseBound) {
  const ChildSaverLimits limits = TestLimits();
  ChildSaver saver(limits);
  ASSERT_TRUE(saver.StartSaver(SaverPath(L"Stubborn")));
  const DWORD pid = saver.ChildProcessId();

  const ULONGLONG before = GetTickCount64();
  EXPECT_TRUE(saver.CloseSaver());
  const ULONGLONG took = GetTickCount64() - before;
  EXPECT_TRUE(saver.LastCloseForced());
  EXPECT_GE(took, limits.closeBound);
  EXPECT_LT(took, limits.closeBound + 1500);
  EXPECT_FALSE(ProcessRuns(pid));
  EXPECT_FALSE(saver.ShowsWindows());
  const std::vector<std::string> events = EventsOf(pid);
  // Several passes, each ignored; killed, so no exit line.
  EXPECT_GE(std::count(events.begin(), events.end(), "keydown"), 3);
  EXPECT_EQ(std::count(events.begin(), events.end(), "exit"), 0);
}

// Guarded's window belongs to a process that refuses to be ended: the forced end fails,
// and the close must not claim that the windows are gone.
TEST_F(ChildSaverTest, AWindowWhoseProcessCannotBeEndedIsNotReportedClosed) {
  ScopedEnvironment endLater(L"TESSORA_DEMO_END_SECONDS", L"30");  // should the test fail midway
  const ChildSaverLimits limits = TestLimits();
  ChildSaver saver(limits);
  ASSERT_TRUE(saver.StartSaver(SaverPath(L"Guarded")));
  const DWORD launcher = saver.ChildProcessId();
  ASSERT_EQ(saver.Windows().size(), 1u);
  const HWND window = saver.Windows().front();
  const DWORD holder = OwnerProcess(window);
  ASSERT_NE(holder, launcher);
  ASSERT_TRUE(WaitUntil([&] { return Log().Find(holder, "guard").has_value(); }, 2000));
  ASSERT_EQ(Log().FieldOf(holder, "guard", "refused"), "1");

  const ULONGLONG before = GetTickCount64();
  EXPECT_FALSE(saver.CloseSaver());
  const ULONGLONG took = GetTickCount64() - before;
  EXPECT_TRUE(saver.LastCloseForced());
  EXPECT_TRUE(saver.LastCloseLeftWindows());
  EXPECT_GE(took, limits.closeBound);
  EXPECT_LT(took, limits.closeBound + limits.endWait + 1500);
  EXPECT_TRUE(ProcessRuns(holder));
  EXPECT_EQ(saver.Windows(), std::vector<HWND>{window});
  EXPECT_TRUE(saver.ShowsWindows());
  const std::vector<std::string> events = EventsOf(holder);
  EXPECT_GE(std::count(events.begin(), events.end(), "keydown"), 3);

  // Tried again, it fails the same way; once the user's mouse has ended it, nothing is left.
  EXPECT_FALSE(saver.CloseSaver());
  EXPECT_TRUE(saver.LastCloseLeftWindows());
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(100, 160));
  ASSERT_TRUE(WaitUntil([&] { return !ProcessRuns(holder); }, 5000));
  EXPECT_FALSE(saver.CloseSaver());
  EXPECT_FALSE(saver.LastCloseForced());
  EXPECT_FALSE(saver.LastCloseLeftWindows());
  EXPECT_EQ(Log().FieldOf(holder, "exit", "reason"), "mousemove");
}

TEST_F(ChildSaverTest, ASaverThatShowsNoWindowFailsWithinTheBoundAndIsEnded) {
  const ChildSaverLimits limits = TestLimits();
  ChildSaver saver(limits);
  const ULONGLONG before = GetTickCount64();
  EXPECT_FALSE(saver.StartSaver(SaverPath(L"NoWindow")));
  const ULONGLONG took = GetTickCount64() - before;
  EXPECT_GE(took, limits.firstWindowWait);
  EXPECT_LT(took, limits.firstWindowWait + 1500);
  const DWORD pid = saver.ChildProcessId();
  EXPECT_FALSE(ProcessRuns(pid));
  EXPECT_TRUE(saver.Windows().empty());
  EXPECT_FALSE(saver.CloseSaver());
}

struct FailedStartCase {
  const char* name;
  std::wstring (*path)(const std::wstring& folder);
};

// Files that exist, or not, but never become a process: the start fails at once.
const FailedStartCase kFailedStarts[] = {
    {"missing file", [](const std::wstring& folder) { return folder + L"\\Missing.scr"; }},
    {"not a program", [](const std::wstring& folder) {
       const std::wstring path = folder + L"\\Text.scr";
       std::ofstream(path.c_str()) << "not a program\n";
       return path;
     }},
};

TEST_F(ChildSaverTest, AStartThatCannotCreateTheProcessFailsAtOnce) {
  const std::wstring folder = TempFilePath(L"child-saver-files", L"");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  for (const FailedStartCase& c : kFailedStarts) {
    SCOPED_TRACE(c.name);
    const std::wstring path = c.path(folder);
    ChildSaver saver(TestLimits());
    const ULONGLONG before = GetTickCount64();
    EXPECT_FALSE(saver.StartSaver(Ansi(path)));
    EXPECT_LT(GetTickCount64() - before, 1000u);
    EXPECT_FALSE(saver.ShowsWindows());
    DeleteFileW(path.c_str());
  }
  RemoveDirectoryW(folder.c_str());
}

TEST_F(ChildSaverTest, ASaverThatEndedByItselfHasNothingToClose) {
  ScopedEnvironment endSoon(L"TESSORA_DEMO_END_SECONDS", L"1");
  ChildSaver saver(TestLimits());
  ASSERT_TRUE(saver.StartSaver(SaverPath(L"SelfEnd")));
  const DWORD pid = saver.ChildProcessId();
  ASSERT_TRUE(WaitUntil([&] { return !saver.ShowsWindows(); }, 5000));
  EXPECT_FALSE(saver.CloseSaver());
  WaitUntil([&] { return !ProcessRuns(pid); }, 3000);
  const std::vector<std::string> events = EventsOf(pid);
  EXPECT_EQ(std::count(events.begin(), events.end(), "keydown"), 0);
  EXPECT_EQ(std::count(events.begin(), events.end(), "close"), 0);
}

TEST_F(ChildSaverTest, NoChildOutlivesItsChildSaver) {
  DWORD launcher = 0;
  DWORD child = 0;
  {
    ChildSaver saver(TestLimits());
    ASSERT_TRUE(saver.StartSaver(SaverPath(L"Launcher")));
    launcher = saver.ChildProcessId();
    child = OwnerProcess(saver.Windows().front());
    ASSERT_NE(child, launcher);
  }
  // The window's process was started by the child, not by us: it goes too.
  EXPECT_TRUE(WaitUntil([&] { return !ProcessRuns(launcher) && !ProcessRuns(child); }, 5000));
}

// The probe child's windows, by the tag it gives them in its title.
struct ProbeWindows {
  std::vector<HWND> all;
  HWND Tagged(const std::string& tag) const {
    for (HWND window : all) {
      char title[64] = {};
      GetWindowTextA(window, title, sizeof title);
      if (tag == title) return window;
    }
    return nullptr;
  }
};

TEST_F(ChildSaverTest, CountsSizedWindowsEvenHiddenOnesButNotMinimisedOrEmptyOnes) {
  const std::wstring probeLog = TempFilePath(L"child-saver-probe", L".log");
  ScopedEnvironment mode(kProbeVariable, L"windows");
  ScopedEnvironment log(kProbeLogVariable, probeLog);
  ChildSaver saver(TestLimits());
  ASSERT_TRUE(saver.StartSaver(ThisProgram()));
  const DWORD pid = saver.ChildProcessId();
  // The probe creates its windows all before it shows the first.
  ASSERT_TRUE(WaitUntil([&] { return saver.ShowsWindows() && saver.Windows().size() >= 3; }, 3000));
  ProbeWindows probe{TopLevelWindowsOf({pid}, false)};
  const HWND owner = probe.Tagged("owner");
  const HWND owned = probe.Tagged("owned");
  const HWND hidden = probe.Tagged("hidden");
  ASSERT_NE(probe.Tagged("minimised"), nullptr);
  ASSERT_NE(probe.Tagged("empty"), nullptr);
  std::vector<HWND> found = saver.Windows();
  std::sort(found.begin(), found.end());
  std::vector<HWND> expected{owner, owned, hidden};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(found, expected);

  ASSERT_TRUE(saver.CloseSaver());
  ASSERT_TRUE(WaitUntil([&] { return !ProcessRuns(pid); }, 5000));
  // The windows without an owner first; each gets Esc down, Esc up and close.
  const std::vector<std::string> lines = Lines(probeLog);
  ASSERT_EQ(lines.size(), 9u);
  const std::vector<std::string> perWindow{"keydown 27", "keyup 27", "close 0"};
  std::vector<std::string> firstTwo;
  for (int i = 0; i < 6; ++i) firstTwo.push_back(lines[i].substr(0, lines[i].find(' ')));
  EXPECT_EQ(std::count(firstTwo.begin(), firstTwo.end(), "owner"), 3);
  EXPECT_EQ(std::count(firstTwo.begin(), firstTwo.end(), "hidden"), 3);
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_EQ(lines[i].substr(lines[i].find(' ') + 1), perWindow[i % 3]);
    EXPECT_EQ(lines[i].substr(0, lines[i].find(' ')), lines[i - i % 3].substr(0, lines[i - i % 3].find(' ')));
  }
  EXPECT_EQ(lines[6].substr(0, lines[6].find(' ')), "owned");
  DeleteFileW(probeLog.c_str());
}

TEST_F(ChildSaverTest, ChildrenInheritAnErrorModeWithoutCrashDialogs) {
  const std::wstring probeLog = TempFilePath(L"child-saver-mode", L".log");
  ScopedEnvironment mode(kProbeVariable, L"errormode");
  ScopedEnvironment log(kProbeLogVariable, probeLog);
  const UINT before = GetErrorMode();
  ChildSaver saver(TestLimits());
  ASSERT_TRUE(saver.StartSaver(ThisProgram()));
  // Our own error mode is left as it was.
  EXPECT_EQ(GetErrorMode(), before);
  ASSERT_TRUE(saver.CloseSaver());
  const std::vector<std::string> lines = Lines(probeLog);
  DeleteFileW(probeLog.c_str());
  ASSERT_FALSE(lines.empty());
  if (RunsUnderWine()) GTEST_SKIP() << "Wine does not pass the error mode on to child processes";
  const UINT childMode = static_cast<UINT>(std::stoul(lines[0]));
  EXPECT_EQ(childMode & (SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX), UINT{SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX});
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, n);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Which paths the 32-bit program looks up without the system folder's redirection.
TEST(SystemFolderPath, OnlyPathsInsideTheSystemFolderCount) {
  const std::string system = SystemFolder();
  ASSERT_FALSE(system.empty());
  const struct {
    std::string path;
    bool inside;
  } cases[] = {
      {system + "\\Saver.scr", true},
      {Upper(system) + "\\Saver.scr", true},
      {system + "/Saver.scr", true},
      {system + "\\sub\\Saver.scr", true},
      {system, false},
      {system + "\\", true},
      {system + "Saver.scr", false},
      {system + "32\\Saver.scr", false},
      {"C:\\Savers\\Saver.scr", false},
      {"Saver.scr", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsUnderSystemFolder(c.path), c.inside) << c.path;
}

// A saver listed as C:\Windows\System32\NAME.scr, where 64-bit Windows keeps it: a
// 32-bit installer's copy lies in SysWOW64 (Aurora here), a 64-bit one's in the real
// system folder (Ember). The 32-bit program takes the file it sees itself first, and
// the real folder's only when it sees none; the 64-bit program sees the real one alone.
struct SystemFolderCase {
  const char* name;
  bool inWow64;
  bool inNative;
  const char* runsFor32Bit;  // the demo saver that starts; "" when the file counts as missing
  const char* runsFor64Bit;
};

const SystemFolderCase kSystemFolderCases[] = {
    {"only in SysWOW64", true, false, "Aurora", ""},
    {"only in the real system folder", false, true, "Ember", "Ember"},
    {"in both", true, true, "Aurora", "Ember"},
    {"in neither", false, false, "", ""},
};

TEST_F(ChildSaverTest, ASaverInTheSystemFolderIsTakenAsTheProgramSeesItFirst) {
  using Folder = SystemFolderFiles::Folder;
  if (!SystemFolderFiles::Available()) GTEST_SKIP() << "no SysWOW64 folder: this is not 64-bit Windows";
  ASSERT_EQ(lstrcmpiW(SystemFolderFiles::PathOf(Folder::Native).c_str(), L"C:\\Windows\\System32"), 0);
  const bool wow64 = RunsUnderWow64();
  for (std::size_t i = 0; i < std::size(kSystemFolderCases); ++i) {
    const SystemFolderCase& c = kSystemFolderCases[i];
    SCOPED_TRACE(c.name);
    const std::wstring name = L"TessoraTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(i) + L".scr";
    SystemFolderFiles files;
    if (c.inWow64) {
      ASSERT_TRUE(files.Place(Folder::Wow64, TessoraBinPath(L"tools\\demosaver\\Aurora.scr"), name));
    }
    if (c.inNative) {
      ASSERT_TRUE(files.Place(Folder::Native, TessoraBinPath(L"tools\\demosaver\\Ember.scr"), name));
    }
    const std::string listed = "C:\\Windows\\System32\\" + Ansi(name);
    const std::string runs = wow64 ? c.runsFor32Bit : c.runsFor64Bit;

    EXPECT_EQ(SaverFileExists(listed), !runs.empty());
    // The look-up leaves this thread's own view of the folder as it was.
    EXPECT_EQ(IsFileAt(listed), wow64 ? c.inWow64 : c.inNative);
    if (runs.empty()) continue;
    ChildSaver saver(TestLimits());
    ASSERT_TRUE(saver.StartSaver(listed));
    const DWORD pid = saver.ChildProcessId();
    EXPECT_EQ(IsFileAt(listed), wow64 ? c.inWow64 : c.inNative);
    const std::optional<DemoLogEntry> start = Log().Find(pid, "start");
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->name, runs);
    EXPECT_EQ(start->Field("cmd"), "\"" + listed + "\" /S");
    EXPECT_TRUE(saver.CloseSaver());
    // A file that still runs cannot be removed.
    EXPECT_TRUE(WaitUntil([&] { return !ProcessRuns(pid); }, 5000));
  }
}

class ParentOrderTest : public ::testing::Test {
 protected:
  ~ParentOrderTest() override {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) DestroyWindow(*it);
  }
  HWND Popup(HWND owner) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
    windows_.push_back(window);
    return window;
  }
  std::vector<HWND> windows_;
};

TEST_F(ParentOrderTest, WindowsWithoutOwnerComeFirstThenByOwnerHandle) {
  const HWND a = Popup(nullptr);
  const HWND b = Popup(nullptr);
  const HWND ownedByA = Popup(a);
  const HWND ownedByB = Popup(b);
  const HWND alsoOwnedByA = Popup(a);
  std::vector<HWND> list{ownedByB, ownedByA, a, alsoOwnedByA, b};
  ChildSaver::SortByParent(list);
  const HWND low = reinterpret_cast<UINT_PTR>(a) < reinterpret_cast<UINT_PTR>(b) ? a : b;
  ASSERT_EQ(list.size(), 5u);
  // Unowned first, in their former order; then by owner; equal owners keep their order.
  EXPECT_EQ(list[0], a);
  EXPECT_EQ(list[1], b);
  if (low == a) {
    EXPECT_EQ(list[2], ownedByA);
    EXPECT_EQ(list[3], alsoOwnedByA);
    EXPECT_EQ(list[4], ownedByB);
  } else {
    EXPECT_EQ(list[2], ownedByB);
    EXPECT_EQ(list[3], ownedByA);
    EXPECT_EQ(list[4], alsoOwnedByA);
  }
  EXPECT_LT(ChildSaver::CompareParents(a, ownedByA), 0);
  EXPECT_GT(ChildSaver::CompareParents(ownedByA, b), 0);
  EXPECT_EQ(ChildSaver::CompareParents(ownedByA, alsoOwnedByA), 0);
}

// ---- The probe child: this program started by ChildSaver as a saver.

std::wstring ProbeLogPath() {
  wchar_t buffer[MAX_PATH * 2] = {};
  const DWORD n = GetEnvironmentVariableW(kProbeLogVariable, buffer, MAX_PATH * 2);
  return std::wstring(buffer, n < MAX_PATH * 2 ? n : 0);
}

void ProbeWrite(const std::string& line) {
  std::ofstream out(ProbeLogPath().c_str(), std::ios::app);
  out << line << '\n';
}

int probeWindowsLeft = 0;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  switch (message) {
    case WM_KEYDOWN:
      ProbeWrite(std::string(title) + " keydown " + std::to_string(wParam));
      return 0;
    case WM_KEYUP:
      ProbeWrite(std::string(title) + " keyup " + std::to_string(wParam));
      return 0;
    case WM_CLOSE:
      ProbeWrite(std::string(title) + " close " + std::to_string(wParam));
      // Only the windows that count are closed; the others go when the probe ends.
      ShowWindow(window, SW_HIDE);
      SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (--probeWindowsLeft == 0) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int RunProbe(const std::wstring& mode) {
  if (mode == L"errormode") {
    ProbeWrite(std::to_string(GetErrorMode()));
    // A window, so the start counts; it ends on the close.
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProbeWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ChildSaverProbe";
  RegisterClassW(&windowClass);
  const auto make = [](const char* tag, HWND owner, int width, int height) {
    return CreateWindowExA(0, "ChildSaverProbe", tag, WS_POPUP, 10, 10, width, height, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  };
  std::vector<HWND> shown;
  if (mode == L"windows") {
    const HWND owner = make("owner", nullptr, 200, 150);
    shown.push_back(owner);
    shown.push_back(make("owned", owner, 120, 90));
    make("hidden", nullptr, 100, 80);  // never shown, but of a size
    const HWND minimised = make("minimised", nullptr, 100, 80);
    ShowWindow(minimised, SW_SHOWMINNOACTIVE);
    shown.push_back(make("empty", nullptr, 0, 0));
    probeWindowsLeft = 3;
  } else {
    shown.push_back(make("plain", nullptr, 200, 150));
    probeWindowsLeft = 1;
  }
  for (HWND window : shown) ShowWindow(window, SW_SHOWNOACTIVATE);
  SetTimer(nullptr, 0, 20000, nullptr);  // a probe left behind ends by itself
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) break;
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  wchar_t mode[32] = {};
  const DWORD n = GetEnvironmentVariableW(kProbeVariable, mode, 32);
  if (n > 0 && n < 32) {
    // Started as a child saver: the variable must not reach the probe's own children.
    SetEnvironmentVariableW(kProbeVariable, nullptr);
    return RunProbe(std::wstring(mode, n));
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
