#include "controls/ShadoLblShadow.h"

#include "core/StoreChange.h"

namespace tessora {

void TShadow::SetVisible(bool value) {
  if (StoreChange(visible_, value)) Changed();
}

void TShadow::SetColor(ColorRef value) {
  if (StoreChange(color_, value)) Changed();
}

void TShadow::SetOffsetLeft(int value) {
  if (StoreChange(offsetLeft_, value)) Changed();
}

void TShadow::SetOffsetTop(int value) {
  if (StoreChange(offsetTop_, value)) Changed();
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
