// Tessora.scr run as the system runs it (/s, /p HWND) from a folder with a prepared
// Tessora.ini beside it and demo savers as its children; what happened is read from
// the demo savers' event log, the screen and Tessora's own windows.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "ProcessTestSupport.h"
#include "UiDriver.h"
#include "WineTestSupport.h"
#include "engine/MainFrm.h"
#include "config/SystemFolderAccess.h"

using namespace tessora;

namespace {

std::wstring DemoSaver(const std::wstring& id) { return TessoraBinPath(L"tools\\demosaver\\" + id + L".scr"); }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

HWND FindForm(DWORD pid) {
  for (HWND window : TopLevelWindowsOf({pid}))
    if (ClassOf(window) == L"Tessora.Form") return window;
  return nullptr;
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT ScreenRect() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void MoveMouseTo(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// Moves the mouse to and fro, as a user would, until the process has ended.
bool WiggleMouseUntilEnded(const TestProcess& process, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (int i = 0; process.Running(); ++i) {
    if (GetTickCount64() > end) return false;
    MoveMouseTo(300 + (i % 2) * 40, 300 + (i % 2) * 30);
    process.WaitForExit(100);
  }
  return true;
}

// The screen's pixels in a rectangle, row by row, as 0x00RRGGBB.
std::vector<std::uint32_t> Capture(const RECT& area) {
  const uitest::ScreenShot shot(area);
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(area.right - area.left) * static_cast<std::size_t>(area.bottom - area.top));
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = shot.At(x, y);
      pixels.push_back((std::uint32_t{GetRValue(c)} << 16) | (std::uint32_t{GetGValue(c)} << 8) | GetBValue(c));
    }
  }
  return pixels;
}

struct SaverStart {
  std::string name;
  DWORD pid;
  std::uint64_t tick;
};

// The full-screen starts in order; a launcher's own second process is not one.
std::vector<SaverStart> Starts(const DemoLog& log) {
  std::vector<SaverStart> starts;
  for (const DemoLogEntry& e : log.entries)
    if (e.event == "start" && e.Field("mode") == "screen" && e.Field("cmd").find("/child") == std::string::npos)
      starts.push_back({e.name, e.pid, e.tick});
  return starts;
}

std::vector<std::string> Names(const std::vector<SaverStart>& starts) {
  std::vector<std::string> names;
  for (const SaverStart& s : starts) names.push_back(s.name);
  return names;
}

std::uint64_t TickOf(const DemoLog& log, DWORD pid, const std::string& event) {
  const auto entry = log.Find(pid, event);
  return entry ? entry->tick : 0;
}

class EngineRunTest : public ::testing::Test {
 protected:
  EngineRunTest()
      : folder_(TempFilePath(L"tessora-run", L"")),
        logPath_(folder_ + L"\\demo.log"),
        log_(L"TESSORA_DEMO_LOG", logPath_),
        endSeconds_(L"TESSORA_DEMO_END_SECONDS", std::nullopt) {
    CreateDirectoryW(folder_.c_str(), nullptr);
    CopyFileW(TessoraBinPath(L"Tessora.scr").c_str(), Program().c_str(), FALSE);
  }
  ~EngineRunTest() override {
    tessora_ = TestProcess();
    // What the savers did tells why a case failed.
    if (HasFailure()) {
      std::ifstream in(logPath_.c_str());
      for (std::string line; std::getline(in, line);) std::printf("demo log: %s\n", line.c_str());
    }
    for (const std::wstring& file : files_) DeleteFileW(file.c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryW(it->c_str());
    DeleteFileW(logPath_.c_str());
    DeleteFileW((folder_ + L"\\Tessora.ini").c_str());
    DeleteFileW(Program().c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring Program() const { return folder_ + L"\\Tessora.scr"; }

  void WriteIni(const std::string& text) {
    std::ofstream out((folder_ + L"\\Tessora.ini").c_str(), std::ios::binary);
    for (char c : text) {
      if (c == '\n') out << '\r';
      out << c;
    }
  }

  // A file of the run's folder (in a sub-folder if asked), removed afterwards.
  std::wstring Place(const std::wstring& relative) {
    const std::wstring path = folder_ + L"\\" + relative;
    const std::size_t slash = relative.rfind(L'\\');
    if (slash != std::wstring::npos) {
      const std::wstring sub = folder_ + L"\\" + relative.substr(0, slash);
      CreateDirectoryW(sub.c_str(), nullptr);
      folders_.push_back(sub);
    }
    files_.push_back(path);
    return path;
  }
  std::wstring CopySaver(const std::wstring& id, const std::wstring& relative) {
    const std::wstring path = Place(relative);
    CopyFileW(DemoSaver(id).c_str(), path.c_str(), FALSE);
    return path;
  }

  void Start(const std::wstring& arguments) {
    tessora_ = StartProcess(Quoted(Program()) + L" " + arguments);
    ASSERT_TRUE(tessora_) << "cannot start Tessora.scr";
  }

  DemoLog Log() const { return ReadDemoLog(logPath_); }
  // Waits until the log shows at least count full-screen starts.
  std::vector<SaverStart> WaitForStarts(std::size_t count, DWORD timeoutMs) {
    std::vector<SaverStart> starts;
    WaitUntil([&] { return (starts = Starts(Log())).size() >= count || !tessora_.Running(); }, timeoutMs, 50);
    return starts;
  }

  // A saver that ends before Tessora has seen its window counts as one that failed to
  // start, so the moves begin once the latest saver's window is there.
  void EndAsAUser() {
    const std::vector<SaverStart> starts = Starts(Log());
    if (!starts.empty()) {
      WaitUntil([&] { return Log().Find(starts.back().pid, "window").has_value() || !tessora_.Running(); }, 5000);
      PumpMessagesFor(300);
    }
    EXPECT_TRUE(WiggleMouseUntilEnded(tessora_, 8000)) << "the run did not end on mouse moves";
    EXPECT_EQ(tessora_.ExitCode().value_or(0xDEAD), 0u);
  }

  std::wstring folder_;
  std::wstring logPath_;
  ScopedEnvironment log_;
  ScopedEnvironment endSeconds_;
  std::vector<std::wstring> files_;
  std::vector<std::wstring> folders_;
  TestProcess tessora_;
};

std::string Entry(const std::string& name, const std::wstring& path, const std::string& rest = "") {
  return name + "=" + Ansi(path) + rest + "\n";
}

// Ember's negative seconds count as none (the span's second applies), and Lagoon's
// level outside the table as the default; neither shows in list order otherwise.
TEST_F(EngineRunTest, ListOrderWrapsAndEachSaverRunsItsSeconds) {
  WriteIni("[Option]\nrandom=0\nspan=1\nbgcolor=0,0\n[SetList]\nCount=1\nCurrent=0\nItem0=test\n[Set0]\n" +
           Entry("Aurora", DemoSaver(L"Aurora"), ",1,2") + Entry("Ember", DemoSaver(L"Ember"), ",-3") +
           Entry("Lagoon", DemoSaver(L"Lagoon"), ",1,9"));
  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(4, 15000);
  // While savers run, Tessora's own window is a 1 x 1 point at the top left.
  const HWND form = FindForm(tessora_.Id());
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(SameRect(WindowRect(form), RECT{0, 0, 1, 1}));
  EndAsAUser();

  ASSERT_GE(starts.size(), 4u);
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Aurora", "Ember", "Lagoon", "Aurora"}));
  const DemoLog log = Log();
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(starts[i].name);
    const std::uint64_t window = TickOf(log, starts[i].pid, "window");
    const std::uint64_t keydown = TickOf(log, starts[i].pid, "keydown");
    const std::uint64_t exit = TickOf(log, starts[i].pid, "exit");
    ASSERT_NE(window, 0u);
    ASSERT_NE(keydown, 0u);
    // 900 ms from the window Tessora saw (it looks every 200 ms) to the close.
    EXPECT_GE(keydown - window, 850u);
    EXPECT_LE(keydown - window, 1400u);
    // The restart delay, then the time a process takes to start.
    EXPECT_GE(starts[i + 1].tick - exit, 100u);
    EXPECT_LE(starts[i + 1].tick - exit, 1500u);
    EXPECT_EQ(log.FieldOf(starts[i].pid, "exit", "reason"), "key");
  }
}

TEST_F(EngineRunTest, SpanZeroStartsOnlyTheFirstSaverOnASolidBackground) {
  WriteIni("[Option]\nspan=0\nbgcolor=1,255\n[Savers]\n" + Entry("Aurora", DemoSaver(L"Aurora")) +
           Entry("Ember", DemoSaver(L"Ember")));
  Start(L"/s");
  ASSERT_EQ(WaitForStarts(1, 10000).size(), 1u);
  PumpMessagesFor(3000);
  const HWND form = FindForm(tessora_.Id());
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(SameRect(WindowRect(form), ScreenRect()));
  const std::vector<SaverStart> starts = Starts(Log());
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Aurora"}));
  EXPECT_EQ(TickOf(Log(), starts[0].pid, "keydown"), 0u);
  EndAsAUser();
  EXPECT_EQ(Log().FieldOf(starts[0].pid, "exit", "reason"), "mousemove");
}

TEST_F(EngineRunTest, ASingleEntryIsNeverClosedAndTheRunEndsSoonAfterItEnds) {
  ScopedEnvironment endSeconds(L"TESSORA_DEMO_END_SECONDS", L"3");
  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("SelfEnd", DemoSaver(L"SelfEnd"), ",1"));
  Start(L"/s");
  ASSERT_TRUE(tessora_.WaitForExit(10000));
  const std::uint64_t ended = GetTickCount64();
  EXPECT_EQ(tessora_.ExitCode().value_or(0xDEAD), 0u);
  const DemoLog log = Log();
  const std::vector<SaverStart> starts = Starts(log);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(log.EventsOf(starts[0].pid), (std::vector<std::string>{"start", "window", "exit"}));
  EXPECT_EQ(log.FieldOf(starts[0].pid, "exit", "reason"), "timeout");
  // The watch looks once a second.
  EXPECT_LE(ended - TickOf(log, starts[0].pid, "exit"), 1300u);
}

TEST_F(EngineRunTest, AMissingFileIsSkippedAndAPathWithBlanksStoredBareStarts) {
  const std::wstring spaced = CopySaver(L"Aurora", L"Demo Savers\\Aurora Copy.scr");
  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("Spaced", spaced, ",1,2") +
           Entry("Missing", folder_ + L"\\Missing.scr", ",1,2") + Entry("Ember", DemoSaver(L"Ember"), ",1,2"));
  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(3, 12000);
  EndAsAUser();
  ASSERT_GE(starts.size(), 3u);
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Aurora", "Ember", "Aurora"}));
  EXPECT_EQ(Log().FieldOf(starts[0].pid, "start", "cmd"), "\"" + Ansi(spaced) + "\" /S");
}

// The 32-bit build on 64-bit Windows, with two savers listed as C:\Windows\System32\NAME.scr:
// one that a 32-bit installer put there (it lies in SysWOW64), one that a 64-bit one put
// into the real system folder. Both play.
TEST_F(EngineRunTest, The32BitBuildPlaysSaversOfBothSystemFolders) {
  using Folder = SystemFolderFiles::Folder;
  if (!RunsUnderWow64()) GTEST_SKIP() << "a case of the 32-bit build on 64-bit Windows; this program is not one";
  SystemFolderFiles files;
  const std::wstring stem = L"TessoraRun-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(files.Place(Folder::Wow64, DemoSaver(L"Aurora"), stem + L"-32.scr"));
  ASSERT_TRUE(files.Place(Folder::Native, DemoSaver(L"Ember"), stem + L"-64.scr"));
  const std::string listed32 = "C:\\Windows\\System32\\" + Ansi(stem) + "-32.scr";
  const std::string listed64 = "C:\\Windows\\System32\\" + Ansi(stem) + "-64.scr";
  WriteIni("[Option]\nspan=1\n[Savers]\nSaver32=" + listed32 + ",1\nSaver64=" + listed64 + ",1\n");
  Start(L"/s");
  std::vector<SaverStart> starts = WaitForStarts(3, 12000);
  EndAsAUser();
  ASSERT_GE(starts.size(), 3u);
  starts.resize(3);
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Aurora", "Ember", "Aurora"}));
  const DemoLog log = Log();
  EXPECT_EQ(log.FieldOf(starts[0].pid, "start", "cmd"), "\"" + listed32 + "\" /S");
  EXPECT_EQ(log.FieldOf(starts[1].pid, "start", "cmd"), "\"" + listed64 + "\" /S");
  EXPECT_EQ(log.FieldOf(starts[1].pid, "exit", "reason"), "key");
}

// Savers that close in their own ways; each is followed by Aurora in the rotation,
// which then stays until the user's move.
struct ClosingCase {
  const wchar_t* id;
  std::function<void(const DemoLog& log, const SaverStart& saver, const SaverStart& next)> check;
};

const ClosingCase kClosingCases[] = {
    {L"TwoWindows",
     [](const DemoLog& log, const SaverStart& saver, const SaverStart&) {
       std::vector<std::string> windows;
       for (const DemoLogEntry& e : log.Of(saver.pid))
         if (e.event == "window") windows.push_back(e.Field("hwnd"));
       ASSERT_EQ(windows.size(), 2u);
       for (const std::string& hwnd : windows) {
         std::vector<std::string> events;
         for (const DemoLogEntry& e : log.Of(saver.pid))
           if (e.Field("hwnd") == hwnd && e.event != "window") events.push_back(e.event);
         EXPECT_TRUE(HeardCloseSequence(events)) << hwnd;
       }
     }},
    {L"Launcher",
     [](const DemoLog& log, const SaverStart& saver, const SaverStart& next) {
       const std::string child = log.FieldOf(saver.pid, "child", "childpid");
       ASSERT_NE(child, "<no child>");
       const DWORD childPid = static_cast<DWORD>(std::stoul(child));
       EXPECT_EQ(log.FieldOf(childPid, "keydown", "vk"), "27");
       EXPECT_EQ(log.FieldOf(saver.pid, "exit", "reason"), "child");
       // Closed by the switch after its second, not ended by the first watch tick.
       EXPECT_GE(next.tick - saver.tick, 1000u);
     }},
    {L"Stubborn",
     [](const DemoLog& log, const SaverStart& saver, const SaverStart& next) {
       const std::uint64_t firstKey = TickOf(log, saver.pid, "keydown");
       ASSERT_NE(firstKey, 0u);
       EXPECT_EQ(log.FieldOf(saver.pid, "keydown", "ignored"), "1");
       // Five seconds of Esc and close, then it is ended (a killed saver logs no exit).
       EXPECT_GE(next.tick - firstKey, 5000u);
       EXPECT_LE(next.tick - firstKey, 7500u);
       EXPECT_FALSE(log.Find(saver.pid, "exit").has_value());
       HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, saver.pid);
       EXPECT_TRUE(!process || WaitForSingleObject(process, 0) == WAIT_OBJECT_0);
       if (process) CloseHandle(process);
     }},
};

TEST_F(EngineRunTest, SaversThatCloseInTheirOwnWaysAreClosedAndTheNextStarts) {
  for (const ClosingCase& c : kClosingCases) {
    SCOPED_TRACE(Narrow(c.id));
    DeleteFileW(logPath_.c_str());
    WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("First", DemoSaver(c.id)) +
             Entry("Aurora", DemoSaver(L"Aurora"), ",30"));
    Start(L"/s");
    const std::vector<SaverStart> starts = WaitForStarts(2, 15000);
    EndAsAUser();
    ASSERT_GE(starts.size(), 2u);
    EXPECT_EQ(starts[1].name, "Aurora");
    c.check(Log(), starts[0], starts[1]);
  }
}

// Guarded's window can be neither closed nor ended: the next saver never starts under
// it. The run tries again at the next switch times, three in all, then lets it stay; the
// user's mouse ends it and with it the run.
TEST_F(EngineRunTest, AWindowThatCanBeNeitherClosedNorEndedKeepsTheNextSaverOff) {
  ScopedEnvironment endLater(L"TESSORA_DEMO_END_SECONDS", L"90");  // should the test fail midway
  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("Guarded", DemoSaver(L"Guarded")) + Entry("Aurora", DemoSaver(L"Aurora")));
  Start(L"/s");
  const std::vector<SaverStart> first = WaitForStarts(1, 10000);
  ASSERT_EQ(first.size(), 1u);
  std::string holderText;
  ASSERT_TRUE(WaitUntil([&] { return (holderText = Log().FieldOf(first[0].pid, "child", "childpid"))[0] != '<'; }, 5000));
  const DWORD holder = static_cast<DWORD>(std::stoul(holderText));
  ASSERT_TRUE(WaitUntil([&] { return Log().Find(holder, "guard").has_value(); }, 5000));
  ASSERT_EQ(Log().FieldOf(holder, "guard", "refused"), "1");

  // One switch time's passes of Esc come 200 ms apart; the next switch time is 900 ms
  // after the last of them.
  const auto attempts = [&] {
    std::vector<std::uint64_t> keys;
    for (const DemoLogEntry& e : Log().Of(holder))
      if (e.event == "keydown") keys.push_back(e.tick);
    std::size_t count = keys.empty() ? 0 : 1;
    for (std::size_t i = 1; i < keys.size(); ++i)
      if (keys[i] - keys[i - 1] > 650) ++count;
    return std::make_pair(count, keys.size());
  };
  WaitUntil([&] { return attempts().first >= 3 || Starts(Log()).size() > 1; }, 30000, 100);
  ASSERT_EQ(Names(Starts(Log())), (std::vector<std::string>{"Guarded"}));
  ASSERT_GE(attempts().first, 3u);
  // The third ends with a forced end that fails; no fourth follows.
  PumpMessagesFor(6500);
  const auto settled = attempts();
  PumpMessagesFor(2500);
  EXPECT_EQ(attempts(), settled);
  EXPECT_EQ(settled.first, 3u);
  EXPECT_TRUE(tessora_.Running());
  EXPECT_EQ(Names(Starts(Log())), (std::vector<std::string>{"Guarded"}));

  EXPECT_TRUE(WiggleMouseUntilEnded(tessora_, 8000)) << "the run did not end on mouse moves";
  EXPECT_EQ(tessora_.ExitCode().value_or(0xDEAD), 0u);
  const DemoLog log = Log();
  EXPECT_EQ(Names(Starts(log)), (std::vector<std::string>{"Guarded"}));
  EXPECT_EQ(log.FieldOf(holder, "exit", "reason"), "mousemove");
}

TEST_F(EngineRunTest, ASaverThatShowsNoWindowIsSkippedAfterTenSeconds) {
  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("NoWindow", DemoSaver(L"NoWindow")) +
           Entry("Aurora", DemoSaver(L"Aurora")));
  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(2, 16000);
  EndAsAUser();
  ASSERT_GE(starts.size(), 2u);
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"NoWindow", "Aurora"}));
  EXPECT_GE(starts[1].tick - starts[0].tick, 10000u);
  EXPECT_LE(starts[1].tick - starts[0].tick, 12500u);
  // Ended, so it cannot appear over a later saver.
  EXPECT_FALSE(Log().Find(starts[0].pid, "exit").has_value());
}

TEST_F(EngineRunTest, EntriesThatCannotStartAreSkippedAndTheRunEndsWhenNoneStarts) {
  const std::wstring text = Place(L"Text.scr");
  std::ofstream(text.c_str()) << "not a program\n";
  const std::wstring other = Place(L"Other.scr");
  std::ofstream(other.c_str()) << "not one either\n";

  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("Text", text) + Entry("Aurora", DemoSaver(L"Aurora")));
  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(2, 10000);
  EndAsAUser();
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Aurora", "Aurora"}));

  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("Text", text) + Entry("Other", other));
  Start(L"/s");
  EXPECT_TRUE(tessora_.WaitForExit(3000));
  EXPECT_EQ(tessora_.ExitCode().value_or(0xDEAD), 0u);
}

TEST_F(EngineRunTest, AnEmptyPlayListShowsTheBackgroundColourUntilTheMouseMoves) {
  // Flag 0 (no background) and a list whose only file is missing: maximised all the same.
  WriteIni("[Option]\nbgcolor=0,255\n[Savers]\n" + Entry("Missing", folder_ + L"\\Missing.scr"));
  Start(L"/s");
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (form = FindForm(tessora_.Id())) != nullptr; }, 10000));
  ASSERT_TRUE(WaitUntil([&] { return SameRect(WindowRect(form), ScreenRect()); }, 3000));
  PumpMessagesFor(300);
  const RECT screen = ScreenRect();
  const std::vector<std::uint32_t> pixels = Capture(screen);
  const int width = screen.right;
  const int height = screen.bottom;
  for (const POINT p : {POINT{1, 1}, POINT{width / 2, height / 2}, POINT{width - 2, height - 2}, POINT{width - 2, 1}}) {
    EXPECT_EQ(pixels[static_cast<std::size_t>(p.y) * width + p.x], 0xFF0000u) << p.x << "," << p.y;
  }
  EndAsAUser();
  EXPECT_TRUE(Starts(Log()).empty());
}

// Tessora never starts itself: an entry naming its own file (spelled otherwise) is passed
// over, so a list of only that entry is an empty play list that waits for the user, where
// starting it would have failed and ended the run at once.
TEST_F(EngineRunTest, AnEntryNamingTessoraItselfIsPassedOver) {
  std::wstring self = Program();
  for (wchar_t& c : self) c = static_cast<wchar_t>(towupper(c));
  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("Self", self));
  Start(L"/s");
  EXPECT_FALSE(tessora_.WaitForExit(3000)) << "the run ended by itself";
  EndAsAUser();
  EXPECT_TRUE(Starts(Log()).empty());

  WriteIni("[Option]\nspan=1\n[Savers]\n" + Entry("Self", self) + Entry("Ember", DemoSaver(L"Ember")) +
           Entry("Aurora", DemoSaver(L"Aurora")));
  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(3, 12000);
  EndAsAUser();
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Ember", "Aurora", "Ember"}));
}

// A user's own settings file in the profile is the one the run reads, once it exists.
TEST_F(EngineRunTest, TheUsersOwnSettingsFileComesFirst) {
  wchar_t appData[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
  const std::wstring userFolder = std::wstring(appData) + L"\\Tessora";
  const std::wstring userFile = userFolder + L"\\Tessora.ini";
  CreateDirectoryW(userFolder.c_str(), nullptr);
  struct Cleanup {
    std::wstring file, folder;
    ~Cleanup() {
      DeleteFileW(file.c_str());
      RemoveDirectoryW(folder.c_str());
    }
  } cleanup{userFile, userFolder};
  WriteIni("[Option]\nspan=0\n[Savers]\n" + Entry("Aurora", DemoSaver(L"Aurora")));
  {
    std::ofstream out(userFile.c_str(), std::ios::binary);
    out << "[Option]\r\nspan=0\r\n[Savers]\r\n" << Entry("Ember", DemoSaver(L"Ember"));
  }
  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(1, 10000);
  EndAsAUser();
  EXPECT_EQ(Names(starts), std::vector<std::string>{"Ember"});
}

// ---- Configured in the dialog, then played ----

// A point of a window of the other process, from its client coordinates.
POINT ClientPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

HWND WindowOf(DWORD pid, const std::wstring& className, const std::wstring& caption = {}) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopLevelWindowsOf({pid}))
          if (uitest::ClassOf(w) == className && (caption.empty() || uitest::TextOf(w) == caption)) found = w;
        return found != nullptr;
      },
      10000);
  return found;
}

TEST_F(EngineRunTest, ASetRegisteredInTheDialogIsPlayedWithItsSeconds) {
  const std::wstring aurora = CopySaver(L"Aurora", L"Aurora.scr");
  const std::wstring ember = CopySaver(L"Ember", L"Ember.scr");
  Start(L"/c");
  const DWORD pid = tessora_.Id();
  HWND dialog = WindowOf(pid, L"Tessora.Form", L"Tessora 設定");
  ASSERT_NE(dialog, nullptr);
  SetForegroundWindow(dialog);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000));

  // Both savers through the open dialog, typed as the user types them.
  ASSERT_TRUE(uitest::ClickAt(ClientPoint(dialog, 238 + 12, 53 + 12)));  // addBtn
  HWND open = WindowOf(pid, L"#32770");
  ASSERT_NE(open, nullptr);
  HWND field = nullptr;
  WaitUntil([&] { return (field = uitest::FileNameField(open)) != nullptr; }, 3000);
  ASSERT_NE(field, nullptr);
  WaitUntil([&] { return GetForegroundWindow() == open; }, 3000);
  uitest::Type(folder_);
  uitest::Press(VK_RETURN);
  PumpMessagesFor(300);
  uitest::Type(L"\"Aurora.scr\" \"Ember.scr\"");
  uitest::Press(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(open); }, 5000)) << "the open dialog stayed";
  HWND list = FindWindowExW(dialog, nullptr, L"SysListView32", nullptr);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 2; }, 3000));

  // The first row's own seconds: a double click just below the header.
  RECT header{};
  GetWindowRect(FindWindowExW(list, nullptr, L"SysHeader32", nullptr), &header);
  ASSERT_TRUE(uitest::MoveTo({header.left + 40, header.bottom + 5}));
  for (int i = 0; i < 2; ++i) {
    uitest::ButtonEvent(uitest::Button::Left, true);
    uitest::ButtonEvent(uitest::Button::Left, false);
  }
  HWND options = WindowOf(pid, L"Tessora.Form", L"Tessora 個別オプション");
  ASSERT_NE(options, nullptr);
  WaitUntil([&] { return GetForegroundWindow() == options; }, 3000);
  PumpMessagesFor(200);
  SendMessageW(uitest::FocusOf(options), EM_SETSEL, 0, -1);
  uitest::Type(L"2");
  uitest::Press(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5000));

  // The global interval, typed over its text; then the set, named and registered.
  ASSERT_TRUE(uitest::ClickAt(ClientPoint(dialog, 275 + 72 + 24, 56 + 50 + 10)));  // SpanT
  SendMessageW(uitest::FocusOf(dialog), EM_SETSEL, 0, -1);
  uitest::Type(L"4");
  // Without a settings file the dialog shows the earlier layout's one list, "Default":
  // the set box's edit field holds that name, typed over here.
  ASSERT_TRUE(uitest::ClickAt(ClientPoint(dialog, 4 + 60, 24 + 10)));
  SendMessageW(FindWindowExW(dialog, nullptr, L"ComboBox", nullptr), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  uitest::Type(L"Pair");
  PumpMessagesFor(200);
  ASSERT_TRUE(uitest::ClickAt(ClientPoint(dialog, 186 + 10, 24 + 10)));  // addSetBtn
  PumpMessagesFor(300);
  ASSERT_TRUE(uitest::ClickAt(ClientPoint(dialog, 311 + 30, 202 + 12)));  // OK: nothing to ask
  ASSERT_TRUE(tessora_.WaitForExit(10000)) << "OK did not close the dialog";
  EXPECT_EQ(tessora_.ExitCode().value_or(0xDEAD), 0u);

  std::ifstream in((folder_ + L"\\Tessora.ini").c_str(), std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(saved.find("span=4\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Count=2\r\nCurrent=1\r\nItem0=Default\r\nItem1=Pair\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("[Set1]\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("=" + Ansi(aurora) + ",2,2\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("=" + Ansi(ember) + ",0,2\r\n"), std::string::npos) << saved;

  Start(L"/s");
  const std::vector<SaverStart> starts = WaitForStarts(3, 20000);
  EndAsAUser();
  ASSERT_GE(starts.size(), 3u);
  EXPECT_EQ(Names(starts), (std::vector<std::string>{"Aurora", "Ember", "Aurora"}));
  const DemoLog log = Log();
  // Aurora its own 2 seconds, Ember the interval's 4, from the window Tessora saw to the close.
  const std::uint64_t expected[] = {1900, 3900};
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(starts[i].name);
    const std::uint64_t window = TickOf(log, starts[i].pid, "window");
    const std::uint64_t keydown = TickOf(log, starts[i].pid, "keydown");
    ASSERT_NE(window, 0u);
    ASSERT_NE(keydown, 0u);
    EXPECT_GE(keydown - window, expected[i] - 150);
    EXPECT_LE(keydown - window, expected[i] + 700);
  }
}

// However the run ends, the saver it started ends with it: here Tessora is killed.
TEST_F(EngineRunTest, ASaverDoesNotOutliveAKilledRun) {
  WriteIni("[Option]\nspan=0\n[Savers]\n" + Entry("Launcher", DemoSaver(L"Launcher")));
  Start(L"/s");
  std::vector<SaverStart> starts = WaitForStarts(1, 10000);
  ASSERT_EQ(starts.size(), 1u);
  std::string childText;
  ASSERT_TRUE(WaitUntil([&] { return (childText = Log().FieldOf(starts[0].pid, "child", "childpid"))[0] != '<'; }, 5000));
  const DWORD child = static_cast<DWORD>(std::stoul(childText));
  ASSERT_TRUE(WaitUntil([&] { return Log().Find(child, "window").has_value(); }, 5000));
  PumpMessagesFor(500);
  tessora_.Terminate();
  const auto ended = [](DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    const bool gone = !process || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return gone;
  };
  // The launcher and the process with the window, which the launcher started.
  EXPECT_TRUE(WaitUntil([&] { return ended(starts[0].pid) && ended(child); }, 5000));
}

// Moves the mouse to and fro until the condition holds.
bool WiggleMouseUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (int i = 0; !condition(); ++i) {
    if (GetTickCount64() > end) return false;
    MoveMouseTo(300 + (i % 2) * 40, 300 + (i % 2) * 30);
    PumpMessagesFor(100);
  }
  return true;
}

// On the Windows 9x platform (Wine's win98 version for Tessora.scr) with the system's
// screensaver password on: a refused password must leave a running screensaver.
TEST_F(EngineRunTest, ARefusedPasswordRestartsTheRotation) {
  ScopedWin98Version version(L"Tessora.scr");
  ScopedUsePassword use(true);
  PasswordStandIn password;
  ASSERT_TRUE(password.PlaceAt(PasswordStandIn::SystemPath(L"password.cpl")));
  password.SetAnswer("0");
  WriteIni("[Option]\nspan=0\n[Savers]\n" + Entry("Aurora", DemoSaver(L"Aurora")) + Entry("Ember", DemoSaver(L"Ember")));
  Start(L"/s");
  std::vector<SaverStart> starts = WaitForStarts(1, 10000);
  ASSERT_EQ(starts.size(), 1u);
  // Once Tessora has seen the saver's window (a saver gone before that counts as one
  // that failed to start), the user's move ends it; the password is refused.
  ASSERT_TRUE(WaitUntil([&] { return Log().Find(starts[0].pid, "window").has_value(); }, 5000));
  PumpMessagesFor(400);
  ASSERT_TRUE(WiggleMouseUntil([&] { return Log().Find(starts[0].pid, "exit").has_value(); }, 5000));
  starts = WaitForStarts(2, 5000);
  ASSERT_EQ(Names(starts), (std::vector<std::string>{"Aurora", "Ember"}));
  EXPECT_EQ(password.LogOf("verify").size(), 1u);
  EXPECT_TRUE(tessora_.Running());

  password.SetAnswer("1");
  EndAsAUser();
  EXPECT_EQ(password.LogOf("verify").size(), 2u);
  EXPECT_EQ(Starts(Log()).size(), 2u);
  DeleteFileW(PasswordStandIn::SystemPath(L"password.cpl").c_str());
}

// The preview window of a settings dialog: a child window of a plain top-level one.
class PreviewHost {
 public:
  PreviewHost(int width, int height) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"EnginePreviewHost";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&windowClass);
    top_ = CreateWindowExW(0, L"EnginePreviewHost", L"settings", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, width + 40, height + 40,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    preview_ = CreateWindowExW(0, L"EnginePreviewHost", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height, top_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  }
  PreviewHost(const PreviewHost&) = delete;
  PreviewHost& operator=(const PreviewHost&) = delete;
  ~PreviewHost() { Destroy(); }
  void Destroy() {
    if (top_) DestroyWindow(top_);
    top_ = preview_ = nullptr;
  }
  HWND Preview() const { return preview_; }
  RECT ScreenArea() const { return WindowRect(preview_); }

 private:
  HWND top_ = nullptr;
  HWND preview_ = nullptr;
};

TEST_F(EngineRunTest, PreviewCoversThePreviewWindowAndEndsWithIt) {
  PreviewHost host(152, 112);
  Start(L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(host.Preview())));
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (form = FindWindowExW(host.Preview(), nullptr, L"Tessora.Form", nullptr)) != nullptr; },
                        10000));
  EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(form), host.ScreenArea()); }, 3000));
  EXPECT_TRUE(IsWindowVisible(form));
  PumpMessagesFor(500);
  EXPECT_TRUE(tessora_.Running());
  host.Destroy();
  EXPECT_TRUE(tessora_.WaitForExit(3000));
  EXPECT_TRUE(Starts(Log()).empty());
}

// Wine does not show what another process draws in a child window, so the preview's
// drawing is looked at with the main form in this process, placed in a preview window
// the way the host places it.
class PreviewAnimationTest : public ::testing::Test {
 protected:
  PreviewAnimationTest() : host_(152, 112) {
    form_ = std::make_unique<TfrmMain>(nullptr);
    form_->SetParentWindow(host_.Preview());
    form_->Show();
  }
  PreviewHost host_;
  std::unique_ptr<TfrmMain> form_;
};

TEST_F(PreviewAnimationTest, TheNameMovesAboutOnePixelPerTickInsideThePreviewWindow) {
  form_->ZussRunPreview(form_->Zuss, form_->Handle(), host_.Preview());
  tk::Label& label = *form_->PreLabel;
  ASSERT_TRUE(label.Visible());
  RECT client{};
  GetClientRect(host_.Preview(), &client);
  // Centred at first: half of each range, the ranges being what is left beside the label.
  EXPECT_EQ(label.Left(), (client.right - label.Width()) / 2);
  EXPECT_EQ(label.Top(), (client.bottom - label.Height()) / 2);
  EXPECT_TRUE(form_->Timer3->Enabled());

  PumpMessagesFor(400);
  const std::vector<std::uint32_t> first = Capture(host_.ScreenArea());
  const POINT before{label.Left(), label.Top()};
  std::vector<POINT> positions;
  const ULONGLONG end = GetTickCount64() + 1500;
  while (GetTickCount64() < end) {
    PumpMessagesFor(20);
    if (positions.empty() || positions.back().x != label.Left() || positions.back().y != label.Top())
      positions.push_back({label.Left(), label.Top()});
  }
  const std::vector<std::uint32_t> second = Capture(host_.ScreenArea());
  ASSERT_GE(positions.size(), 5u);
  for (std::size_t i = 1; i < positions.size(); ++i) {
    // A step of at most one pixel each way, rounded up; two ticks may fall into one look.
    EXPECT_LE(std::abs(positions[i].x - positions[i - 1].x), 2);
    EXPECT_LE(std::abs(positions[i].y - positions[i - 1].y), 2);
    EXPECT_GE(positions[i].x, 0);
    EXPECT_GE(positions[i].y, 0);
    EXPECT_LE(positions[i].x, client.right - label.Width());
    EXPECT_LE(positions[i].y, client.bottom - label.Height());
  }
  EXPECT_TRUE(before.x != label.Left() || before.y != label.Top());

  // The name is drawn in white on the form's black, and where it was has changed.
  const auto white = [](const std::vector<std::uint32_t>& image) {
    return std::count(image.begin(), image.end(), 0xFFFFFFu);
  };
  const auto black = [](const std::vector<std::uint32_t>& image) { return std::count(image.begin(), image.end(), 0u); };
  EXPECT_GT(white(first), 20);
  EXPECT_GT(white(second), 20);
  EXPECT_GT(black(first), static_cast<std::ptrdiff_t>(first.size() * 7 / 10));
  const int width = client.right;
  std::size_t changed = 0;
  for (int y = before.y; y < before.y + label.Height(); ++y)
    for (int x = before.x; x < before.x + label.Width(); ++x)
      if (first[static_cast<std::size_t>(y) * width + x] != second[static_cast<std::size_t>(y) * width + x]) ++changed;
  EXPECT_GT(changed, 20u);
}

TEST_F(PreviewAnimationTest, APreviewWindowSmallerThanTheNameTakesItToTheCornerToStay) {
  PreviewHost tiny(40, 10);
  form_->SetParentWindow(tiny.Preview());
  form_->ZussRunPreview(form_->Zuss, form_->Handle(), tiny.Preview());
  const tk::Label& label = *form_->PreLabel;
  // Centred over the window, so partly outside it; the only target is the corner.
  EXPECT_EQ(label.Left(), (40 - label.Width()) / 2);
  EXPECT_EQ(label.Top(), (10 - label.Height()) / 2);
  ASSERT_TRUE(WaitUntil([&] { return label.Left() == 0 && label.Top() == 0; }, 5000));
  PumpMessagesFor(400);
  EXPECT_EQ(label.Left(), 0);
  EXPECT_EQ(label.Top(), 0);
  EXPECT_TRUE(form_->Timer3->Enabled());
  form_->SetParentWindow(nullptr);
}

}  // namespace
