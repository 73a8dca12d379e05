// The host on the Windows 9x platform: the password question of the close sequence,
// the screensaver-running flag and the password change. Wine reports that platform
// to a program only when its version is set before the program starts, so this test
// restarts itself under that setting and passes on the child's output and result.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "WineTestSupport.h"
#include "host/ZuScreenSaver.h"
#include "toolkit/Application.h"

using namespace tessora;

namespace {

constexpr wchar_t kChildVariable[] = L"TESSORA_WIN9X_CHILD";

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

int RunAsWin98Child() {
  const std::wstring path = OwnPath();
  ScopedWin98Version version(path.substr(path.find_last_of(L"\\/") + 1));
  SetEnvironmentVariableW(kChildVariable, L"1");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (h && h != INVALID_HANDLE_VALUE) SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  }
  std::wstring commandLine = GetCommandLineW();
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    std::fprintf(stderr, "cannot restart the test under the win98 version\n");
    return 1;
  }
  CloseHandle(info.hThread);
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

// Handles this thread's messages until the condition holds; a posted quit stays queued
bool ScreenSaverRunningFlag() {
  BOOL running = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running != FALSE;
}

class Win9xHostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }
  void SetUp() override {
    ASSERT_TRUE(RunningOnWin9xPlatform());
    cursorCount_ = CursorDisplayCount();
    ASSERT_TRUE(SetCursorPos(400, 300));
  }
  void TearDown() override {
    DrainHostMessages();
    RestoreCursorDisplayCount(cursorCount_);
  }

  // A full-screen run whose events go to the log.
  std::unique_ptr<HostedForm> StartRun() {
    auto f = std::make_unique<HostedForm>("/s");
    f->Host().OnClose = [this](tk::Component*) { log_.push_back("OnClose"); };
    f->Host().OnCloseCancel = [this](tk::Component*) { log_.push_back("OnCloseCancel"); };
    f->Form().OnClose = [this](tk::CloseAction&) { log_.push_back("form.OnClose"); };
    f->Load();
    return f;
  }

  int cursorCount_ = 0;
  std::vector<std::string> log_;
  PasswordStandIn password_;
};

TEST_F(Win9xHostTest, RefusedPasswordKeepsTheRunGoingAndAcceptedOneEndsIt) {
  ScopedUsePassword use(true);
  ASSERT_TRUE(password_.PlaceAt(PasswordStandIn::SystemPath(L"password.cpl")));
  password_.SetAnswer("0");
  auto f = StartRun();
  EXPECT_FALSE(f->Host().IsNTPlatform());
  EXPECT_LT(CursorDisplayCount(), 0);
  ASSERT_TRUE(SetCursorPos(123, 234));
  SendMessageW(f->Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnClose", "OnCloseCancel"}));
  EXPECT_FALSE(f->PassedOn(WM_CLOSE)) << "a refused close never reaches the form";
  const auto asked = password_.LogOf("verify");
  ASSERT_EQ(asked.size(), 1u);
  // The form's window is asked for, with the cursor shown.
  EXPECT_EQ(asked[0], "verify " + HandleHex(f->Window()) + " 0");
  EXPECT_LT(CursorDisplayCount(), 0) << "hidden again after the refusal";
  EXPECT_EQ(f->Host().MouseOrigin().x, 123);
  EXPECT_EQ(f->Host().MouseOrigin().y, 234);
  // The next move away from where the refusal left the cursor asks again.
  SendMessageW(f->Window(), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(f->TakePostedCloses(), 0);
  ASSERT_TRUE(SetCursorPos(124, 234));
  SendMessageW(f->Window(), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(f->TakePostedCloses(), 1);

  log_.clear();
  password_.SetAnswer("1");
  SendMessageW(f->Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnClose", "form.OnClose"}));
  EXPECT_TRUE(f->PassedOn(WM_CLOSE));
  EXPECT_EQ(password_.LogOf("verify").size(), 2u);
  for (const auto& line : password_.LogOf("attach")) {
    EXPECT_NE(line.find(Narrow(PasswordStandIn::SystemPath(L"password.cpl"))), std::string::npos) << line;
  }
}

TEST_F(Win9xHostTest, InputDuringThePasswordQuestionDoesNotAskAgain) {
  ScopedUsePassword use(true);
  ASSERT_TRUE(password_.PlaceAt(PasswordStandIn::SystemPath(L"password.cpl")));
  password_.SetAnswer("r0");  // a close and a key reach the form while the question is open
  auto f = StartRun();
  SendMessageW(f->Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnClose", "OnCloseCancel"}));
  EXPECT_EQ(password_.LogOf("verify").size(), 1u);
  EXPECT_EQ(f->TakePostedCloses(), 0);
}

TEST_F(Win9xHostTest, NoPasswordIsAskedWithoutTheRegistryValue) {
  ScopedUsePassword use(false);
  ASSERT_TRUE(password_.PlaceAt(PasswordStandIn::SystemPath(L"password.cpl")));
  password_.SetAnswer("0");
  auto f = StartRun();
  SendMessageW(f->Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnClose", "form.OnClose"}));
  EXPECT_TRUE(password_.Log().empty());
}

TEST_F(Win9xHostTest, PasswordLibraryBesideTheProgramIsNeverLoaded) {
  ScopedUsePassword use(true);
  DeleteFileW(PasswordStandIn::SystemPath(L"password.cpl").c_str());
  const std::wstring folder = PasswordStandIn::FolderOf(OwnPath());
  ASSERT_TRUE(password_.PlaceAt(folder + L"\\password.cpl"));
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  SetCurrentDirectoryW(folder.c_str());
  password_.SetAnswer("0");
  auto f = StartRun();
  SendMessageW(f->Window(), WM_CLOSE, 0, 0);
  SetCurrentDirectoryW(current);
  EXPECT_EQ(log_, (std::vector<std::string>{"OnClose", "form.OnClose"}));
  EXPECT_TRUE(password_.Log().empty());
}

TEST_F(Win9xHostTest, ScreenSaverRunningFlagIsHeldByTheRunningInstanceOnly) {
  const std::wstring name = L"TessoraHostTest-" + std::to_wstring(GetCurrentProcessId()) + L"-flag";
  auto first = std::make_unique<HostedForm>("/s", true);
  first->Host().MutexName = name;
  first->Load();
  EXPECT_TRUE(ScreenSaverRunningFlag());
  {
    HostedForm second("/s", true);
    second.Host().MutexName = name;
    second.Load();
    EXPECT_EQ(second.TakePostedCloses(), 1);
  }
  EXPECT_TRUE(ScreenSaverRunningFlag()) << "the instance that gave way leaves the flag alone";
  first.reset();
  EXPECT_FALSE(ScreenSaverRunningFlag());

  TestWindow preview(0, 0, 200, 150);
  HostedForm f("/p " + HandleArgument(preview.Get()));
  f.Load();
  EXPECT_FALSE(ScreenSaverRunningFlag()) << "only a full-screen run sets it";
}

TEST_F(Win9xHostTest, PasswordChangeUsesTheSystemLibraryOnly) {
  // A library of that name beside the program must not be taken instead.
  const std::wstring folder = PasswordStandIn::FolderOf(OwnPath());
  ASSERT_TRUE(password_.PlaceAt(folder + L"\\mpr.dll"));
  TestWindow owner(0, 0, 200, 150);
  HostedForm f("/a " + HandleArgument(owner.Get()));
  bool raised = false;
  f.Host().OnRunPassword = [&](tk::Component*, HWND wnd, HWND parent) {
    EXPECT_EQ(wnd, nullptr);
    EXPECT_EQ(parent, owner.Get());
    raised = true;
  };
  f.Load();
  EXPECT_TRUE(raised);
  EXPECT_TRUE(password_.Log().empty());
  EXPECT_EQ(f.TakePostedCloses(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (!RunningOnWin9xPlatform()) {
    wchar_t flag[4] = {};
    if (GetEnvironmentVariableW(kChildVariable, flag, 4) > 0) {
      std::fprintf(stderr, "Wine did not report the Windows 9x platform under the win98 version\n");
      return 1;
    }
    return RunAsWin98Child();
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
