#include "controls/ShadoLblShadow.h"

namespace tessora {

namespace {

template <typename T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TShadow::SetVisible(bool value) {
  if (Store(visible_, value)) Changed();
}

void TShadow::SetColor(ColorRef value) {
  if (Store(color_, value)) Changed();
}

void TShadow::SetOffsetLeft(int value) {
  if (Store(offsetLeft_, value)) Changed();
}

void TShadow::SetOffsetTop(int value) {
  if (Store(offsetTop_, value)) Changed();
}

void TShadow::Assign(const TShadow& source) {
  visible_ = source.visible_;
  color_ = source.color_;
  offsetLeft_ = source.offsetLeft_;
  offsetTop_ = source.offsetTop_;
  Changed();
}

void TShadow::Changed() {
  if (OnChange) OnChange(*this);
}

}  // namespace tessora
