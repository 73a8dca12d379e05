// The screensaver host with real windows and messages: each case builds a form with
// the host on it from a command line, runs the loaded step and talks to the form.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "WineTestSupport.h"
#include "host/ZuScreenSaver.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"

using namespace tessora;

namespace {

const TZuScreenSaverTrapEvents kAllEvents{zuteMouseMove, zuteMouseDownL, zuteMouseDownR, zuteMouseDownM, zuteKeyDown};
const TZuScreenSaverTrapSpecialKeys kAllKeys{zutsAlt, zutsTab, zutsPrintScreen};

// Handles this thread's messages until the condition holds; a posted quit stays queued
bool QuitPosted() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

class HostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }
  void SetUp() override {
    cursorCount_ = CursorDisplayCount();
    ASSERT_TRUE(SetCursorPos(500, 400));
  }
  void TearDown() override {
    DrainHostMessages();
    RestoreCursorDisplayCount(cursorCount_);
  }

  int cursorCount_ = 0;
};

TEST_F(HostTest, ConstructorSetsTheDefaultsAndCreatesTheFormsWindow) {
  const DWORD before = GetTickCount();
  HostedForm f("/x");
  const DWORD after = GetTickCount();
  TZuScreenSaver& host = f.Host();
  EXPECT_TRUE(f.Form().HandleAllocated());
  EXPECT_EQ(host.FormHandle(), f.Window());
  EXPECT_EQ(host.ConfigTitle, L"スクリーンセーバー");
  EXPECT_EQ(host.ConfigMessage, L"このスクリーンセーバーには、設定できるオプションがありません.");
  EXPECT_TRUE(host.Initialize);
  EXPECT_FALSE(host.ShowCursor());
  EXPECT_FALSE(host.ShowTaskbarIcon);
  EXPECT_EQ(host.TrapEvents.Bits(), 0x1F);
  EXPECT_EQ(host.TrapSpecialKeys.Bits(), 0x07);
  EXPECT_EQ(host.TranslateControl(), nullptr);
  EXPECT_TRUE(host.IsNTPlatform());
  // "TZuScreenSaverMutex[" + the tick count of the construction + "]"
  const std::wstring prefix = L"TZuScreenSaverMutex[";
  ASSERT_EQ(host.MutexName.rfind(prefix, 0), 0u);
  ASSERT_EQ(host.MutexName.back(), L']');
  const std::wstring digits = host.MutexName.substr(prefix.size(), host.MutexName.size() - prefix.size() - 1);
  ASSERT_FALSE(digits.empty());
  EXPECT_EQ(digits.find_first_not_of(L"0123456789"), std::wstring::npos);
  EXPECT_NE(digits[0], L'0');
  const unsigned long ticks = std::stoul(digits);
  EXPECT_GE(ticks, before);
  EXPECT_LE(ticks, after);
}

struct ModeCase {
  const char* name;
  std::string arguments;  // {child} stands for a child window of a test window
  RunMode mode;
  enum Parent { None, Desktop, Child, TopLevel } parent;
};

class HostModeTest : public HostTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(HostModeTest, CommandLineDecidesModeAndWindow) {
  const ModeCase& c = GetParam();
  TestWindow top(50, 50, 300, 200);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top.Get(), nullptr, nullptr, nullptr);
  std::string arguments = c.arguments;
  if (auto at = arguments.find("{child}"); at != std::string::npos) arguments.replace(at, 7, HandleArgument(child));
  HostedForm f(arguments);
  TZuScreenSaver& host = f.Host();
  EXPECT_EQ(host.Mode(), c.mode);
  EXPECT_EQ(host.Normal(), c.mode == RunMode::Normal);
  EXPECT_EQ(host.Preview(), c.mode == RunMode::Preview);
  EXPECT_EQ(host.Password(), c.mode == RunMode::Password);
  EXPECT_EQ(host.Config(), c.mode == RunMode::Config);
  const HWND expected[] = {nullptr, GetDesktopWindow(), child, top.Get()};
  EXPECT_EQ(host.hWndParent(), expected[c.parent]);
}

INSTANTIATE_TEST_SUITE_P(
    Host, HostModeTest,
    ::testing::Values(ModeCase{"NoArgument", "", RunMode::Config, ModeCase::None},
                      ModeCase{"LetterWithoutSwitch", "S", RunMode::Config, ModeCase::None},
                      ModeCase{"Screen", "/screen", RunMode::Normal, ModeCase::Desktop},
                      ModeCase{"DashS", "-S", RunMode::Normal, ModeCase::Desktop},
                      ModeCase{"PreviewKeepsTheChild", "/p {child}", RunMode::Preview, ModeCase::Child},
                      ModeCase{"PasswordClimbsToTheTop", "/a {child}", RunMode::Password, ModeCase::TopLevel},
                      ModeCase{"ConfigWithHandle", "/c:{child}", RunMode::Config, ModeCase::TopLevel},
                      ModeCase{"UnknownLetter", "/x", RunMode::Config, ModeCase::None}),
    [](const auto& info) { return info.param.name; });

TEST_F(HostTest, MisuseRaisesTheFixedMessages) {
  HostedForm f("/x");
  try {
    new TZuScreenSaver(&f.Form(), "test.exe /x");
    FAIL() << "a second host was accepted";
  } catch (const EZuScreenSaverError& e) {
    EXPECT_EQ(e.Message(), L"TZuScreenSaverコンポーネントは、フォーム上に１つだけ配置することが出来ます");
    EXPECT_STREQ(e.what(), "TZuScreenSaverコンポーネントは、フォーム上に１つだけ配置することが出来ます");
  }
  EXPECT_EQ(f.Form().ComponentCount(), 1);  // the failed one is not left on the form

  tk::WinControl control(&f.Form());
  f.Host().SetTranslateControl(&control);
  try {
    f.Host().SetTranslateControl(&f.Form());
    FAIL() << "the form was accepted as TranslateControl";
  } catch (const EZuScreenSaverError& e) {
    EXPECT_EQ(e.Message(), L"TranslateControlプロパティにメインフォームを指定することはできません");
  }
  EXPECT_EQ(f.Host().TranslateControl(), &control);
}

// One message to a running full-screen host: does it end the run, and does the
// form's own handler still get it?
struct TrapCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  TZuScreenSaverTrapEvents events;
  TZuScreenSaverTrapSpecialKeys keys;
  std::vector<int> held;
  bool closes;
};

class HostTrapTest : public HostTest, public ::testing::WithParamInterface<TrapCase> {};

TEST_P(HostTrapTest, TrappedInputRequestsTheClose) {
  const TrapCase& c = GetParam();
  HostedForm f("/s");
  f.Host().TrapEvents = c.events;
  f.Host().TrapSpecialKeys = c.keys;
  f.Load();
  f.passedOn.clear();
  tk::App().ShowMainForm = true;
  {
    HeldKeys held(c.held);
    SendMessageW(f.Window(), c.message, c.wParam, 0);
  }
  EXPECT_EQ(f.TakePostedCloses(), c.closes ? 1 : 0);
  EXPECT_EQ(tk::App().ShowMainForm, !c.closes);
  EXPECT_TRUE(f.PassedOn(c.message, c.wParam)) << "the form's own handler must still get the message";
  // A held special key reaches the form as an Esc key of its own.
  const bool specialKey = !c.held.empty() && c.closes;
  EXPECT_EQ(f.PassedOn(WM_KEYDOWN, VK_ESCAPE), specialKey || (c.message == WM_KEYDOWN && c.wParam == VK_ESCAPE));
}

const TZuScreenSaverTrapEvents kNoKeyDown{zuteMouseMove, zuteMouseDownL, zuteMouseDownR, zuteMouseDownM};

INSTANTIATE_TEST_SUITE_P(
    Host, HostTrapTest,
    ::testing::Values(
        TrapCase{"KeyDown", WM_KEYDOWN, 'A', kAllEvents, kAllKeys, {}, true},
        TrapCase{"KeyDownNotTrapped", WM_KEYDOWN, 'A', kNoKeyDown, kAllKeys, {}, false},
        TrapCase{"LeftDown", WM_LBUTTONDOWN, MK_LBUTTON, kAllEvents, kAllKeys, {}, true},
        TrapCase{"LeftDownNotTrapped", WM_LBUTTONDOWN, MK_LBUTTON, {zuteMouseDownR, zuteMouseDownM}, kAllKeys, {}, false},
        TrapCase{"RightDown", WM_RBUTTONDOWN, MK_RBUTTON, {zuteMouseDownR}, kAllKeys, {}, true},
        TrapCase{"RightDownNotTrapped", WM_RBUTTONDOWN, MK_RBUTTON, {zuteMouseDownL}, kAllKeys, {}, false},
        TrapCase{"MiddleDown", WM_MBUTTONDOWN, MK_MBUTTON, {zuteMouseDownM}, kAllKeys, {}, true},
        TrapCase{"MiddleDownNotTrapped", WM_MBUTTONDOWN, MK_MBUTTON, {zuteMouseDownL}, kAllKeys, {}, false},
        TrapCase{"ButtonUp", WM_LBUTTONUP, 0, kAllEvents, kAllKeys, {}, false},
        TrapCase{"DoubleClick", WM_LBUTTONDBLCLK, MK_LBUTTON, kAllEvents, kAllKeys, {}, false},
        TrapCase{"Wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), kAllEvents, kAllKeys, {}, false},
        TrapCase{"KeyUp", WM_KEYUP, 'A', kAllEvents, kAllKeys, {}, false},
        TrapCase{"Character", WM_CHAR, 'a', kAllEvents, kAllKeys, {}, false},
        TrapCase{"AltHeldSystemKey", WM_SYSKEYDOWN, VK_MENU, kAllEvents, kAllKeys, {VK_MENU}, true},
        TrapCase{"TabHeldAnyMessage", WM_NULL, 0, kAllEvents, kAllKeys, {VK_TAB}, true},
        TrapCase{"PrintScreenHeldPaint", WM_USER + 7, 0, kAllEvents, {zutsPrintScreen}, {VK_SNAPSHOT}, true},
        TrapCase{"AltHeldNotASpecialKey", WM_NULL, 0, kAllEvents, {zutsTab, zutsPrintScreen}, {VK_MENU}, false},
        TrapCase{"SpecialKeysNeedKeyDown", WM_NULL, 0, kNoKeyDown, kAllKeys, {VK_MENU, VK_TAB, VK_SNAPSHOT}, false},
        TrapCase{"NothingTrappedKeyDown", WM_KEYDOWN, 'A', {}, kAllKeys, {}, false},
        TrapCase{"NothingTrappedButton", WM_LBUTTONDOWN, MK_LBUTTON, {}, kAllKeys, {}, false},
        TrapCase{"NothingTrappedAltHeld", WM_NULL, 0, {}, kAllKeys, {VK_MENU}, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(HostTest, MouseMoveEndsTheRunOnlyAwayFromTheFirstPosition) {
  HostedForm f("/s");
  f.Load();
  HWND w = f.Window();
  const auto moveTo = [&](int x, int y) {
    EXPECT_TRUE(SetCursorPos(x, y));
    // The message's own coordinates do not count, only where the cursor stands.
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(7, 7));
    return f.TakePostedCloses();
  };
  EXPECT_FALSE(f.Host().MouseMoveSeen());
  EXPECT_EQ(moveTo(200, 150), 0) << "the first move only records the origin";
  EXPECT_TRUE(f.Host().MouseMoveSeen());
  EXPECT_EQ(f.Host().MouseOrigin().x, 200);
  EXPECT_EQ(f.Host().MouseOrigin().y, 150);
  EXPECT_EQ(moveTo(200, 150), 0);
  EXPECT_EQ(moveTo(201, 150), 1) << "one pixel to the right";
  EXPECT_EQ(moveTo(200, 150), 0) << "back at the origin";
  EXPECT_EQ(moveTo(200, 149), 1) << "one pixel up";
  EXPECT_EQ(f.Host().MouseOrigin().y, 150) << "later moves do not move the origin";
  f.Host().TrapEvents.Exclude(zuteMouseMove);
  EXPECT_EQ(moveTo(300, 300), 0);
}

TEST_F(HostTest, SystemScreensaverCommandIsKeptFromTheFormInEveryRun) {
  TestWindow preview(0, 0, 200, 150);
  struct Run {
    std::string arguments;
    bool emptyTraps;
  };
  for (const Run& run : {Run{"/s", false}, Run{"/s", true}, Run{"/p " + HandleArgument(preview.Get()), false}}) {
    SCOPED_TRACE(run.arguments + (run.emptyTraps ? " without traps" : ""));
    HostedForm f(run.arguments);
    if (run.emptyTraps) f.Host().TrapEvents = {};
    f.Load();
    EXPECT_EQ(SendMessageW(f.Window(), WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    EXPECT_FALSE(f.PassedOn(WM_SYSCOMMAND, SC_SCREENSAVE));
    EXPECT_EQ(SendMessageW(f.Window(), WM_SYSCOMMAND, SC_SCREENSAVE + 1, 0), 0);
    EXPECT_TRUE(f.PassedOn(WM_SYSCOMMAND, SC_SCREENSAVE + 1));
    EXPECT_EQ(f.TakePostedCloses(), 0);
  }
}

TEST_F(HostTest, CloseRaisesOnCloseShowsTheCursorHidesTheFormThenLetsItClose) {
  HostedForm f("/s");
  std::vector<std::string> log;
  int cursorAtClose = 0;
  f.Host().OnClose = [&](tk::Component* sender) {
    EXPECT_EQ(sender, &f.Host());
    log.push_back("host.OnClose");
    cursorAtClose = CursorDisplayCount();
  };
  f.Host().OnCloseCancel = [&](tk::Component*) { log.push_back("host.OnCloseCancel"); };
  f.Form().OnCloseQuery = [&](bool&) {
    log.push_back(std::string("form.OnCloseQuery ") + (IsWindowVisible(f.Window()) ? "visible" : "hidden"));
  };
  f.Form().OnClose = [&](tk::CloseAction&) { log.push_back("form.OnClose"); };
  f.Load();
  f.Form().Show();
  const int hidden = CursorDisplayCount();
  EXPECT_LT(hidden, 0) << "a full-screen run hides the cursor";
  f.Host().RequestClose();
  ASSERT_TRUE(PumpUntil([&] { return !log.empty() && log.back() == "form.OnClose"; }, 2000));
  const std::vector<std::string> expected = {"host.OnClose", "form.OnCloseQuery hidden", "form.OnClose"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(cursorAtClose, hidden) << "OnClose comes before the cursor is shown";
  EXPECT_GE(CursorDisplayCount(), 0) << "shown for the password question";
}

TEST_F(HostTest, PasswordRunEndsWithoutHookOrShowingTheForm) {
  TestWindow owner(40, 40, 300, 200);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner.Get(), nullptr, nullptr, nullptr);
  HostedForm f("/a " + HandleArgument(child));
  std::vector<std::string> log;
  f.Host().OnRunPassword = [&](tk::Component*, HWND wnd, HWND parent) {
    EXPECT_EQ(wnd, nullptr);
    EXPECT_EQ(parent, owner.Get());
    log.push_back("OnRunPassword");
  };
  f.Host().OnClose = [&](tk::Component*) { log.push_back("host.OnClose"); };
  f.Form().OnClose = [&](tk::CloseAction&) { log.push_back("form.OnClose"); };
  tk::App().ShowMainForm = true;
  f.Load();
  EXPECT_FALSE(tk::App().ShowMainForm);
  // The posted close reaches the form directly: no close sequence.
  EXPECT_TRUE(PumpUntil([&] { return log.size() == 2; }, 2000));
  const std::vector<std::string> expected = {"OnRunPassword", "form.OnClose"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(SendMessageW(f.Window(), WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  EXPECT_TRUE(f.PassedOn(WM_SYSCOMMAND, SC_SCREENSAVE));
}

TEST_F(HostTest, TranslateControlHandsItsInputToTheForm) {
  HostedForm f("/s");
  auto* control = new tk::WinControl(&f.Form());
  control->SetParent(&f.Form());
  control->SetBounds(0, 0, 50, 50);
  std::vector<UINT> controlSaw;
  const tk::MessageHookRegistration controlHook = control->AddMessageHook([&](tk::Message& m) {
    controlSaw.push_back(m.Msg);
    return false;
  });
  HWND c = control->Handle();
  f.Host().SetTranslateControl(control);  // while loading: not hooked yet
  SendMessageW(c, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(f.TakePostedCloses(), 0);
  f.Load();

  SendMessageW(c, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(f.TakePostedCloses(), 1);
  EXPECT_TRUE(f.PassedOn(WM_KEYDOWN, 'A'));
  EXPECT_EQ(std::count(controlSaw.begin(), controlSaw.end(), static_cast<UINT>(WM_KEYDOWN)), 2);

  // A message the form answers does not reach the control.
  f.answer = [](tk::Message& m) {
    if (m.Msg != WM_RBUTTONDOWN) return false;
    m.Result = 5;
    return true;
  };
  controlSaw.clear();
  EXPECT_EQ(SendMessageW(c, WM_RBUTTONDOWN, MK_RBUTTON, 0), 5);
  EXPECT_EQ(f.TakePostedCloses(), 1);
  EXPECT_TRUE(controlSaw.empty());

  // Any message at the control with a special key held ends the run, without an Esc to the form.
  f.passedOn.clear();
  {
    HeldKeys alt({VK_MENU});
    SendMessageW(c, WM_NULL, 0, 0);
  }
  EXPECT_EQ(f.TakePostedCloses(), 1);
  EXPECT_FALSE(f.PassedOn(WM_KEYDOWN));

  // A new control takes the hook over; the old one is its plain self again.
  auto* other = new tk::WinControl(&f.Form());
  other->SetParent(&f.Form());
  f.Host().SetTranslateControl(other);
  SendMessageW(c, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(f.TakePostedCloses(), 0);
  SendMessageW(other->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(f.TakePostedCloses(), 1);

  // Removing the control from the form empties the property and unhooks it.
  tk::Component::Free(other);
  EXPECT_EQ(f.Host().TranslateControl(), nullptr);
  f.Host().SetTranslateControl(control);
  delete control;  // a plain delete tells the host as well
  EXPECT_EQ(f.Host().TranslateControl(), nullptr);
  SendMessageW(f.Window(), WM_NULL, 0, 0);
}

TEST_F(HostTest, CursorIsHiddenInAFullScreenRunAndFollowsShowCursor) {
  const int start = CursorDisplayCount();
  {
    HostedForm f("/s");
    f.Load();
    EXPECT_LT(CursorDisplayCount(), 0);
    f.Host().SetShowCursor(true);
    EXPECT_GE(CursorDisplayCount(), 0);
    const int shown = CursorDisplayCount();
    f.Host().SetShowCursor(true);
    EXPECT_EQ(CursorDisplayCount(), shown) << "the same value changes nothing";
    f.Host().SetShowCursor(false);
    EXPECT_LT(CursorDisplayCount(), 0);
  }
  RestoreCursorDisplayCount(start);
  TestWindow preview(0, 0, 200, 150);
  HostedForm f("/p " + HandleArgument(preview.Get()));
  f.Load();
  f.Host().SetShowCursor(true);
  f.Host().SetShowCursor(false);
  EXPECT_EQ(CursorDisplayCount(), start) << "a preview leaves the cursor alone";
}

TEST_F(HostTest, FullScreenRunRaisesOnRunNormalHooksAndGoesTopMost) {
  HostedForm f("/s", true);
  f.Host().MutexName = L"TessoraHostTest-" + std::to_wstring(GetCurrentProcessId()) + L"-normal";
  std::vector<std::string> log;
  f.Host().OnRunNormal = [&](tk::Component* sender, HWND wnd, HWND parent) {
    EXPECT_EQ(sender, &f.Host());
    EXPECT_EQ(wnd, f.Window());
    EXPECT_EQ(parent, GetDesktopWindow());
    EXPECT_NE(f.Host().MutexHandle(), nullptr) << "the mutex step comes first";
    log.push_back("OnRunNormal");
  };
  f.Host().OnInitialize = [&](tk::Component*, bool& initialize) {
    EXPECT_TRUE(initialize);
    EXPECT_LT(CursorDisplayCount(), 0) << "cursor and hooks come before OnInitialize";
    log.push_back("OnInitialize");
  };
  f.Host().OnMutexClose = [&](tk::Component*) { log.push_back("OnMutexClose"); };
  f.Load();
  EXPECT_EQ(log, (std::vector<std::string>{"OnRunNormal", "OnInitialize"}));
  EXPECT_TRUE(GetWindowLongW(f.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT desktop{}, form{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(f.Window(), &form);
  EXPECT_EQ(form.left, 0);
  EXPECT_EQ(form.top, 0);
  EXPECT_EQ(form.right, desktop.right - desktop.left);
  EXPECT_EQ(form.bottom, desktop.bottom - desktop.top);
  EXPECT_EQ(f.TakePostedCloses(), 0);
}

TEST_F(HostTest, SecondFullScreenRunWithTheSameMutexNameGivesWay) {
  const std::wstring name = L"TessoraHostTest-" + std::to_wstring(GetCurrentProcessId()) + L"-mutex";
  auto first = std::make_unique<HostedForm>("/s", true);
  first->Host().MutexName = name;
  first->Load();
  std::vector<std::string> log;
  {
    HostedForm second("/s", true);
    second.Host().MutexName = name;
    second.Host().OnMutexClose = [&](tk::Component*) { log.push_back("OnMutexClose"); };
    second.Host().OnRunNormal = [&](tk::Component*, HWND, HWND) { log.push_back("OnRunNormal"); };
    second.Host().OnInitialize = [&](tk::Component*, bool&) { log.push_back("OnInitialize"); };
    tk::App().ShowMainForm = true;
    second.Load();
    EXPECT_EQ(log, std::vector<std::string>{"OnMutexClose"});
    EXPECT_FALSE(tk::App().ShowMainForm);
    EXPECT_EQ(second.TakePostedCloses(), 1);
    SendMessageW(second.Window(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(second.PassedOn(WM_SYSCOMMAND, SC_SCREENSAVE)) << "no hook on the early exit";
  }
  EXPECT_EQ(first->TakePostedCloses(), 0);

  // Mutex off: any number run side by side.
  HostedForm third("/s", false);
  third.Host().MutexName = name;
  bool ran = false;
  third.Host().OnRunNormal = [&](tk::Component*, HWND, HWND) { ran = true; };
  third.Load();
  EXPECT_TRUE(ran);

  // Once the first has ended, the name is free again.
  first.reset();
  HostedForm fourth("/s", true);
  fourth.Host().MutexName = name;
  bool ranFourth = false;
  fourth.Host().OnRunNormal = [&](tk::Component*, HWND, HWND) { ranFourth = true; };
  fourth.Load();
  EXPECT_TRUE(ranFourth);
}

TEST_F(HostTest, OnInitializeCanKeepTheFormsOwnSize) {
  HostedForm f("/s");
  f.Form().SetBounds(10, 20, 120, 90);
  f.Host().OnInitialize = [](tk::Component*, bool& initialize) { initialize = false; };
  f.Load();
  EXPECT_FALSE(f.Host().Initialize);
  RECT r{};
  GetWindowRect(f.Window(), &r);
  EXPECT_EQ(r.right - r.left, 120);
  EXPECT_EQ(r.bottom - r.top, 90);
}

TEST_F(HostTest, PreviewMakesTheFormAChildOfThePreviewWindow) {
  TestWindow preview(30, 30, 240, 180);
  HostedForm f("/p " + HandleArgument(preview.Get()));
  HWND before = f.Window();
  std::vector<std::string> log;
  f.Host().OnRunPreview = [&](tk::Component*, HWND wnd, HWND parent) {
    EXPECT_EQ(wnd, before);
    EXPECT_EQ(parent, preview.Get());
    f.Host().TrapEvents = kAllEvents;  // emptied again afterwards
    log.push_back("OnRunPreview");
  };
  EXPECT_TRUE(f.Host().TrapEvents.Empty());
  f.Load();
  EXPECT_EQ(log, std::vector<std::string>{"OnRunPreview"});
  EXPECT_TRUE(f.Host().TrapEvents.Empty());
  EXPECT_EQ(f.Host().FormHandle(), before) << "the form keeps its window";
  EXPECT_EQ(f.Window(), before);
  EXPECT_EQ(GetParent(before), preview.Get());
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(before, GWL_STYLE)), 0x56000000u);
  RECT parentRect{}, form{};
  GetWindowRect(preview.Get(), &parentRect);
  GetWindowRect(before, &form);
  EXPECT_EQ(form.right - form.left, parentRect.right - parentRect.left) << "fitted to the preview window";
  EXPECT_EQ(form.bottom - form.top, parentRect.bottom - parentRect.top);
  SendMessageW(before, WM_KEYDOWN, 'A', 0);
  SendMessageW(before, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(f.TakePostedCloses(), 0) << "a preview traps nothing";

  // The system's dialog destroys the preview window, and our form with it: the program ends.
  EXPECT_FALSE(QuitPosted());
  preview.Destroy();
  EXPECT_TRUE(PumpUntil(QuitPosted, 2000));
  EXPECT_EQ(f.Host().FormHandle(), nullptr);
}

TEST_F(HostTest, PreviewEndsWhenThePreviewWindowIsGoneEvenIfTheFormSurvives) {
  TestWindow preview(30, 30, 240, 180);
  HostedForm f("/p " + HandleArgument(preview.Get()));
  f.Load();
  // Another process's window does not take ours down with it; the host looks for it.
  SetParent(f.Window(), nullptr);
  preview.Destroy();
  EXPECT_TRUE(PumpUntil(QuitPosted, 2000));
  EXPECT_TRUE(IsWindow(f.Window()));
}

TEST_F(HostTest, PreviewWithoutAWindowKeepsTheFormsSize) {
  for (const char* arguments : {"/p", "/p 0", "/p 4294967295", "/p:1234"}) {
    SCOPED_TRACE(arguments);
    HostedForm f(arguments);
    f.Form().SetBounds(5, 5, 150, 100);
    EXPECT_EQ(f.Host().hWndParent(), nullptr);
    f.Load();
    RECT r{};
    GetWindowRect(f.Window(), &r);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 100);
    EXPECT_FALSE(GetWindowLongW(f.Window(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(PumpUntil(QuitPosted, 2000)) << "nothing to draw in: the run ends";
    DrainHostMessages();
  }
}

TEST_F(HostTest, HandlersAreRestoredWhenTheHostGoesInEveryMode) {
  TestWindow preview(0, 0, 200, 150);
  for (const std::string& arguments : {std::string("/s"), "/p " + HandleArgument(preview.Get())}) {
    SCOPED_TRACE(arguments);
    HostedForm f(arguments);
    auto* control = new tk::WinControl(&f.Form());
    control->SetParent(&f.Form());
    int controlKeys = 0;
    const tk::MessageHookRegistration controlHook = control->AddMessageHook([&](tk::Message& m) {
      if (m.Msg == WM_KEYDOWN) ++controlKeys;
      return false;
    });
    f.Host().SetTranslateControl(control);
    f.Load();
    f.DestroyHost();
    f.passedOn.clear();
    EXPECT_EQ(SendMessageW(f.Window(), WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_TRUE(f.PassedOn(WM_SYSCOMMAND, SC_SCREENSAVE));
    SendMessageW(control->Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(controlKeys, 1);
    EXPECT_FALSE(f.PassedOn(WM_KEYDOWN)) << "the control no longer hands its input on";
    EXPECT_EQ(f.TakePostedCloses(), 0);
  }
}

TEST_F(HostTest, TaskbarButtonIsHiddenUnlessAskedFor) {
  HWND app = tk::App().Handle();
  ASSERT_NE(app, nullptr);
  TestWindow owner(0, 0, 100, 100);
  for (bool show : {true, false}) {
    SetWindowLongW(app, GWL_EXSTYLE, GetWindowLongW(app, GWL_EXSTYLE) & ~WS_EX_TOOLWINDOW);
    HostedForm f("/a " + HandleArgument(owner.Get()));
    f.Host().ShowTaskbarIcon = show;
    f.Load();
    EXPECT_EQ((GetWindowLongW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0, !show);
    EXPECT_FALSE(GetWindowLongW(f.Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "the form itself is not changed";
  }
}

// A configuration form that tells when it is destroyed.
class ConfigProbe : public tk::Form {
 public:
  ConfigProbe(tk::Component* owner, bool& destroyed) : Form(owner), destroyed_(destroyed) {
    Border = tk::BorderStyle::Dialog;
    SetBounds(0, 0, 200, 100);
  }
  ~ConfigProbe() override { destroyed_ = true; }

 private:
  bool& destroyed_;
};

TEST_F(HostTest, ConfigFormIsCentredOverItsWindowShownModallyAndReleased) {
  TestWindow owner(100, 100, 400, 300);
  HostedForm f("/c:" + HandleArgument(owner.Get()));
  bool destroyed = false;
  ConfigProbe* dialog = nullptr;
  f.Host().OnCreateConfigForm = [&](tk::Component*, tk::Form*& configForm) {
    EXPECT_EQ(configForm, nullptr);
    configForm = dialog = new ConfigProbe(nullptr, destroyed);
  };
  bool enabledAtRunConfig = false, ownerDisabledWhileShown = false;
  RECT shownAt{};
  HWND dialogWindow = nullptr;
  f.Host().OnRunConfig = [&](tk::Component*, HWND wnd, HWND parent) {
    dialogWindow = dialog->Handle();
    EXPECT_EQ(wnd, dialogWindow);
    EXPECT_EQ(parent, owner.Get());
    enabledAtRunConfig = IsWindowEnabled(owner.Get());
  };
  tk::Timer closer(nullptr);
  closer.SetInterval(50);
  closer.OnTimer = [&] {
    if (!dialog || !dialog->Modal()) return;
    ownerDisabledWhileShown = !IsWindowEnabled(owner.Get());
    GetWindowRect(dialog->Handle(), &shownAt);
    dialog->SetModalResult(tk::mrOk);
  };
  f.Load();
  closer.SetEnabled(false);
  EXPECT_TRUE(enabledAtRunConfig);
  EXPECT_TRUE(ownerDisabledWhileShown);
  EXPECT_TRUE(IsWindowEnabled(owner.Get())) << "its enabled state comes back";
  EXPECT_EQ(shownAt.left, 100 + (400 - 200) / 2);
  EXPECT_EQ(shownAt.top, 100 + (300 - 100) / 2);
  EXPECT_EQ(shownAt.right - shownAt.left, 200);
  EXPECT_EQ(f.Host().ConfigFormHandle(), dialogWindow);
  EXPECT_FALSE(destroyed) << "released, not destroyed on the spot";
  EXPECT_EQ(f.TakePostedCloses(), 1);
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 2000));
}

TEST_F(HostTest, ConfigFormIsKeptInsideTheDesktopView) {
  TestWindow owner(-300, -250, 400, 300);
  HostedForm f("/c:" + HandleArgument(owner.Get()));
  bool destroyed = false;
  ConfigProbe* dialog = nullptr;
  f.Host().OnCreateConfigForm = [&](tk::Component*, tk::Form*& configForm) {
    configForm = dialog = new ConfigProbe(nullptr, destroyed);
  };
  // Ends the modal loop as soon as it runs.
  f.Host().OnRunConfig = [&](tk::Component*, HWND wnd, HWND) { PostMessageW(wnd, WM_CLOSE, 0, 0); };
  f.Load();
  ASSERT_NE(dialog, nullptr);
  ASSERT_FALSE(destroyed);
  RECT view{};
  HWND shell = GetWindow(FindWindowW(L"Progman", L"Program Manager"), GW_CHILD);
  GetWindowRect(shell ? shell : GetDesktopWindow(), &view);
  // Centred over the owner it would start at (-200, -150): it is moved into the view.
  EXPECT_EQ(dialog->Left(), view.left);
  EXPECT_EQ(dialog->Top(), view.top);
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 2000));
}

TEST_F(HostTest, ConfigFormIsReleasedAndTheWindowRestoredWhenAHandlerFails) {
  TestWindow owner(100, 100, 400, 300);
  EnableWindow(owner.Get(), FALSE);  // whatever state it had comes back
  HostedForm f("/c:" + HandleArgument(owner.Get()));
  bool destroyed = false;
  f.Host().OnCreateConfigForm = [&](tk::Component*, tk::Form*& configForm) {
    configForm = new ConfigProbe(nullptr, destroyed);
  };
  f.Host().OnRunConfig = [&](tk::Component*, HWND, HWND) { throw std::runtime_error("config failed"); };
  EXPECT_THROW(f.Load(), std::runtime_error);
  EXPECT_FALSE(IsWindowEnabled(owner.Get()));
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 2000));
  EXPECT_EQ(f.TakePostedCloses(), 0) << "the close step does not run";
}

// A dialog whose window cannot be made: its creation throws, or the system refuses it.
class UnmadeDialog : public tk::Form {
 public:
  UnmadeDialog(bool throws, bool& destroyed) : Form(nullptr), throws_(throws), destroyed_(destroyed) {}
  ~UnmadeDialog() override { destroyed_ = true; }

 protected:
  void FillCreateParams(tk::CreateParams& params) override {
    Form::FillCreateParams(params);
    if (throws_) throw std::runtime_error("no window");
    params.ClassName.clear();
    params.SubclassOf = L"Tessora.NoSuchClass";
  }

 private:
  bool throws_;
  bool& destroyed_;
};

TEST_F(HostTest, AConfigFormWithoutAWindowGivesTheCallerBackAsItWas) {
  for (const bool throws : {true, false}) {
    SCOPED_TRACE(throws ? "creation throws" : "creation refused");
    TestWindow owner(100, 100, 400, 300);
    HostedForm f("/c:" + HandleArgument(owner.Get()));
    bool destroyed = false;
    f.Host().OnCreateConfigForm = [&](tk::Component*, tk::Form*& configForm) {
      configForm = new UnmadeDialog(throws, destroyed);
    };
    bool ran = false;
    f.Host().OnRunConfig = [&](tk::Component*, HWND, HWND) { ran = true; };
    if (throws) {
      EXPECT_THROW(f.Load(), std::runtime_error);
    } else {
      f.Load();
    }
    EXPECT_TRUE(IsWindowEnabled(owner.Get())) << "the caller stays usable";
    EXPECT_FALSE(ran) << "no dialog to run";
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 2000));
  }
}

// The hooked form's message sequence: each message in, whether the form's own handling
// still gets it, and whether it ends the run. The mouse test reads the cursor, not the
// message, so the cursor is put where the case needs it.
TEST_F(HostTest, TrappingSequenceOfAFullScreenRun) {
  HostedForm f("/s");
  f.Load();
  SetCursorPos(100, 100);
  PumpFor(50);
  struct Step {
    const char* what;
    UINT msg;
    WPARAM wParam;
    POINT cursor;
    bool passedOn;
    int closes;
  };
  const Step steps[] = {
      {"first move: the origin", WM_MOUSEMOVE, 0, {100, 100}, true, 0},
      {"a move without the cursor moving", WM_MOUSEMOVE, 0, {100, 100}, true, 0},
      {"a key-up", WM_KEYUP, 'A', {100, 100}, true, 0},
      {"the system's own screensaver", WM_SYSCOMMAND, SC_SCREENSAVE, {100, 100}, false, 0},
      {"another system command", WM_SYSCOMMAND, SC_SCREENSAVE + 1, {100, 100}, true, 0},
      {"a key", WM_KEYDOWN, 'A', {100, 100}, true, 1},
      {"a right click", WM_RBUTTONDOWN, 0, {100, 100}, true, 1},
      {"the cursor moved away", WM_MOUSEMOVE, 0, {140, 100}, true, 1},
  };
  for (const Step& step : steps) {
    SetCursorPos(step.cursor.x, step.cursor.y);
    f.passedOn.clear();
    SendMessageW(f.Window(), step.msg, step.wParam, 0);
    const bool passed = f.PassedOn(step.msg, step.wParam);
    EXPECT_EQ(passed, step.passedOn) << step.what;
    EXPECT_EQ(f.TakePostedCloses(), step.closes) << step.what;
  }
}

}  // namespace
