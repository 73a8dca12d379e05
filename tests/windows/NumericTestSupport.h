#pragma once
// Real input for the numeric controls' tests: the pointer and the keyboard of the
// Wine session's virtual desktop, and a message pump.
#include <windows.h>

#include "WineTestSupport.h"
#include "toolkit/Application.h"

namespace tessora {

namespace numtest {

using ::PumpFor;
using ::PumpUntil;

// Puts the pointer on a screen point and waits until it stays there: under Wine a late
// report of an earlier position can move it back once.
inline bool PointAtScreen(POINT p) {
  const auto there = [&] {
    POINT now;
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
  };
  for (int attempt = 0; attempt < 10; ++attempt) {
    SetCursorPos(p.x, p.y);
    PumpFor(40);
    if (!there()) continue;
    PumpFor(40);
    if (there()) return true;
  }
  return false;
}

// The same for a point of the window's client area.
inline bool PointAt(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  return PointAtScreen(p);
}

inline void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

inline void Key(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

// Brings a top-level window to the front with the keyboard focus.
inline bool BringToFront(HWND wnd) {
  SetForegroundWindow(wnd);
  return PumpUntil([&] { return GetForegroundWindow() == wnd; }, 2000);
}

}  // namespace numtest

}  // namespace tessora
