#pragma once
// A timer component: OnTimer every Interval milliseconds while Enabled.
// Enabling it, or a new interval, restarts the countdown; setting the same value changes nothing.
#include <windows.h>

#include <functional>

#include "toolkit/Component.h"
#include "toolkit/WindowBinding.h"

namespace tessora::tk {

class Timer : public Component, public WindowTarget {
 public:
  explicit Timer(Component* owner);
  ~Timer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  UINT Interval() const { return interval_; }
  void SetInterval(UINT interval);

  intptr_t Tag = 0;
  std::function<void()> OnTimer;

 private:
  void Update();
  static LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

  HWND window_ = nullptr;  // message-only window that receives WM_TIMER
  bool enabled_ = true;
  UINT interval_ = 1000;
};

}  // namespace tessora::tk
