#include "toolkit/Timer.h"

namespace tessora::tk {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::Timer(Component* owner) : Component(owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, L"Tessora.Timer", &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TimerWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"Tessora.Timer";
    RegisterClassExW(&wc);
  }
  window_ = CreateWindowExW(0, L"Tessora.Timer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  BindWindow(window_, this);
  Update();
}

Timer::~Timer() {
  if (window_) {
    KillTimer(window_, kTimerId);
    UnbindWindow(window_);
    DestroyWindow(window_);
  }
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(UINT interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Update();
}

void Timer::Update() {
  if (!window_) return;
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ != 0) SetTimer(window_, kTimerId, interval_, nullptr);
}

LRESULT CALLBACK Timer::TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_TIMER && wParam == kTimerId) {
    auto* self = BoundObject<Timer>(wnd);
    if (self && self->enabled_ && self->OnTimer) {
      try {
        self->OnTimer();
      } catch (...) {
        // No exception may cross the window procedure; the tick is lost.
      }
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace tessora::tk
