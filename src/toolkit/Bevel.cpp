#include "toolkit/Bevel.h"

namespace tessora::tk {

Bevel::Bevel(Component* owner) : GraphicControl(owner) {
  width_ = 50;
  height_ = 50;
}

void Bevel::SetShape(BevelShape shape) {
  shape_ = shape;
  Invalidate();
}

void Bevel::SetStyle(BevelStyle style) {
  style_ = style;
  Invalidate();
}

namespace {
void Frame(HDC dc, const RECT& r, int topLeftColor, int bottomRightColor) {
  HBRUSH topLeft = GetSysColorBrush(topLeftColor), bottomRight = GetSysColorBrush(bottomRightColor);
  const RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
  const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &top, topLeft);
  FillRect(dc, &left, topLeft);
  FillRect(dc, &bottom, bottomRight);
  FillRect(dc, &right, bottomRight);
}
}  // namespace

void Bevel::Paint(HDC dc) {
  const RECT r = ClientRect();
  const int light = COLOR_BTNHIGHLIGHT, dark = COLOR_BTNSHADOW;
  const bool lowered = style_ == BevelStyle::Lowered;
  if (shape_ == BevelShape::Frame) {
    // A groove (lowered) or ridge (raised): two frames of one line each, one pixel apart.
    const RECT outer{r.left, r.top, r.right - 1, r.bottom - 1}, inner{r.left + 1, r.top + 1, r.right, r.bottom};
    Frame(dc, inner, lowered ? light : dark, lowered ? light : dark);
    Frame(dc, outer, lowered ? dark : light, lowered ? dark : light);
  } else {
    Frame(dc, r, lowered ? dark : light, lowered ? light : dark);
  }
}

}  // namespace tessora::tk
