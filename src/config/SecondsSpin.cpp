#include "config/SecondsSpin.h"

#include "controls/CustomKeepButton.h"

namespace tessora {

void SetUpSecondsSpinParts(TSlideUpDown& spin) {
  spin.Buttons().SetBody(TBody::bdFull);
  spin.Buttons().SetFlat(false);
  spin.Buttons().SetDelay(500);
  spin.Buttons().SetSpeed(33);
  spin.Buttons().SetSystemRepeatTime(true);
  spin.Buttons().SetQuantity(1);
  spin.Slider().SetBody(TBody::bdLight);
  spin.Slider().SetFlat(false);
  spin.Slider().SetHeight(2);
  spin.Slider().SetCursor(crVSplit);
  spin.Slider().SetQuantity(1);
}

void AssociateSecondsSpin(TSlideUpDown& spin, TEditHex& field, int minimum) {
  spin.SetAssociate(&field);
  spin.SetQuantity(1);
  spin.SetRate(1);
  spin.SetIncrement(1);
  spin.SetFunctionKind(TFunctionKind::fkLinear);
  spin.SetFormat("0");
  spin.SetMax(86400);
  spin.SetMin(minimum);
  spin.SetWrap(false);
}

}  // namespace tessora
