#include "controls/SUDParts.h"

#include <vector>

#include "controls/ArrowGeometry.h"
#include "toolkit/Control.h"

namespace tessora {

TUpDownButtonPart::TUpDownButtonPart(tk::Component* owner) : TCustomKeepButton(owner) {
  SetAutoRepeat(true);
  SetBody(TBody::bdFull);
}

void TUpDownButtonPart::SetButtonType(TButtonType type) {
  if (type == buttonType_) return;
  buttonType_ = type;
  Invalidate();
}

void TUpDownButtonPart::Paint(HDC dc) {
  TCustomKeepButton::Paint(dc);
  // Buttons stacked in one column draw arrows of one size, the smaller one's.
  std::vector<PartRect> upDownParts;
  if (Parent()) {
    for (tk::Control* c : Parent()->Controls())
      if (dynamic_cast<TUpDownButtonPart*>(c)) upDownParts.push_back({c->Left(), c->Top(), c->Width(), c->Height()});
  }
  const PartRect self{left_, top_, width_, height_};
  if (upDownParts.empty()) upDownParts.push_back(self);
  const int size = ArrowSize(CommonArrowBox(self, upDownParts), Body());
  const ArrowShape arrow = ArrowFor(width_, height_, size, buttonType_, Down());
  if (!arrow.Visible()) return;
  const COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  const HBRUSH brush = CreateSolidBrush(colour);
  // Row by row: the same pixels on every system, unlike a rasterised polygon.
  const std::vector<PartPoint> pixels = ArrowPixels(arrow);
  for (size_t i = 0; i < pixels.size();) {
    size_t j = i + 1;
    while (j < pixels.size() && pixels[j].y == pixels[i].y && pixels[j].x == pixels[j - 1].x + 1) ++j;
    const RECT row{pixels[i].x, pixels[i].y, pixels[j - 1].x + 1, pixels[i].y + 1};
    ::FillRect(dc, &row, brush);
    i = j;
  }
  DeleteObject(brush);
}

TSliderPart::TSliderPart(tk::Component* owner) : TCustomKeepButton(owner) {
  SetBody(TBody::bdLight);
  SetKeepDownOnLeave(true);
}

}  // namespace tessora
