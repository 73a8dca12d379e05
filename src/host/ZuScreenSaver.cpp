#include "host/ZuScreenSaver.h"

#include <imm.h>

#include <utility>

#include "host/ScreenSaverCommandLine.h"
#include "host/WinWindowLookup.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {

constexpr wchar_t kOneHostPerForm[] = L"TZuScreenSaverコンポーネントは、フォーム上に１つだけ配置することが出来ます";
constexpr wchar_t kTranslateControlIsForm[] = L"TranslateControlプロパティにメインフォームを指定することはできません";
constexpr wchar_t kDefaultConfigTitle[] = L"スクリーンセーバー";
constexpr wchar_t kDefaultConfigMessage[] = L"このスクリーンセーバーには、設定できるオプションがありません.";

constexpr LONG kPreviewChildStyle = 0x56000000;  // WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
// A preview ends this soon after the system's settings dialog destroyed the preview window.
constexpr UINT kPreviewWatchInterval = 250;
// ShowCursor changes the display count by one per call; the bound only guards against
// a system that never reaches the wanted side.
constexpr int kMaxCursorCalls = 256;

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);
using PwdChangePasswordAFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

// The password libraries come from the system directory only: a file of the same name
// beside the program or in the current folder must never be loaded in its place.
tk::Module LoadSystemLibrary(const wchar_t* name) {
  const std::wstring folder = tk::SystemFolder();
  if (folder.empty()) return {};
  return tk::Module(LoadLibraryExW((folder + L"\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

// Sets a flag for the scope.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

EZuScreenSaverError::EZuScreenSaverError(const std::wstring& message)
    : std::runtime_error(tk::FromWide(message, CP_UTF8)), message_(message) {}

TZuScreenSaver::TZuScreenSaver(tk::Component* owner) : TZuScreenSaver(owner, GetCommandLineA()) {}

TZuScreenSaver::TZuScreenSaver(tk::Component* owner, std::string_view commandLine) : Component(owner) {
  if (CountHostsOnOwner() > 1) throw EZuScreenSaverError(kOneHostPerForm);
  form_ = dynamic_cast<tk::Form*>(owner);
  if (!form_) throw std::invalid_argument("TZuScreenSaver needs a form as its owner");
  form_->Handle();

  static_assert(sizeof(OSVERSIONINFOA) == 148);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  isNTPlatform_ = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;

  mouseMoveSeen_ = false;
  translateControl_ = nullptr;
  ConfigMessage = kDefaultConfigMessage;
  ConfigTitle = kDefaultConfigTitle;
  Initialize = true;
  Mutex = true;
  MutexName = L"TZuScreenSaverMutex[" + std::to_wstring(GetTickCount()) + L"]";
  showCursor_ = false;
  ShowTaskbarIcon = false;
  TrapEvents = {zuteMouseMove, zuteMouseDownL, zuteMouseDownR, zuteMouseDownM, zuteKeyDown};
  TrapSpecialKeys = {zutsAlt, zutsTab, zutsPrintScreen};

  const ParsedCommandLine parsed = tessora::ParseCommandLine(commandLine, WinWindowLookup{});
  mode_ = parsed.Mode;
  hWndParent_ = ToHwnd(parsed.hWndParent);

  AttachToPreviewWindow();
}

TZuScreenSaver::~TZuScreenSaver() {
  previewWatch_.reset();
  ReleaseCapture();
  // In every mode: no message may reach this object once it is gone.
  UnhookTranslateControl();
  UnhookFormWindowProc();
  // Only the instance that put the flag on takes it off: a second full-screen start that
  // gives way must not switch it off under the first one.
  if (runningFlagSet_) SetScreenSaverRunning(false);
  if (mutexHandle_) ReleaseMutex(mutexHandle_.Get());
  mutexHandle_.Reset();
}

bool TZuScreenSaver::ModeIs(int index) const { return index >= 0 && index <= 3 && static_cast<int>(mode_) == index; }

int TZuScreenSaver::CountHostsOnOwner() const {
  if (!Owner()) return 0;
  int count = 0;
  for (tk::Component* c : Owner()->Components()) {
    if (dynamic_cast<TZuScreenSaver*>(c)) ++count;
  }
  return count;
}

HWND TZuScreenSaver::FormHandle() const {
  // The toolkit keeps the form's window when it is re-parented, so this stays current;
  // asking the form never creates a new window once the old one was destroyed from outside.
  return form_ && form_->HandleAllocated() ? form_->Handle() : nullptr;
}

void TZuScreenSaver::AttachToPreviewWindow() {
  if (mode_ != RunMode::Preview) return;
  TrapEvents = {};
  form_->SetParentWindow(hWndParent_);
  // Without a preview window the form stays top-level: a child style would leave it a
  // child of nothing.
  if (hWndParent_) SetWindowLongW(FormHandle(), GWL_STYLE, kPreviewChildStyle);
}

void TZuScreenSaver::Loaded() {
  Component::Loaded();
  HideTaskbarIcon();
  CloseImeStatusWindow();
  switch (mode_) {
    case RunMode::Normal:
      if (Mutex && OtherInstanceRuns()) {
        if (OnMutexClose) OnMutexClose(this);
        RequestClose();
        return;
      }
      if (OnRunNormal) OnRunNormal(this, FormHandle(), hWndParent_);
      StartRun();
      break;
    case RunMode::Preview:
      if (OnRunPreview) OnRunPreview(this, FormHandle(), hWndParent_);
      TrapEvents = {};
      StartRun();
      break;
    case RunMode::Password:
      if (OnRunPassword) OnRunPassword(this, nullptr, hWndParent_);
      ChangePassword();
      EndQuietRun();
      break;
    case RunMode::Config:
      RunConfig();
      EndQuietRun();
      break;
  }
}

void TZuScreenSaver::HideTaskbarIcon() {
  if (ShowTaskbarIcon) return;
  HWND app = tk::App().Handle();
  if (app) SetWindowLongW(app, GWL_EXSTYLE, GetWindowLongW(app, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void TZuScreenSaver::CloseImeStatusWindow() {
  if (HWND ime = ImmGetDefaultIMEWnd(FormHandle())) SendMessageW(ime, WM_IME_CONTROL, IMC_CLOSESTATUSWINDOW, 0);
}

bool TZuScreenSaver::OtherInstanceRuns() {
  // Creating and testing in one step leaves no gap in which two starts both see no
  // mutex; a mutex this process may not open belongs to another instance as well.
  SetLastError(ERROR_SUCCESS);
  mutexHandle_.Reset(CreateMutexW(nullptr, FALSE, MutexName.c_str()));
  const DWORD error = GetLastError();
  return mutexHandle_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

void TZuScreenSaver::StartRun() {
  SetScreenSaverRunning(true);
  HookFormWindowProc();
  HookTranslateControl();
  SetCursorVisible(showCursor_);
  if (OnInitialize) OnInitialize(this, Initialize);
  if (Initialize) FitToParentWindow();
  SetWindowPos(FormHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (mode_ == RunMode::Preview) WatchPreviewWindow();
}

void TZuScreenSaver::RunConfig() {
  tk::Form* created = nullptr;
  if (OnCreateConfigForm) OnCreateConfigForm(this, created);
  configForm_ = created;
  if (!configForm_) {
    if (hWndParent_) {
      MessageBoxW(hWndParent_, ConfigMessage.c_str(), ConfigTitle.c_str(), MB_OK | MB_ICONINFORMATION);
    } else {
      MessageBoxW(nullptr, ConfigMessage.c_str(), ConfigTitle.c_str(),
                  MB_OK | MB_ICONINFORMATION | MB_DEFAULT_DESKTOP_ONLY);
    }
    return;
  }
  // Released and the window's state given back however the dialog ends, an exception included.
  struct Restore {
    TZuScreenSaver& host;
    bool wasEnabled = false;
    ~Restore() {
      if (host.configForm_) host.configForm_->Release();
      host.configForm_ = nullptr;
      if (host.hWndParent_) EnableWindow(host.hWndParent_, wasEnabled);
    }
  } restore{*this};
  // Read before anything can fail: a failed start must give the caller back as it was.
  restore.wasEnabled = hWndParent_ && IsWindowEnabled(hWndParent_);
  configFormHandle_ = configForm_->Handle();
  if (!configFormHandle_) return;
  if (OnRunConfig) OnRunConfig(this, configFormHandle_, hWndParent_);
  if (hWndParent_) EnableWindow(hWndParent_, FALSE);
  PlaceConfigForm();
  configForm_->ShowModal();
}

void TZuScreenSaver::PlaceConfigForm() {
  RECT p{};
  GetWindowRect(hWndParent_ ? hWndParent_ : GetDesktopWindow(), &p);
  RECT q{};
  GetWindowRect(configFormHandle_, &q);
  const int width = q.right - q.left;
  const int height = q.bottom - q.top;
  int left = p.left + (p.right - p.left - width) / 2;
  int top = p.top + (p.bottom - p.top - height) / 2;
  HWND view = GetWindow(FindWindowW(L"Progman", L"Program Manager"), GW_CHILD);
  if (!view) view = GetDesktopWindow();
  RECT d{};
  GetWindowRect(view, &d);
  if (left < d.left) left = d.left;
  if (top < d.top) top = d.top;
  if (left + width > d.right) left = d.right - width;
  if (top + height > d.bottom) top = d.bottom - height;
  configForm_->SetBounds(left, top, width, height);
}

void TZuScreenSaver::FitToParentWindow() {
  // Without a preview window there is nothing to fit to: the form keeps its size.
  RECT r{};
  if (!hWndParent_ || !GetWindowRect(hWndParent_, &r)) return;
  form_->SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
}

void TZuScreenSaver::EndQuietRun() {
  if (hWndParent_) SetForegroundWindow(hWndParent_);
  RequestClose();
}

void TZuScreenSaver::RequestClose() {
  tk::App().ShowMainForm = false;
  HWND form = FormHandle();
  // A form whose window is gone cannot be closed; the program ends without it.
  if (!form || !PostMessageW(form, WM_CLOSE, 0, 0)) tk::App().Terminate();
}

void TZuScreenSaver::MarkScreenSaverRunning() { SetScreenSaverRunning(true); }

void TZuScreenSaver::SetScreenSaverRunning(bool value) {
  if (isNTPlatform_ || mode_ != RunMode::Normal) return;
  UINT scratch = 0;
  SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, value ? 1 : 0, &scratch, 0);
  runningFlagSet_ = value;
}

void TZuScreenSaver::SetShowCursor(bool show) {
  if (show == showCursor_) return;
  showCursor_ = show;
  SetCursorVisible(show);
}

void TZuScreenSaver::SetTranslateControl(tk::WinControl* control) {
  if (control == translateControl_) return;
  if (control && control == form_) throw EZuScreenSaverError(kTranslateControlIsForm);
  UnhookTranslateControl();
  translateControl_ = control;
  HookTranslateControl();
}

void TZuScreenSaver::Notification(tk::Component* component, tk::Operation operation) {
  Component::Notification(component, operation);
  if (operation == tk::Operation::Remove && component && component == translateControl_) SetTranslateControl(nullptr);
}

void TZuScreenSaver::HookFormWindowProc() {
  if (formHook_.Active()) return;
  formHook_ = form_->AddMessageHook([this](tk::Message& m) { return FormWindowProc(m); });
}

void TZuScreenSaver::UnhookFormWindowProc() { formHook_.Remove(); }

void TZuScreenSaver::HookTranslateControl() {
  if (Loading() || hookedControl_ || !translateControl_) return;
  hookedControl_ = translateControl_;
  controlHook_ = hookedControl_->AddMessageHook([this](tk::Message& m) { return TranslateControlWindowProc(m); });
}

void TZuScreenSaver::UnhookTranslateControl() {
  controlHook_.Remove();
  hookedControl_ = nullptr;
}

bool TZuScreenSaver::FormWindowProc(tk::Message& m) {
  POINT cursor = mouseOrigin_;
  GetCursorPos(&cursor);
  switch (m.Msg) {
    case WM_CLOSE:
      // A refused close ends here; an accepted one closes the form as usual.
      return !CloseSequence();
    case WM_KEYDOWN:
      if (TrapEvents.Contains(zuteKeyDown)) TrappedInput();
      break;
    case WM_SYSCOMMAND:
      // The whole value: only the system's own screensaver command is kept from the form.
      if (m.WParam == SC_SCREENSAVE) {
        m.Result = 1;
        return true;
      }
      break;
    case WM_MOUSEMOVE:
      if (!mouseMoveSeen_) {
        mouseMoveSeen_ = true;
        mouseOrigin_ = cursor;
      } else if (TrapEvents.Contains(zuteMouseMove) && (cursor.x != mouseOrigin_.x || cursor.y != mouseOrigin_.y)) {
        TrappedInput();
      }
      break;
    case WM_LBUTTONDOWN:
      if (TrapEvents.Contains(zuteMouseDownL)) TrappedInput();
      break;
    case WM_RBUTTONDOWN:
      if (TrapEvents.Contains(zuteMouseDownR)) TrappedInput();
      break;
    case WM_MBUTTONDOWN:
      if (TrapEvents.Contains(zuteMouseDownM)) TrappedInput();
      break;
    default:
      // The system destroyed the preview window, and with it the form.
      if (m.Msg == WM_DESTROY && mode_ == RunMode::Preview) EndPreview();
      if (TrapEvents.Contains(zuteKeyDown) && SpecialKeyDown()) form_->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
      break;
  }
  return false;
}

bool TZuScreenSaver::TranslateControlWindowProc(tk::Message& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // The form's trapping sees the input. A non-zero answer of the form is the
      // control's answer too, and the control's own handling is skipped.
      m.Result = form_->Perform(m.Msg, m.WParam, m.LParam);
      break;
    default:
      break;
  }
  if (TrapEvents.Contains(zuteKeyDown) && SpecialKeyDown()) TrappedInput();
  return m.Result != 0;
}

void TZuScreenSaver::TrappedInput() {
  // Input on the way to the password question (mouse moves over the form while it is
  // open) must not queue another close, which would ask again as soon as it was answered.
  if (askingPassword_) return;
  RequestClose();
}

bool TZuScreenSaver::CloseSequence() {
  // A close that arrives while the password is being asked would open a second question.
  if (askingPassword_) return false;
  if (OnClose) OnClose(this);
  if (!showCursor_) SetCursorVisible(true);
  if (VerifyPassword()) {
    form_->Hide();
    return true;
  }
  SetCursorVisible(showCursor_);
  POINT cursor;
  if (GetCursorPos(&cursor)) mouseOrigin_ = cursor;
  if (OnCloseCancel) OnCloseCancel(this);
  return false;
}

bool TZuScreenSaver::SpecialKeyDown() const {
  return (TrapSpecialKeys.Contains(zutsAlt) && tk::KeyIsDown(VK_MENU)) ||
         (TrapSpecialKeys.Contains(zutsTab) && tk::KeyIsDown(VK_TAB)) ||
         (TrapSpecialKeys.Contains(zutsPrintScreen) && tk::KeyIsDown(VK_SNAPSHOT));
}

void TZuScreenSaver::SetCursorVisible(bool show) {
  if (mode_ != RunMode::Normal) return;
  for (int i = 0; i < kMaxCursorCalls; ++i) {
    const int count = ::ShowCursor(show ? TRUE : FALSE);
    if (show ? count >= 0 : count < 0) break;
  }
}

bool TZuScreenSaver::VerifyPassword() {
  if (isNTPlatform_) return true;
  bool usePassword = false;
  HKEY opened = nullptr;
  // Reading needs no more than read access; asking for more could fail and skip the password.
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\desktop", 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
    tk::RegKey key(opened);
    DWORD size = 0;
    usePassword =
        RegQueryValueExW(key.Get(), L"ScreenSaveUsePassword", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
  }
  if (!usePassword) return true;
  tk::Module library = LoadSystemLibrary(L"password.cpl");
  if (!library) return true;
  const auto verify = tk::ProcAddress<VerifyScreenSavePwdFn>(library.Get(), "VerifyScreenSavePwd");
  if (!verify) return true;
  HWND form = FormHandle();
  SetForegroundWindow(form);
  ScopedFlag asking(askingPassword_);
  return verify(form) != FALSE;
}

bool TZuScreenSaver::ChangePassword() {
  if (isNTPlatform_) return true;
  tk::Module library = LoadSystemLibrary(L"mpr.dll");
  if (!library) return true;
  const auto change = tk::ProcAddress<PwdChangePasswordAFn>(library.Get(), "PwdChangePasswordA");
  if (!change) return false;
  change("SCRSAVE", hWndParent_, 0, 0);
  return true;
}

void TZuScreenSaver::WatchPreviewWindow() {
  // The settings dialog may destroy the preview window without our form hearing of it
  // (or before our form was made its child); a look at the window catches that too.
  previewWatch_ = std::make_unique<tk::Timer>(nullptr);
  previewWatch_->SetInterval(kPreviewWatchInterval);
  previewWatch_->OnTimer = [this] {
    if (!IsWindow(hWndParent_)) EndPreview();
  };
}

void TZuScreenSaver::EndPreview() {
  if (previewWatch_) previewWatch_->SetEnabled(false);
  tk::App().Terminate();
}

}  // namespace tessora
