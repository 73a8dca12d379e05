// The demo savers are the children of the end-to-end tests, so they must follow the
// screensaver conventions exactly and their faulty variants must fail the way they
// claim. Each case starts the real executable and talks to its windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "DemoVariant.h"
#include "ProcessTestSupport.h"
#include "WineTestSupport.h"

namespace {
constexpr DWORD kEndTimeout = 5000;

std::wstring SaverPath(const std::wstring& id) { return TessoraBinPath(L"tools\\demosaver\\" + id + L".scr"); }

struct Post {
  UINT message;
  WPARAM wParam;
  LPARAM lParam = 0;
};

// What Tessora posts to close a child saver.
const std::vector<Post> kTessoraClose = {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE}, {WM_CLOSE, 0}};

void PostAll(HWND window, const std::vector<Post>& posts) {
  for (const auto& post : posts) PostMessageW(window, post.message, post.wParam, post.lParam);
}

std::string LogEventFor(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return "keydown";
    case WM_KEYUP: return "keyup";
    case WM_CLOSE: return "close";
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return "mouse";
  }
  return "?";
}

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom);
}

void ExpectTopMostPopup(HWND window, const RECT& expected) {
  EXPECT_TRUE(IsWindowVisible(window));
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CHILD | WS_CAPTION));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(RectText(rect), RectText(expected));
}

// A plain window of the test itself, as the owner of a dialog or the host of a preview.
class HostWindow {
 public:
  HostWindow() {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = DefWindowProcW;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"DemoSaverTestHost";
      windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
      return RegisterClassW(&windowClass);
    }();
    window_ = CreateWindowExW(0, MAKEINTATOM(atom), L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 240, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  ~HostWindow() { Destroy(); }
  HWND Get() const { return window_; }
  void Destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
};

class DemoSaverTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteFileW(logPath_.c_str()); }

  TestProcess Start(const std::wstring& id, const std::wstring& args) {
    commandLine_ = Quoted(SaverPath(id)) + (args.empty() ? L"" : L" " + args);
    TestProcess process = StartProcess(commandLine_);
    EXPECT_TRUE(process) << "cannot start " << Narrow(commandLine_);
    return process;
  }

  DemoLog Log() const {
    DemoLog log = ReadDemoLog(logPath_);
    EXPECT_TRUE(log.malformed.empty()) << log.malformed.front();
    return log;
  }

  // The start line carries the command line exactly as the saver received it.
  void ExpectStart(const DemoLog& log, DWORD pid, const std::string& id, const std::string& mode) const {
    const auto start = log.Find(pid, "start");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->name, id);
    EXPECT_EQ(start->Field("mode"), mode);
    EXPECT_EQ(start->Field("cmd"), Narrow(commandLine_));
  }

  std::wstring logPath_ = TempFilePath(L"demosaver", L".log");
  ScopedEnvironment logVariable_{L"TESSORA_DEMO_LOG", logPath_};
  ScopedEnvironment endVariable_{L"TESSORA_DEMO_END_SECONDS", std::nullopt};
  std::wstring commandLine_;
};

struct CloseCase {
  const wchar_t* saver;
  const wchar_t* args;
  std::vector<Post> posts;
  const char* reason;
};

class DemoSaverCloseTest : public DemoSaverTest, public ::testing::WithParamInterface<CloseCase> {};

// A saver's events: the given first and last ones around what it heard of the close
// sequence (see HeardCloseSequence).
bool Framed(const std::vector<std::string>& events, const std::vector<std::string>& first,
            const std::vector<std::string>& last) {
  if (events.size() < first.size() + last.size()) return false;
  if (!std::equal(first.begin(), first.end(), events.begin())) return false;
  if (!std::equal(last.rbegin(), last.rend(), events.rbegin())) return false;
  return HeardCloseSequence({events.begin() + static_cast<std::ptrdiff_t>(first.size()),
                             events.end() - static_cast<std::ptrdiff_t>(last.size())});
}

TEST_P(DemoSaverCloseTest, FullScreenWindowEndsOnInputAndLogsIt) {
  const CloseCase& c = GetParam();
  TestProcess saver = Start(c.saver, c.args);
  const auto windows = WaitForWindows({saver.Id()}, 1);
  ASSERT_EQ(windows.size(), 1u);
  ExpectTopMostPopup(windows[0], VirtualScreenRect());

  PostAll(windows[0], c.posts);
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  EXPECT_EQ(saver.ExitCode(), 0u);

  const DemoLog log = Log();
  const std::string id = Narrow(c.saver);
  ExpectStart(log, saver.Id(), id, "screen");
  // The saver may end on the first of the posts; the ones after it then find no window.
  std::vector<std::string> posted;
  for (const auto& post : c.posts) posted.push_back(LogEventFor(post.message));
  const std::vector<std::string> events = log.EventsOf(saver.Id());
  ASSERT_GE(events.size(), 4u) << testing::PrintToString(events);
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 2), (std::vector<std::string>{"start", "window"}));
  EXPECT_EQ(events.back(), "exit");
  const std::vector<std::string> heard(events.begin() + 2, events.end() - 1);
  EXPECT_LE(heard.size(), posted.size());
  EXPECT_TRUE(std::equal(heard.begin(), heard.end(), posted.begin())) << testing::PrintToString(events);

  const auto entries = log.Of(saver.Id());
  for (std::size_t i = 1; i < entries.size(); ++i) {
    EXPECT_GE(entries[i].tick, entries[i - 1].tick);
    EXPECT_EQ(entries[i].name, id);
    if (entries[i].event != "exit") {
      EXPECT_EQ(entries[i].Field("hwnd"), HwndText(windows[0])) << entries[i].event;
    }
    if (entries[i].event == "keydown" || entries[i].event == "keyup") {
      EXPECT_EQ(entries[i].Field("vk"), "27");
    }
    EXPECT_EQ(entries[i].Field("ignored"), "");
  }
  EXPECT_EQ(log.FieldOf(saver.Id(), "window", "rect"), RectText(VirtualScreenRect()));
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, DemoSaverCloseTest,
    ::testing::Values(CloseCase{L"Aurora", L"/s", {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE}}, "key"},
                      CloseCase{L"Ember", L"-s", {{WM_CLOSE, 0}}, "close"},
                      CloseCase{L"Lagoon", L"/S", kTessoraClose, "key"},
                      CloseCase{L"Sakura", L"-S", kTessoraClose, "key"},
                      CloseCase{L"Aurora", L"/s", {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)}}, "mouse"},
                      CloseCase{L"SelfEnd", L"/S", kTessoraClose, "key"}));

// Stubborn is the child that ignores what Tessora sends; it must really survive it.
TEST_F(DemoSaverTest, StubbornIgnoresEscCloseAndInput) {
  TestProcess saver = Start(L"Stubborn", L"/s");
  const auto windows = WaitForWindows({saver.Id()}, 1);
  ASSERT_EQ(windows.size(), 1u);
  ExpectTopMostPopup(windows[0], VirtualScreenRect());

  PostAll(windows[0], kTessoraClose);
  PostAll(windows[0], {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)}});
  EXPECT_FALSE(saver.WaitForExit(1000));
  EXPECT_EQ(TopLevelWindowsOf({saver.Id()}), windows);

  const DemoLog log = Log();
  EXPECT_EQ(log.EventsOf(saver.Id()), (std::vector<std::string>{"start", "window", "keydown", "keyup", "close", "mouse"}));
  for (const char* event : {"keydown", "close", "mouse"}) EXPECT_EQ(log.FieldOf(saver.Id(), event, "ignored"), "1");
  saver.Terminate();
}

// Each window closes on its own, so a host that closes only the first leaves the other.
TEST_F(DemoSaverTest, TwoWindowsShowsTwoTopMostWindowsThatCloseSeparately) {
  TestProcess saver = Start(L"TwoWindows", L"/s");
  auto windows = WaitForWindows({saver.Id()}, 2);
  ASSERT_EQ(windows.size(), 2u);
  std::sort(windows.begin(), windows.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  const RECT screen = VirtualScreenRect();
  const LONG middle = screen.left + (screen.right - screen.left) / 2;
  ExpectTopMostPopup(windows[0], RECT{screen.left, screen.top, middle, screen.bottom});
  ExpectTopMostPopup(windows[1], RECT{middle, screen.top, screen.right, screen.bottom});

  PostAll(windows[0], kTessoraClose);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(windows[0]); }, kEndTimeout));
  EXPECT_FALSE(saver.WaitForExit(300));
  EXPECT_EQ(TopLevelWindowsOf({saver.Id()}), std::vector<HWND>{windows[1]});

  PostAll(windows[1], kTessoraClose);
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));

  const DemoLog log = Log();
  std::map<std::string, std::vector<std::string>> eventsByWindow;
  for (const auto& entry : log.Of(saver.Id()))
    if (!entry.Field("hwnd").empty()) eventsByWindow[entry.Field("hwnd")].push_back(entry.event);
  for (HWND window : windows) {
    EXPECT_TRUE(Framed(eventsByWindow[HwndText(window)], {"window"}, {}))
        << testing::PrintToString(eventsByWindow[HwndText(window)]);
  }
  EXPECT_EQ(log.EventsOf(saver.Id()).back(), "exit");
}

// The full-screen window belongs to a process the started one creates; only a host that
// looks at the direct children finds it.
TEST_F(DemoSaverTest, LauncherWindowBelongsToItsChildProcess) {
  TestProcess launcher = Start(L"Launcher", L"/S");
  std::vector<DWORD> children;
  ASSERT_TRUE(WaitUntil([&] { return !(children = ChildProcessesOf(launcher.Id(), L"Launcher.scr")).empty(); }, 10000));
  ASSERT_EQ(children.size(), 1u);
  const DWORD child = children[0];
  // Terminating the launcher would leave its child running.
  struct ChildGuard {
    DWORD id;
    ~ChildGuard() { TerminateProcessById(id); }
  } guard{child};
  const auto windows = WaitForWindows({child}, 1);
  ASSERT_EQ(windows.size(), 1u);
  ExpectTopMostPopup(windows[0], VirtualScreenRect());
  EXPECT_TRUE(TopLevelWindowsOf({launcher.Id()}, false).empty());

  PostAll(windows[0], kTessoraClose);
  ASSERT_TRUE(launcher.WaitForExit(kEndTimeout));
  EXPECT_EQ(launcher.ExitCode(), 0u);

  const DemoLog log = Log();
  ExpectStart(log, launcher.Id(), "Launcher", "screen");
  EXPECT_EQ(log.EventsOf(launcher.Id()), (std::vector<std::string>{"start", "child", "exit"}));
  EXPECT_EQ(log.FieldOf(launcher.Id(), "child", "childpid"), std::to_string(child));
  EXPECT_EQ(log.FieldOf(launcher.Id(), "exit", "reason"), "child");
  EXPECT_TRUE(Framed(log.EventsOf(child), {"start", "window"}, {"exit"})) << testing::PrintToString(log.EventsOf(child));
  EXPECT_NE(log.FieldOf(child, "start", "cmd").find("/child"), std::string::npos);
  EXPECT_EQ(log.FieldOf(child, "window", "hwnd"), HwndText(windows[0]));
  // The child ends first; its parent only notices afterwards.
  ASSERT_TRUE(log.Find(child, "exit") && log.Find(launcher.Id(), "exit"));
  EXPECT_LE(log.Find(child, "exit")->tick, log.Find(launcher.Id(), "exit")->tick);
}

// Guarded is the child whose window's process nobody else can end: Tessora's forced
// close must fail on it for real. It still ends on the user's mouse.
TEST_F(DemoSaverTest, GuardedRefusesToBeEndedIgnoresEscAndCloseButEndsOnTheMouse) {
  const ScopedEnvironment seconds(L"TESSORA_DEMO_END_SECONDS", L"20");  // should the test fail midway
  TestProcess launcher = Start(L"Guarded", L"/s");
  std::vector<DWORD> children;
  ASSERT_TRUE(WaitUntil([&] { return !(children = ChildProcessesOf(launcher.Id(), L"Guarded.scr")).empty(); }, 10000));
  const DWORD child = children[0];
  const auto windows = WaitForWindows({child}, 1);
  ASSERT_EQ(windows.size(), 1u);
  ExpectTopMostPopup(windows[0], VirtualScreenRect());

  ASSERT_TRUE(WaitUntil([&] { return Log().Find(child, "guard").has_value(); }, 2000));
  EXPECT_EQ(Log().FieldOf(child, "guard", "refused"), "1");
  HANDLE ending = OpenProcess(PROCESS_TERMINATE, FALSE, child);
  EXPECT_EQ(ending, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  if (ending) CloseHandle(ending);
  // Waiting on it and asking about it are still allowed.
  HANDLE watching = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, child);
  EXPECT_NE(watching, nullptr);

  PostAll(windows[0], kTessoraClose);
  EXPECT_FALSE(launcher.WaitForExit(1000));
  EXPECT_TRUE(IsWindow(windows[0]));
  const RECT screen = VirtualScreenRect();
  PostMessageW(windows[0], WM_MOUSEMOVE, 0, MAKELPARAM(100 - screen.left, 100 - screen.top));
  PostMessageW(windows[0], WM_MOUSEMOVE, 0, MAKELPARAM(100 - screen.left, 160 - screen.top));
  ASSERT_TRUE(launcher.WaitForExit(kEndTimeout));
  if (watching) {
    EXPECT_EQ(WaitForSingleObject(watching, 0), WAIT_OBJECT_0);
    CloseHandle(watching);
  }

  const DemoLog log = Log();
  EXPECT_EQ(log.EventsOf(child),
            (std::vector<std::string>{"start", "guard", "window", "keydown", "keyup", "close", "mousemove", "exit"}));
  for (const char* event : {"keydown", "close"}) EXPECT_EQ(log.FieldOf(child, event, "ignored"), "1");
  EXPECT_EQ(log.FieldOf(child, "mousemove", "ignored"), "");
  EXPECT_EQ(log.FieldOf(child, "exit", "reason"), "mousemove");
  EXPECT_EQ(log.FieldOf(launcher.Id(), "exit", "reason"), "child");
}

struct SelfEndCase {
  const wchar_t* args;
  const wchar_t* environment;  // TESSORA_DEMO_END_SECONDS, nullptr: unset
  DWORD minMs;
  DWORD maxMs;
};

class DemoSaverSelfEndTest : public DemoSaverTest, public ::testing::WithParamInterface<SelfEndCase> {};

// Measured from the window's appearance; the bounds leave room for a slow Wine.
TEST_P(DemoSaverSelfEndTest, EndsByItselfAfterItsSeconds) {
  const SelfEndCase& c = GetParam();
  const ScopedEnvironment seconds(L"TESSORA_DEMO_END_SECONDS",
                                  c.environment ? std::optional<std::wstring>(c.environment) : std::nullopt);
  TestProcess saver = Start(L"SelfEnd", c.args);
  ASSERT_EQ(WaitForWindows({saver.Id()}, 1).size(), 1u);
  const ULONGLONG shown = GetTickCount64();
  ASSERT_TRUE(saver.WaitForExit(c.maxMs));
  EXPECT_GE(GetTickCount64() - shown, c.minMs);
  EXPECT_EQ(saver.ExitCode(), 0u);
  const DemoLog log = Log();
  EXPECT_EQ(log.EventsOf(saver.Id()), (std::vector<std::string>{"start", "window", "exit"}));
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), "timeout");
}

INSTANTIATE_TEST_SUITE_P(Seconds, DemoSaverSelfEndTest,
                         ::testing::Values(SelfEndCase{L"/s", nullptr, 2500, 8000},
                                           SelfEndCase{L"/s /end:1", nullptr, 700, 2500},
                                           SelfEndCase{L"/s", L"1", 700, 2500},
                                           SelfEndCase{L"/s /END 2", L"1", 1700, 5000}));

TEST_F(DemoSaverTest, NoWindowNeverShowsAWindowAndEndsAfterItsSeconds) {
  TestProcess saver = Start(L"NoWindow", L"/s /end:2");
  const ULONGLONG started = GetTickCount64();
  bool sawWindow = false;
  WaitUntil([&] {
    sawWindow = sawWindow || !TopLevelWindowsOf({saver.Id()}, false).empty();
    return !saver.Running();
  }, 8000);
  EXPECT_FALSE(sawWindow);
  ASSERT_FALSE(saver.Running());
  EXPECT_GE(GetTickCount64() - started, 1700u);
  const DemoLog log = Log();
  ExpectStart(log, saver.Id(), "NoWindow", "screen");
  EXPECT_EQ(log.EventsOf(saver.Id()), (std::vector<std::string>{"start", "exit"}));
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), "timeout");
}

// Tessora's end-to-end tests let several savers write one log.
TEST_F(DemoSaverTest, SeveralSaversShareOneLog) {
  const wchar_t* ids[] = {L"Aurora", L"Ember", L"Lagoon", L"Sakura"};
  std::vector<TestProcess> savers;
  for (const wchar_t* id : ids) savers.push_back(Start(id, L"/s"));
  for (auto& saver : savers) {
    const auto windows = WaitForWindows({saver.Id()}, 1);
    ASSERT_EQ(windows.size(), 1u);
    PostAll(windows[0], kTessoraClose);
  }
  for (auto& saver : savers) ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  const DemoLog log = Log();
  for (std::size_t i = 0; i < savers.size(); ++i) {
    EXPECT_TRUE(Framed(log.EventsOf(savers[i].Id()), {"start", "window"}, {"exit"}))
        << testing::PrintToString(log.EventsOf(savers[i].Id()));
    const auto start = log.Find(savers[i].Id(), "start");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->name, Narrow(ids[i]));
  }
}

struct MouseCase {
  const char* name;
  bool realCursor;  // SetCursorPos, else posted WM_MOUSEMOVE
};

class DemoSaverMouseTest : public DemoSaverTest, public ::testing::WithParamInterface<MouseCase> {};

// A few pixels of jitter are not input; a real move is.
TEST_P(DemoSaverMouseTest, MoveEndsOnlyBeyondTheSlack) {
  const bool realCursor = GetParam().realCursor;
  SetCursorPos(200, 200);
  TestProcess saver = Start(L"Ember", L"/s");
  const auto windows = WaitForWindows({saver.Id()}, 1);
  ASSERT_EQ(windows.size(), 1u);
  const RECT screen = VirtualScreenRect();
  auto move = [&](int x, int y) {
    if (realCursor) SetCursorPos(x, y);
    else PostMessageW(windows[0], WM_MOUSEMOVE, 0, MAKELPARAM(x - screen.left, y - screen.top));
  };
  // Whichever of (200,200) and the first move the saver takes as its start, these stay
  // within the slack of it.
  move(203, 203);
  move(206, 199);
  move(199, 207);
  EXPECT_FALSE(saver.WaitForExit(600));
  // Under load a cursor move can reach the saver late or not at all; the move is made
  // again, a pixel further each time, until the saver ends or the time is up.
  bool ended = false;
  for (int k = 0; k < 8 && !ended; ++k) {
    move(203, 260 + k);
    ended = saver.WaitForExit(kEndTimeout / 8 + 1);
  }
  ASSERT_TRUE(ended || saver.WaitForExit(kEndTimeout));
  const DemoLog log = Log();
  const auto moved = log.Find(saver.Id(), "mousemove");
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->Field("x"), "203");
  EXPECT_GE(std::atoi(moved->Field("y").c_str()), 260);
  EXPECT_LE(std::atoi(moved->Field("y").c_str()), 267);
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), "mousemove");
}

INSTANTIATE_TEST_SUITE_P(Moves, DemoSaverMouseTest,
                         ::testing::Values(MouseCase{"Posted", false}, MouseCase{"Cursor", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DemoSaverTest, KeyFromSendInputEndsSaver) {
  TestProcess saver = Start(L"Lagoon", L"/s");
  const auto windows = WaitForWindows({saver.Id()}, 1);
  ASSERT_EQ(windows.size(), 1u);
  WaitUntil([&] { return GetForegroundWindow() == windows[0]; }, 2000);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = 'A';
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  const DemoLog log = Log();
  EXPECT_EQ(log.FieldOf(saver.Id(), "keydown", "vk"), std::to_string('A'));
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), "key");
}

struct PreviewCase {
  const wchar_t* format;  // %u: the host window's handle
};

class DemoSaverPreviewTest : public DemoSaverTest, public ::testing::WithParamInterface<PreviewCase> {};

// The preview fills the host's client area, ignores keys and ends with its parent.
TEST_P(DemoSaverPreviewTest, ChildFillsHostAndEndsWithIt) {
  HostWindow host;
  ASSERT_TRUE(host.Get());
  wchar_t args[64];
  swprintf(args, 64, GetParam().format, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(host.Get())));
  TestProcess saver = Start(L"Aurora", args);
  HWND child = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (child = FindWindowExW(host.Get(), nullptr, L"TessoraDemoSaver", nullptr)) != nullptr; }, 10000));
  DWORD childPid = 0;
  GetWindowThreadProcessId(child, &childPid);
  EXPECT_EQ(childPid, saver.Id());
  EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_CHILD);
  RECT hostClient{}, childRect{};
  GetClientRect(host.Get(), &hostClient);
  GetWindowRect(child, &childRect);
  MapWindowPoints(nullptr, host.Get(), reinterpret_cast<POINT*>(&childRect), 2);
  EXPECT_EQ(RectText(childRect), RectText(hostClient));
  EXPECT_TRUE(TopLevelWindowsOf({saver.Id()}).empty());

  PostAll(child, {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE}, {WM_LBUTTONDOWN, MK_LBUTTON}});
  EXPECT_FALSE(saver.WaitForExit(500));

  host.Destroy();
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  const DemoLog log = Log();
  ExpectStart(log, saver.Id(), "Aurora", "preview");
  EXPECT_EQ(log.EventsOf(saver.Id()), (std::vector<std::string>{"start", "window", "exit"}));
  EXPECT_EQ(log.FieldOf(saver.Id(), "window", "hwnd"), HwndText(child));
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), "parent");
}

INSTANTIATE_TEST_SUITE_P(Switches, DemoSaverPreviewTest,
                         ::testing::Values(PreviewCase{L"/p %u"}, PreviewCase{L"/p:%u"}, PreviewCase{L"-P %u"}));

TEST_F(DemoSaverTest, PreviewOfAMissingWindowEndsAtOnce) {
  TestProcess saver = Start(L"Aurora", L"/p 0");
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  EXPECT_EQ(saver.ExitCode(), 1u);
  EXPECT_EQ(Log().FieldOf(saver.Id(), "exit", "reason"), "error");
}

struct ConfigCase {
  const wchar_t* args;  // %u: the owner's handle
  bool owned;
};

class DemoSaverConfigTest : public DemoSaverTest, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(DemoSaverConfigTest, ShowsAMessageBoxUntilItIsDismissed) {
  HostWindow owner;
  wchar_t args[64];
  swprintf(args, 64, GetParam().args, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(owner.Get())));
  TestProcess saver = Start(L"Sakura", args);
  const auto windows = WaitForWindows({saver.Id()}, 1);
  ASSERT_EQ(windows.size(), 1u);
  wchar_t className[32] = {};
  GetClassNameW(windows[0], className, 32);
  EXPECT_STREQ(className, L"#32770");
  EXPECT_EQ(GetWindow(windows[0], GW_OWNER), GetParam().owned ? owner.Get() : nullptr);
  EXPECT_FALSE(GetWindowLongW(windows[0], GWL_EXSTYLE) & WS_EX_TOPMOST);

  PostMessageW(windows[0], WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  const DemoLog log = Log();
  ExpectStart(log, saver.Id(), "Sakura", "config");
  EXPECT_EQ(log.FieldOf(saver.Id(), "exit", "reason"), "config");
}

INSTANTIATE_TEST_SUITE_P(Switches, DemoSaverConfigTest,
                         ::testing::Values(ConfigCase{L"/c", false}, ConfigCase{L"", false}, ConfigCase{L"-C", false},
                                           ConfigCase{L"/c:%u", true}));

TEST_F(DemoSaverTest, PasswordSwitchEndsWithoutAWindow) {
  TestProcess saver = Start(L"Aurora", L"/a 1234");
  ASSERT_TRUE(saver.WaitForExit(kEndTimeout));
  EXPECT_EQ(saver.ExitCode(), 0u);
  EXPECT_EQ(Log().EventsOf(saver.Id()), (std::vector<std::string>{"start", "exit"}));
}

// The screen shows which saver runs: its background fills most of it and its name,
// in the text colour, sits in the middle band.
class DemoSaverDrawingTest : public DemoSaverTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DemoSaverDrawingTest, DrawsBackgroundAndName) {
  const DemoVariant* variant = FindDemoVariant(GetParam());
  ASSERT_TRUE(variant);
  const std::wstring id(variant->id.begin(), variant->id.end());
  TestProcess saver = Start(id, L"/s");
  // TwoWindows may show its second window already.
  ASSERT_GE(WaitForWindows({saver.Id()}, 1).size(), 1u);
  PumpMessagesFor(400);

  const RECT screen = VirtualScreenRect();
  const int width = screen.right - screen.left;
  const int height = screen.bottom - screen.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screenDc = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(bitmap);
  HDC memory = CreateCompatibleDC(screenDc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screenDc, screen.left, screen.top, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  auto colourAt = [&](int x, int y) {
    const std::uint32_t bgrx = pixels[y * width + x];
    return static_cast<std::uint32_t>(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
  };
  std::map<std::uint32_t, int> counts;
  for (int y = 0; y < height; y += 4)
    for (int x = 0; x < width; x += 4) ++counts[colourAt(x, y)];
  int textPixels = 0;
  for (int y = height * 2 / 5; y < height * 3 / 5; ++y)
    for (int x = 0; x < width; ++x) textPixels += colourAt(x, y) == variant->text;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screenDc);

  const auto most = std::max_element(counts.begin(), counts.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  EXPECT_EQ(most->first, variant->background);
  EXPECT_GT(textPixels, 200);
}

INSTANTIATE_TEST_SUITE_P(Savers, DemoSaverDrawingTest,
                         ::testing::Values("Aurora", "Ember", "Lagoon", "Sakura", "Stubborn", "TwoWindows", "SelfEnd"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
