#include "controls/ShadoLblStyle.h"

#include <utility>

namespace tessora {

namespace {

template <typename T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

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
  if (Store(ellipsis_, value)) Repaint();
}

void ShadowLabelStyle::SetGradateVert(bool value) {
  if (Store(gradateVert_, value)) Repaint();
}

void ShadowLabelStyle::SetGradation(bool value) {
  if (Store(gradation_, value)) Repaint();
}

void ShadowLabelStyle::SetGradationColor(ColorRef value) {
  if (Store(gradationColor_, value)) Repaint();
}

void ShadowLabelStyle::SetTextGradation(TTextGradation value) {
  if (Store(textGradation_, value)) Repaint();
}

void ShadowLabelStyle::SetTextGradationColor(ColorRef value) {
  if (Store(textGradationColor_, value) && textGradation_ != TTextGradation::tgNone) Repaint();
}

void ShadowLabelStyle::SetTextMidColor(ColorRef value) {
  if (Store(textMidColor_, value) && textGradation_ == TTextGradation::tg3Colors) Repaint();
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
