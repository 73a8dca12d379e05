#include "DemoWindow.h"

#include <windowsx.h>

#include <cstdlib>

#include "DemoLog.h"

namespace {
constexpr wchar_t kClassName[] = L"TessoraDemoSaver";
// Closing is deferred to this message so that what was queued before it (Esc up and
// WM_CLOSE right after Esc down) still reaches the window and the log.
constexpr UINT kEndMessage = WM_APP + 1;
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kFrameMilliseconds = 30;
// A mouse that moves no further than this from where it was first seen is jitter.
constexpr int kMouseSlack = 8;
}  // namespace

DemoWindow::DemoWindow(DemoSession& session, std::wstring label, std::uint32_t seed)
    : session_(session), scene_(session.variant, label, seed), label_(std::move(label)) {}

bool DemoWindow::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

bool DemoWindow::CreatePopup(const RECT& rect) {
  window_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, label_.c_str(), WS_POPUP, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, session_.instance, this);
  if (!window_) return false;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  LogShown();
  return true;
}

bool DemoWindow::CreateChild(HWND parent) {
  RECT client{};
  GetClientRect(parent, &client);
  window_ = CreateWindowExW(0, kClassName, label_.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom,
                            parent, nullptr, session_.instance, this);
  if (!window_) return false;
  UpdateWindow(window_);
  LogShown();
  return true;
}

void DemoWindow::LogShown() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  std::string value = std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                      "," + std::to_string(rect.bottom);
  DemoLogEvent("window", LogHwnd(window_) + LogField("rect", value));
}

LRESULT CALLBACK DemoWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DemoWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ++self->session_.openWindows;
  }
  auto* self = reinterpret_cast<DemoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    if (--self->session_.openWindows == 0) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT DemoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetTimer(window_, kAnimationTimer, kFrameMilliseconds, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam != kAnimationTimer) break;
      scene_.Step();
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETCURSOR:
      if (!session_.fullScreen) break;
      SetCursor(nullptr);
      return TRUE;
    case WM_SYSCOMMAND:
      // A screensaver that runs must not let the system start another one.
      if (session_.fullScreen && (wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!session_.fullScreen) break;
      LogInput("keydown", LogField("vk", static_cast<std::uint64_t>(wParam)), "key");
      End("key");
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!session_.fullScreen) break;
      DemoLogEvent("keyup", LogHwnd(window_) + LogField("vk", static_cast<std::uint64_t>(wParam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN: {
      if (!session_.fullScreen) break;
      const char* button = message == WM_LBUTTONDOWN ? "left" : message == WM_RBUTTONDOWN ? "right"
                           : message == WM_MBUTTONDOWN ? "middle" : "x";
      LogInput("mouse", LogField("button", button), "mouse");
      End("mouse");
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    }
    case WM_MOUSEMOVE:
      if (!session_.fullScreen) break;
      OnMouseMove(lParam);
      return 0;
    case WM_CLOSE:
      LogInput("close", {}, "close");
      End("close");
      return 0;
    case kEndMessage:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      KillTimer(window_, kAnimationTimer);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void DemoWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  HDC back = buffer_.Prepare(dc, client.right, client.bottom);
  scene_.Draw(back, client.right, client.bottom);
  BitBlt(dc, 0, 0, client.right, client.bottom, back, 0, 0, SRCCOPY);
  EndPaint(window_, &paint);
}

// Stubborn ignores everything; Guarded ignores what another program can post, but not
// the user's mouse.
bool DemoWindow::Ignores(std::string_view reason) const {
  if (ending_) return false;
  switch (session_.variant.behaviour) {
    case DemoBehaviour::Stubborn: return true;
    case DemoBehaviour::Guarded: return reason == "key" || reason == "close";
    default: return false;
  }
}

void DemoWindow::LogInput(const char* event, const std::string& fields, std::string_view reason) const {
  DemoLogEvent(event, LogHwnd(window_) + fields + (Ignores(reason) ? LogField("ignored", "1") : std::string()));
}

void DemoWindow::OnMouseMove(LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window_, &point);
  if (!session_.firstMouse) {
    session_.firstMouse = point;
    return;
  }
  if (std::abs(point.x - session_.firstMouse->x) <= kMouseSlack && std::abs(point.y - session_.firstMouse->y) <= kMouseSlack)
    return;
  // Only the first move away is logged: a stubborn window would fill the log otherwise.
  if (movedAway_) return;
  movedAway_ = true;
  LogInput("mousemove", LogField("x", std::to_string(point.x)) + LogField("y", std::to_string(point.y)), "mousemove");
  End("mousemove");
}

void DemoWindow::End(const char* reason) {
  if (ending_ || Ignores(reason)) return;
  ending_ = true;
  session_.exitReason = reason;
  PostMessageW(window_, kEndMessage, 0, 0);
}
