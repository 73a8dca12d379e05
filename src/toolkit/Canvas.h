#pragma once
// Drawing helpers over a borrowed DC. Every GDI object made here is freed, and every
// object selected is put back, before the call returns.
#include <windows.h>

#include <string>

#include "toolkit/WinCalls.h"

namespace tessora::tk {

class Canvas {
 public:
  explicit Canvas(HDC dc) : dc_(dc) {}
  HDC Dc() const { return dc_; }

  void FillRect(const RECT& r, COLORREF color);
  void FrameRect(const RECT& r, COLORREF color);
  void Line(int x1, int y1, int x2, int y2, COLORREF color);
  void Pixel(int x, int y, COLORREF color) { ::SetPixelV(dc_, x, y, color); }
  // A filled polygon with its outline in the same colour.
  void Polygon(const POINT* points, int count, COLORREF color);
  // Text with a transparent background.
  void TextOut(int x, int y, const std::wstring& text, COLORREF color);

 private:
  HDC dc_;
};

}  // namespace tessora::tk
