#include "DemoSaver.h"

#include <sddl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "DemoCommandLine.h"
#include "DemoLog.h"
#include "DemoWindow.h"

namespace {
std::vector<std::wstring> Arguments() {
  std::vector<std::wstring> args;
  int count = 0;
  if (wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.emplace_back(list[i]);
    LocalFree(list);
  }
  return args;
}

std::wstring DisplayName(const DemoVariant& variant, HINSTANCE instance) {
  const wchar_t* text = nullptr;
  // With a length of 0 LoadStringW hands out the resource text itself.
  const int length = LoadStringW(instance, 1, reinterpret_cast<LPWSTR>(&text), 0);
  if (length > 0 && text) return std::wstring(text, length);
  return std::wstring(variant.id.begin(), variant.id.end());
}

const char* ModeName(DemoMode mode) {
  switch (mode) {
    case DemoMode::Screen: return "screen";
    case DemoMode::Preview: return "preview";
    case DemoMode::Config: return "config";
    case DemoMode::Password: return "password";
  }
  return "config";
}

int Finish(const std::string& reason, int code = 0) {
  DemoLogEvent("exit", LogField("reason", reason));
  return code;
}

// The switch wins; TESSORA_DEMO_END_SECONDS shortens only the savers that end by
// themselves anyway, so one setting can speed up a whole test run.
unsigned EndSeconds(const DemoVariant& variant, const DemoOptions& options) {
  if (options.endSeconds) return *options.endSeconds;
  if (variant.behaviour == DemoBehaviour::NoWindow || variant.behaviour == DemoBehaviour::SelfEnd ||
      variant.behaviour == DemoBehaviour::Guarded) {
    wchar_t buffer[32];
    const DWORD length = GetEnvironmentVariableW(L"TESSORA_DEMO_END_SECONDS", buffer, 32);
    if (length > 0 && length < 32)
      if (const auto seconds = ParseDemoNumber(std::wstring(buffer, length)); seconds && *seconds <= 86400)
        return static_cast<unsigned>(*seconds);
  }
  return variant.defaultEndSeconds;
}

HWND HandleFromNumber(std::uintptr_t number) { return reinterpret_cast<HWND>(number); }

using WindowList = std::vector<std::unique_ptr<DemoWindow>>;

void RunMessageLoop(DemoSession& session, unsigned endSeconds, const WindowList& windows) {
  const UINT_PTR endTimer = endSeconds > 0 ? SetTimer(nullptr, 0, endSeconds * 1000, nullptr) : 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr && endTimer != 0 && message.wParam == endTimer) {
      KillTimer(nullptr, endTimer);
      session.exitReason = "timeout";
      for (const auto& window : windows)
        if (window->Handle()) DestroyWindow(window->Handle());
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int RunConfig(const std::wstring& name, const DemoOptions& options) {
  HWND owner = HandleFromNumber(options.window);
  if (owner && !IsWindow(owner)) owner = nullptr;
  const std::wstring text = name + L"\n\nA demo screensaver of Tessora. It has no settings.";
  MessageBoxW(owner, text.c_str(), name.c_str(), MB_OK | MB_ICONINFORMATION);
  return Finish("config");
}

int RunPreview(DemoSession& session, const std::wstring& name, const DemoOptions& options) {
  HWND parent = HandleFromNumber(options.window);
  if (!parent || !IsWindow(parent)) return Finish("error", 1);
  WindowList windows;
  windows.push_back(std::make_unique<DemoWindow>(session, name, GetTickCount() ^ GetCurrentProcessId()));
  if (!windows.front()->CreateChild(parent)) return Finish("error", 1);
  RunMessageLoop(session, 0, windows);
  return Finish(session.exitReason.empty() ? "parent" : session.exitReason);
}

// Guarded's window process: a handle that another program opens to it may wait on it
// and ask about it, never end it. It is created so, not changed later, because a handle
// opened in between would keep the right to end it. Its parent's handle and its job can.
class UnendingProcessAttributes {
 public:
  UnendingProcessAttributes() {
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;0x101400;;;WD)", SDDL_REVISION_1, &descriptor_,
                                                             nullptr)) {
      attributes_.nLength = sizeof attributes_;
      attributes_.lpSecurityDescriptor = descriptor_;
    }
  }
  ~UnendingProcessAttributes() {
    if (descriptor_) LocalFree(descriptor_);
  }
  UnendingProcessAttributes(const UnendingProcessAttributes&) = delete;
  UnendingProcessAttributes& operator=(const UnendingProcessAttributes&) = delete;
  SECURITY_ATTRIBUTES* Get() { return descriptor_ ? &attributes_ : nullptr; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

// Whether a handle opened to this process now is refused the right to end it, as
// another program's would be.
bool RefusesToBeEnded() {
  HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, GetCurrentProcessId());
  if (!handle) return GetLastError() == ERROR_ACCESS_DENIED;
  CloseHandle(handle);
  return false;
}

// The window belongs to a second process (this program again, with /child); this one
// shows nothing and ends when that one does.
int RunLauncher(const DemoOptions& options, bool guarded) {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return Finish("error", 1);
  std::wstring commandLine = L"\"" + std::wstring(path, length) + L"\" /s /child";
  if (options.endSeconds) commandLine += L" /end:" + std::to_wstring(*options.endSeconds);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  UnendingProcessAttributes unending;
  if (!CreateProcessW(nullptr, commandLine.data(), guarded ? unending.Get() : nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return Finish("error", 1);
  CloseHandle(process.hThread);
  DemoLogEvent("child", LogField("childpid", static_cast<std::uint64_t>(process.dwProcessId)));
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return Finish("child", static_cast<int>(code));
}

RECT VirtualScreen() {
  RECT rect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0) {
    rect = RECT{0, 0, 0, 0};
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  }
  rect.right = rect.left + width;
  rect.bottom = rect.top + height;
  return rect;
}

int RunFullScreen(DemoSession& session, const std::wstring& name, const DemoOptions& options) {
  const DemoVariant& variant = session.variant;
  const unsigned endSeconds = EndSeconds(variant, options);
  const bool launches = variant.behaviour == DemoBehaviour::Launcher || variant.behaviour == DemoBehaviour::Guarded;
  const bool guarded = variant.behaviour == DemoBehaviour::Guarded;
  if (launches && !options.launchedChild) return RunLauncher(options, guarded);
  if (guarded) DemoLogEvent("guard", LogField("refused", RefusesToBeEnded() ? "1" : "0"));
  if (variant.behaviour == DemoBehaviour::NoWindow) {
    Sleep(endSeconds > 0 ? endSeconds * 1000 : INFINITE);
    return Finish("timeout");
  }

  const RECT screen = VirtualScreen();
  std::vector<RECT> areas{screen};
  std::vector<std::wstring> labels{name};
  if (variant.behaviour == DemoBehaviour::TwoWindows) {
    // Side by side, as if one per monitor; each closes on its own input.
    const LONG middle = screen.left + (screen.right - screen.left) / 2;
    areas = {RECT{screen.left, screen.top, middle, screen.bottom}, RECT{middle, screen.top, screen.right, screen.bottom}};
    labels = {name + L" 1", name + L" 2"};
  }
  WindowList windows;
  for (std::size_t i = 0; i < areas.size(); ++i) {
    auto window = std::make_unique<DemoWindow>(session, labels[i], GetTickCount() ^ (GetCurrentProcessId() << 4) ^ i);
    if (!window->CreatePopup(areas[i])) {
      session.exitReason = "error";
      break;
    }
    windows.push_back(std::move(window));
  }
  if (windows.empty()) return Finish("error", 1);
  ShowCursor(FALSE);
  RunMessageLoop(session, endSeconds, windows);
  ShowCursor(TRUE);
  return Finish(session.exitReason.empty() ? "error" : session.exitReason);
}
}  // namespace

int RunDemoSaver(const DemoVariant& variant, HINSTANCE instance) {
  InitDemoLog(variant.id);
  const DemoOptions options = ParseDemoCommandLine(Arguments());
  DemoLogEvent("start", LogField("mode", ModeName(options.mode)) + " cmd=\"" + Utf8(GetCommandLineW()) + "\"");

  const std::wstring name = DisplayName(variant, instance);
  if (options.mode == DemoMode::Password) return Finish("password");
  if (options.mode == DemoMode::Config) return RunConfig(name, options);

  if (!DemoWindow::RegisterClass(instance)) return Finish("error", 1);
  DemoSession session{variant, instance, options.mode == DemoMode::Screen, {}, {}, 0};
  if (options.mode == DemoMode::Preview) return RunPreview(session, name, options);
  return RunFullScreen(session, name, options);
}
