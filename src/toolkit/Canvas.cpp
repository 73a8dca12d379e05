#include "toolkit/Canvas.h"

#include "toolkit/Handles.h"

namespace tessora::tk {

void Canvas::FillRect(const RECT& r, COLORREF color) {
  GdiObject brush(CreateSolidBrush(color));
  ::FillRect(dc_, &r, static_cast<HBRUSH>(brush.Get()));
}

void Canvas::FrameRect(const RECT& r, COLORREF color) {
  GdiObject brush(CreateSolidBrush(color));
  ::FrameRect(dc_, &r, static_cast<HBRUSH>(brush.Get()));
}

void Canvas::Line(int x1, int y1, int x2, int y2, COLORREF color) {
  GdiObject pen(CreatePen(PS_SOLID, 1, color));
  ScopedSelect sel(dc_, pen.Get());
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void Canvas::Polygon(const POINT* points, int count, COLORREF color) {
  GdiObject pen(CreatePen(PS_SOLID, 1, color));
  GdiObject brush(CreateSolidBrush(color));
  ScopedSelect selPen(dc_, pen.Get());
  ScopedSelect selBrush(dc_, brush.Get());
  ::Polygon(dc_, points, count);
}

void Canvas::TextOut(int x, int y, const std::wstring& text, COLORREF color) {
  const int oldMode = SetBkMode(dc_, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc_, color);
  ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  SetTextColor(dc_, oldColor);
  SetBkMode(dc_, oldMode);
}

}  // namespace tessora::tk
