#pragma once
// One window of a demo saver: full-screen pop-up or preview child. It animates on a
// timer and decides which input ends it.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "DemoScene.h"
#include "DemoVariant.h"

// What the windows of one process share.
struct DemoSession {
  const DemoVariant& variant;
  HINSTANCE instance;
  bool fullScreen;
  std::string exitReason;  // the input or message that closed the last window
  std::optional<POINT> firstMouse;
  int openWindows = 0;  // the message loop ends when this drops to 0
};

class DemoWindow {
 public:
  DemoWindow(DemoSession& session, std::wstring label, std::uint32_t seed);
  DemoWindow(const DemoWindow&) = delete;
  DemoWindow& operator=(const DemoWindow&) = delete;

  static bool RegisterClass(HINSTANCE instance);

  // Full screen: a top-most pop-up over rect (screen coordinates). Preview: a child
  // filling the client area of parent. Logs the window once it is shown.
  bool CreatePopup(const RECT& rect);
  bool CreateChild(HWND parent);

  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void LogShown() const;
  void Paint();
  bool Ignores(std::string_view reason) const;
  void LogInput(const char* event, const std::string& fields, std::string_view reason) const;
  void OnMouseMove(LPARAM lParam);
  void End(const char* reason);

  DemoSession& session_;
  DemoScene scene_;
  std::wstring label_;
  HWND window_ = nullptr;
  BackBuffer buffer_;
  bool ending_ = false;
  bool movedAway_ = false;
};
