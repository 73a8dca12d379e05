#include "toolkit/Application.h"

#include <commctrl.h>

namespace tessora::tk {

Application& App() {
  static Application app;
  return app;
}

Application::Application() : Component(nullptr) {}

Application::~Application() {
  DestroyComponents();
  if (handle_) {
    UnbindWindow(handle_);
    DestroyWindow(handle_);
  }
}

void Application::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  if (handle_) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = L"Tessora.Application";
  RegisterClassExW(&wc);
  // Zero-sized but visible when the main form shows: it is the taskbar button.
  handle_ = CreateWindowExW(0, wc.lpszClassName, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  BindWindow(handle_, this);
}

void Application::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, title_.c_str());
}

LRESULT CALLBACK Application::AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  Application* self = BoundObject<Application>(wnd);
  if (!self) return DefWindowProcW(wnd, msg, wParam, lParam);
  try {
    return self->HandleMessage(wnd, msg, wParam, lParam);
  } catch (...) {
    // As in the controls' procedure: the message ends here, without the default handling.
    return 0;
  }
}

LRESULT Application::HandleMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (mainForm_) {
        mainForm_->Close();
      } else {
        Terminate();
      }
      return 0;
    case WM_ACTIVATE:
      // The taskbar button activates this window; hand the focus to the main form.
      if (LOWORD(wParam) != WA_INACTIVE && mainForm_ && mainForm_->HandleAllocated() &&
          IsWindowVisible(mainForm_->Handle())) {
        SetFocus(mainForm_->Handle());
      }
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

int Application::Run() {
  if (mainForm_ && ShowMainForm && !terminated_) {
    if (handle_) ShowWindow(handle_, SW_SHOWNA);
    mainForm_->Show();
  }
  while (!terminated_) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      exitCode_ = static_cast<int>(msg.wParam);
      break;
    }
    DispatchOne(msg);
  }
  DestroyComponents();
  return exitCode_;
}

void Application::Terminate() {
  if (terminated_) return;
  PostQuitMessage(0);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      exitCode_ = static_cast<int>(msg.wParam);
      break;
    }
    DispatchOne(msg);
  }
}

void Application::DispatchOne(MSG& msg) {
  if (msg.hwnd) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (auto* form = BoundObject<Form>(root)) {
      if (form->DialogKeys && IsDialogMessageW(root, &msg)) return;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace tessora::tk
