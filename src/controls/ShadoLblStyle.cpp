#include "controls/ShadoLblStyle.h"

#include <utility>

#include "core/StoreChange.h"

namespace tessora {

ShadowLabelStyle::ShadowLabelStyle(std::function<void()> requestRepaint)
    : requestRepaint_(std::move(requestRepaint)) {
  // Set before the handlers are wired, so construction requests no repaint.
  highlight_.SetColor(kDefaultHighlightColor);
  highlight_.SetOffsetLeft(kDefaultHighlightOffset);
  highlight_.SetOffsetTop(kDefaultHighlightOffset);
  highlight_.OnChange = [this](TShadow&) { Repaint(); };
  shadow_.OnChange = [this](TShadow&) { Repaint(); };
}

void ShadowLabelStyle::SetEllipsis(TEllipsis value) {
  if (StoreChange(ellipsis_, value)) Repaint();
}

void ShadowLabelStyle::SetGradateVert(bool value) {
  if (StoreChange(gradateVert_, value)) Repaint();
}

void ShadowLabelStyle::SetGradation(bool value) {
  if (StoreChange(gradation_, value)) Repaint();
}

void ShadowLabelStyle::SetGradationColor(ColorRef value) {
  if (StoreChange(gradationColor_, value)) Repaint();
}

void ShadowLabelStyle::SetTextGradation(TTextGradation value) {
  if (StoreChange(textGradation_, value)) Repaint();
}

void ShadowLabelStyle::SetTextGradationColor(ColorRef value) {
  if (StoreChange(textGradationColor_, value) && textGradation_ != TTextGradation::tgNone) Repaint();
}

void ShadowLabelStyle::SetTextMidColor(ColorRef value) {
  if (StoreChange(textMidColor_, value) && textGradation_ == TTextGradation::tg3Colors) Repaint();
}

void ShadowLabelStyle::SetHighlight(const TShadow* value) {
  if (value == nullptr) return;
  highlight_.Assign(*value);
  Repaint();
}

void ShadowLabelStyle::SetShadow(const TShadow* value) {
  if (value == nullptr) return;
  shadow_.Assign(*value);
  Repaint();
}

void ShadowLabelStyle::Repaint() {
  if (requestRepaint_) requestRepaint_();
}

}  // namespace tessora
