#pragma once
// Helpers for the screensaver host's tests: a form with the host on it and a recorder
// in front of the form's own handler, the cursor display count, held keys, the
// Windows 9x platform under Wine and the stand-in password library.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/ZuScreenSaver.h"
#include "toolkit/Form.h"

namespace tessora {

// The cursor's display count, left as it was.
int CursorDisplayCount();
// Brings the display count back to a value read earlier.
void RestoreCursorDisplayCount(int count);

// Keys held down as far as GetKeyState can tell (SetKeyboardState), released at the end.
class HeldKeys {
 public:
  explicit HeldKeys(const std::vector<int>& keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;
};

// A form with a host, built in the order the program builds its main form: the
// host is constructed (it reads the command line), then the test sets its values and
// events, then Load() runs the loaded step. Every message that the host passes on to
// the form's own handler is recorded first.
class HostedForm {
 public:
  explicit HostedForm(const std::string& arguments, bool mutex = false);
  ~HostedForm();
  HostedForm(const HostedForm&) = delete;
  HostedForm& operator=(const HostedForm&) = delete;

  TZuScreenSaver& Host() { return *host_; }
  tk::Form& Form() { return *form_; }
  HWND Window() { return form_->Handle(); }
  void Load() { form_->FinishLoading(); }
  // Destroys the host alone; the form stays.
  void DestroyHost();

  // Messages that reached the form's own handler, in order.
  std::vector<tk::Message> passedOn;
  bool PassedOn(UINT message, std::optional<WPARAM> wParam = std::nullopt) const;
  // Answers the form's handler gives instead of its own handling (the message stops there).
  std::function<bool(tk::Message&)> answer;

  // Takes the closes posted to the form off the queue and counts them.
  int TakePostedCloses();

 private:
  std::unique_ptr<tk::Form> form_;
  tk::MessageHookRegistration ownHook_;
  TZuScreenSaver* host_ = nullptr;
};

// Removes what a host may have left in this thread's queue (closes, a quit).
void DrainHostMessages();

// A plain visible top-level window of the test.
class TestWindow {
 public:
  TestWindow(int left, int top, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND Get() const { return window_; }
  void Destroy();

 private:
  HWND window_ = nullptr;
};
std::string HandleArgument(HWND window);

// Makes Wine report the Windows 9x platform (win98) to programs of this file name.
class ScopedWin98Version {
 public:
  explicit ScopedWin98Version(std::wstring exeName);
  ~ScopedWin98Version();
  ScopedWin98Version(const ScopedWin98Version&) = delete;
  ScopedWin98Version& operator=(const ScopedWin98Version&) = delete;

 private:
  std::wstring exeName_;
};
bool RunningOnWin9xPlatform();

// The value "ScreenSaveUsePassword" under HKCU\Control Panel\desktop present (or
// absent) for the scope; the earlier state comes back at the end.
class ScopedUsePassword {
 public:
  explicit ScopedUsePassword(bool present);
  ~ScopedUsePassword();
  ScopedUsePassword(const ScopedUsePassword&) = delete;
  ScopedUsePassword& operator=(const ScopedUsePassword&) = delete;

 private:
  std::optional<DWORD> previous_;
};

// The stand-in password library (tests/windows/password): copies placed by the test,
// its answer and its log, all removed at the end.
class PasswordStandIn {
 public:
  PasswordStandIn();
  ~PasswordStandIn();
  PasswordStandIn(const PasswordStandIn&) = delete;
  PasswordStandIn& operator=(const PasswordStandIn&) = delete;

  // Copies the library to the path; false when that fails.
  bool PlaceAt(const std::wstring& path);
  void SetAnswer(const std::string& answer);
  std::vector<std::string> Log() const;
  // Log lines that begin with the word.
  std::vector<std::string> LogOf(const std::string& word) const;

  static std::wstring SystemPath(const std::wstring& fileName);
  static std::wstring FolderOf(const std::wstring& path);

 private:
  std::wstring folder_;
  std::vector<std::wstring> placed_;
  std::optional<std::wstring> previousVariable_;
};
std::string HandleHex(HWND window);

}  // namespace tessora
