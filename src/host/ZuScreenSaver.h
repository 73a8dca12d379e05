#pragma once
// The screensaver host: a component placed once on the main form. It reads the
// screensaver command line, decides the run mode, turns the form into a top-most
// full-screen window or a child of the preview window, runs the configuration form,
// ends the run on the user's input (with the system's password check on the
// Windows 9x platform) and calls the form's handlers for the work of each mode.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/RunMode.h"
#include "toolkit/Component.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"
#include "toolkit/Message.h"
#include "toolkit/MessageHooks.h"

namespace tessora {

namespace tk {
class Timer;
}

// A set of values of a small enumeration, one bit per ordinal.
template <class E>
class SmallSet {
 public:
  constexpr SmallSet() = default;
  constexpr SmallSet(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr void Include(E v) { bits_ = static_cast<std::uint8_t>(bits_ | Bit(v)); }
  constexpr void Exclude(E v) { bits_ = static_cast<std::uint8_t>(bits_ & ~Bit(v)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr bool operator==(const SmallSet&) const = default;

 private:
  static constexpr std::uint8_t Bit(E v) { return static_cast<std::uint8_t>(1u << static_cast<unsigned>(v)); }
  std::uint8_t bits_ = 0;
};

enum TZuScreenSaverTrapEvent : std::uint8_t { zuteMouseMove, zuteMouseDownL, zuteMouseDownR, zuteMouseDownM, zuteKeyDown };
enum TZuScreenSaverTrapSpecialKey : std::uint8_t { zutsAlt, zutsTab, zutsPrintScreen };
using TZuScreenSaverTrapEvents = SmallSet<TZuScreenSaverTrapEvent>;
using TZuScreenSaverTrapSpecialKeys = SmallSet<TZuScreenSaverTrapSpecialKey>;

using TNotifyEvent = std::function<void(tk::Component* sender)>;
using TZuScreenSaverNotifyEvent = std::function<void(tk::Component* sender, HWND hWnd, HWND hWndParent)>;
// The handler stores a new form in configForm, which arrives empty.
using TZuScreenSaverCreateConfigFormEvent = std::function<void(tk::Component* sender, tk::Form*& configForm)>;
// initialize is the host's Initialize property itself.
using TZuScreenSaverInitializeEvent = std::function<void(tk::Component* sender, bool& initialize)>;

// Misuse of the host. what() gives the message in UTF-8.
class EZuScreenSaverError : public std::runtime_error {
 public:
  explicit EZuScreenSaverError(const std::wstring& message);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

class TZuScreenSaver : public tk::Component {
 public:
  // Reads the process's command line. The owner must be a form holding no other host.
  explicit TZuScreenSaver(tk::Component* owner);
  // The same with a given command line (program name first).
  TZuScreenSaver(tk::Component* owner, std::string_view commandLine);
  ~TZuScreenSaver() override;

  // Acts on the run mode, once the owner's stored values are applied.
  void Loaded() override;
  void Notification(tk::Component* component, tk::Operation operation) override;

  // Ends the run: the main form is not shown, and a close is posted to it.
  void RequestClose();
  // Puts the system's screensaver-running flag on again (Windows 9x platform, Normal mode).
  void MarkScreenSaverRunning();

  RunMode Mode() const { return mode_; }
  bool Normal() const { return ModeIs(0); }
  bool Preview() const { return ModeIs(1); }
  bool Password() const { return ModeIs(2); }
  bool Config() const { return ModeIs(3); }

  std::wstring ConfigTitle;
  std::wstring ConfigMessage;
  bool Initialize = true;
  bool Mutex = true;
  std::wstring MutexName;
  // Read once, in the loaded step.
  bool ShowTaskbarIcon = false;
  TZuScreenSaverTrapEvents TrapEvents;
  TZuScreenSaverTrapSpecialKeys TrapSpecialKeys;

  bool ShowCursor() const { return showCursor_; }
  void SetShowCursor(bool show);
  // A control whose input counts as the form's. It must not be the owner form, and it
  // must be owned by the host's owner (its removal then clears it) or outlive the host.
  tk::WinControl* TranslateControl() const { return translateControl_; }
  void SetTranslateControl(tk::WinControl* control);

  TZuScreenSaverNotifyEvent OnRunNormal;
  TZuScreenSaverNotifyEvent OnRunPreview;
  TZuScreenSaverNotifyEvent OnRunPassword;
  TZuScreenSaverNotifyEvent OnRunConfig;
  TZuScreenSaverCreateConfigFormEvent OnCreateConfigForm;
  TZuScreenSaverInitializeEvent OnInitialize;
  TNotifyEvent OnMutexClose;
  TNotifyEvent OnClose;
  TNotifyEvent OnCloseCancel;

  // The owner form's window; 0 once it has been destroyed from outside.
  HWND FormHandle() const;
  HWND hWndParent() const { return hWndParent_; }
  tk::Form* ConfigForm() const { return configForm_; }
  HWND ConfigFormHandle() const { return configFormHandle_; }
  HANDLE MutexHandle() const { return mutexHandle_.Get(); }
  bool IsNTPlatform() const { return isNTPlatform_; }
  bool MouseMoveSeen() const { return mouseMoveSeen_; }
  POINT MouseOrigin() const { return mouseOrigin_; }

 private:
  bool ModeIs(int index) const;
  int CountHostsOnOwner() const;
  void AttachToPreviewWindow();
  void HideTaskbarIcon();
  void CloseImeStatusWindow();
  bool OtherInstanceRuns();
  void StartRun();
  void RunConfig();
  void PlaceConfigForm();
  void FitToParentWindow();
  void EndQuietRun();
  void SetScreenSaverRunning(bool value);

  void HookFormWindowProc();
  void UnhookFormWindowProc();
  void HookTranslateControl();
  void UnhookTranslateControl();
  bool FormWindowProc(tk::Message& message);
  bool TranslateControlWindowProc(tk::Message& message);
  bool CloseSequence();
  void TrappedInput();
  bool SpecialKeyDown() const;
  void SetCursorVisible(bool show);
  bool VerifyPassword();
  bool ChangePassword();
  void WatchPreviewWindow();
  void EndPreview();

  tk::Form* form_ = nullptr;
  RunMode mode_ = RunMode::Config;
  HWND hWndParent_ = nullptr;
  tk::Form* configForm_ = nullptr;
  HWND configFormHandle_ = nullptr;
  tk::KernelHandle mutexHandle_;
  bool isNTPlatform_ = false;
  bool showCursor_ = false;
  tk::WinControl* translateControl_ = nullptr;

  bool mouseMoveSeen_ = false;
  POINT mouseOrigin_{0, 0};
  tk::MessageHookRegistration formHook_;
  tk::WinControl* hookedControl_ = nullptr;
  tk::MessageHookRegistration controlHook_;
  bool askingPassword_ = false;
  bool runningFlagSet_ = false;
  std::unique_ptr<tk::Timer> previewWatch_;
};

}  // namespace tessora
