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

void Bevel::Paint(HDC dc) {
  RECT r = ClientRect();
  const bool lowered = style_ == BevelStyle::Lowered;
  if (shape_ == BevelShape::Frame) {
    // Two offset lines, the groove (lowered) or ridge (raised) of an etched frame.
    DrawEdge(dc, &r, lowered ? EDGE_ETCHED : EDGE_BUMP, BF_RECT);
  } else {
    DrawEdge(dc, &r, lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
}

}  // namespace tessora::tk
