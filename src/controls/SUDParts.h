#pragma once
// The moving parts of the slide up-down control: the two arrow buttons, which
// repeat while held, and the slider bar between them, which stays pressed-looking
// for the whole drag.
#include "controls/CustomKeepButton.h"

namespace tessora {

class TUpDownButtonPart : public TCustomKeepButton {
 public:
  explicit TUpDownButtonPart(tk::Component* owner);

  TButtonType ButtonType() const { return buttonType_; }
  void SetButtonType(TButtonType type);

  void Paint(HDC dc) override;

 private:
  TButtonType buttonType_ = TButtonType::btUp;
};

class TSliderPart : public TCustomKeepButton {
 public:
  explicit TSliderPart(tk::Component* owner);
};

}  // namespace tessora
