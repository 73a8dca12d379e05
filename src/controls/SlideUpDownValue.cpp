#include "controls/SlideUpDownValue.h"

#include <utility>

#include "controls/ExtractNumber.h"

namespace tessora {

SlideUpDownValue::SlideUpDownValue() {
  confinement_.SetWrap(false);
  confinement_.SetMax(100);
  confinement_.SetMin(0);
  format_ = "#,##0.00";
  position_ = 1;
  increment_ = 1;
  SetQuantity(1);
  SetFunctionKind(TFunctionKind::fkLinear);
}

long double SlideUpDownValue::Position() {
  Synchronise();
  return position_;
}

void SlideUpDownValue::SetPosition(long double value) {
  position_ = confinement_.Confine(value);
  // The field only: going through SetIncrement would re-derive the rate at every
  // step, drifting it, and killing an exponential function at a position of 0.
  increment_ = IncrementFor();
  WriteAssociate();
  if (OnChange) OnChange();
}

void SlideUpDownValue::SetMin(long double value) {
  confinement_.SetMin(value);
  position_ = confinement_.Confine(position_);
}

void SlideUpDownValue::SetMax(long double value) {
  confinement_.SetMax(value);
  position_ = confinement_.Confine(position_);
}

void SlideUpDownValue::SetQuantity(long double quantity) {
  quantity_ = quantity;
  if (Loading) return;
  sliderQuantity_ = quantity * sliderRatio_;
  buttonsQuantity_ = quantity * buttonsRatio_;
  increment_ = IncrementFor();
}

void SlideUpDownValue::SetRate(long double rate) {
  functions_.SetRate(rate);
  if (!Loading) increment_ = IncrementFor();
}

void SlideUpDownValue::SetIncrement(long double increment) {
  increment_ = increment;
  if (!Loading) functions_.SetRate(RateFor());
}

void SlideUpDownValue::SetFunctionKind(TFunctionKind kind) {
  functions_.SetKind(kind);
  if (!Loading) SetRate(RateFor());
}

void SlideUpDownValue::SetFormat(std::string format) {
  format_ = std::move(format);
  WriteAssociate();
}

void SlideUpDownValue::SetSliderQuantity(long double quantity) {
  sliderQuantity_ = quantity;
  if (!Loading && quantity_ != 0) sliderRatio_ = quantity / quantity_;
}

void SlideUpDownValue::SetButtonsQuantity(long double quantity) {
  buttonsQuantity_ = quantity;
  if (!Loading && quantity_ != 0) buttonsRatio_ = quantity / quantity_;
}

void SlideUpDownValue::Loaded() {
  Loading = false;
  if (quantity_ == 0) return;
  sliderRatio_ = sliderQuantity_ / quantity_;
  buttonsRatio_ = buttonsQuantity_ / quantity_;
}

std::optional<long double> SlideUpDownValue::ReadAssociate() const {
  if (!ReadAssociateText) return std::nullopt;
  const std::optional<std::string> text = ReadAssociateText();
  if (!text) return std::nullopt;
  const ExtractedNumber number = ExtractNumber(*text);
  if (!number.found) return std::nullopt;
  return number.value;
}

bool SlideUpDownValue::WriteAssociate() {
  if (!WriteAssociateText) return false;
  const std::string text = FormatFloat(format_, position_, Punctuation);
  // Recorded before the write: the edit field's change event runs inside it, and a
  // handler reading Position there must see this text as ours, not as typed.
  const long double previous = syncedValue_;
  syncedValue_ = ExtractNumber(text).value;
  if (WriteAssociateText(text)) return true;
  syncedValue_ = previous;
  return false;
}

bool SlideUpDownValue::TakeOverAssociate() {
  if (const auto number = ReadAssociate()) SetPosition(*number);
  return WriteAssociate();
}

void SlideUpDownValue::Synchronise() {
  const auto number = ReadAssociate();
  if (number && *number != syncedValue_) SetPosition(*number);
}

void SlideUpDownValue::StepFrom(long double start, long double steps) {
  SetPosition(functions_.Move(start, steps));
}

long double SlideUpDownValue::IncrementFor() const {
  return functions_.Move(position_, quantity_) - position_;
}

long double SlideUpDownValue::RateFor() const {
  if (increment_ == 0) return 0;
  return functions_.RateFromIncrement(position_, quantity_, increment_);
}

void SlideUpDownValue::ButtonClick(TButtonType button, int repeatCount) {
  if (repeatCount == 0) startPosition_ = Position();
  const long double steps = (static_cast<long double>(repeatCount) + 1) * buttonsQuantity_;
  StepFrom(startPosition_, button == TButtonType::btUp ? steps : -steps);
}

void SlideUpDownValue::SliderPress(int x, int y) {
  startPosition_ = Position();
  dragStartX_ = x;
  dragStartY_ = y;
}

void SlideUpDownValue::SliderDrag(int y) {
  StepFrom(startPosition_, sliderQuantity_ * (static_cast<long double>(dragStartY_) - y));
}

bool SlideUpDownValue::ArrowKeyStep(unsigned key) {
  if (key == kKeyUp) {
    StepFrom(Position(), buttonsQuantity_);
    return true;
  }
  if (key == kKeyDown) {
    StepFrom(Position(), -buttonsQuantity_);
    return true;
  }
  return false;
}

}  // namespace tessora
