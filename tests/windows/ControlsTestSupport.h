#pragma once
// Real input and screen reading for the standard controls' tests, on top of the
// numeric controls' helpers (pointer, keys, message pump).
#include <windows.h>

#include <string>
#include <vector>

#include "NumericTestSupport.h"
#include "toolkit/Bitmap.h"

namespace tessora::ctltest {

using numtest::BringToFront;
using numtest::LeftButton;
using numtest::PointAtScreen;
using numtest::PumpFor;
using numtest::PumpUntil;

inline void Press(WORD vk) {
  numtest::Key(vk, true);
  numtest::Key(vk, false);
}

// A key with modifiers held (VK_SHIFT, VK_MENU...), released in reverse order.
inline void Chord(std::initializer_list<WORD> held, WORD vk) {
  for (WORD h : held) numtest::Key(h, true);
  Press(vk);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) numtest::Key(*it, false);
}

// Types lower-case letters and digits as key presses.
inline void TypeKeys(const std::string& keys) {
  for (char c : keys) Press(static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
}

// A left click on a point of the window's client area.
inline bool ClickAt(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  if (!PointAtScreen(p)) return false;
  LeftButton(true);
  PumpFor(30);
  LeftButton(false);
  PumpFor(30);
  return true;
}

inline bool ClickCentre(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  return ClickAt(wnd, r.right / 2, r.bottom / 2);
}

// The middle of the title bar's close box, found by hit-testing, in screen coordinates.
inline bool CloseBoxPoint(HWND wnd, POINT& out) {
  RECT r;
  GetWindowRect(wnd, &r);
  long sx = 0, sy = 0, n = 0;
  for (int y = r.top; y < r.top + 40 && y < r.bottom; ++y) {
    for (int x = r.right - 1; x > r.right - 80 && x > r.left; --x) {
      if (SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        sx += x;
        sy += y;
        ++n;
      }
    }
  }
  if (n == 0) return false;
  out = {static_cast<LONG>(sx / n), static_cast<LONG>(sy / n)};
  return true;
}

// A click on a title bar button. Both halves go at once: the system follows a press on
// a title bar button in a loop of its own until the button comes up.
inline bool ClickCloseBox(POINT p) {
  if (!PointAtScreen(p)) return false;
  LeftButton(true);
  LeftButton(false);
  return true;
}

// What a window shows on the screen now (its client area).
inline tk::Bitmap Capture(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  tk::Bitmap shot(r.right, r.bottom);
  RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(wnd);
  BitBlt(shot.Dc(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  return shot;
}

inline int CountColour(const tk::Bitmap& bmp, COLORREF colour) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) n += bmp.Pixel(x, y) == colour;
  }
  return n;
}

inline std::wstring WindowText(HWND wnd) {
  wchar_t text[512] = {};
  GetWindowTextW(wnd, text, 512);
  return text;
}

// The focus is on the window or on a part of it (the edit field of a combo box).
inline bool FocusIn(HWND wnd) {
  HWND focus = GetFocus();
  return focus && (focus == wnd || IsChild(wnd, focus));
}

}  // namespace tessora::ctltest
