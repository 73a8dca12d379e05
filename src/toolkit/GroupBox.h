#pragma once
// A group box that holds controls: the standard frame with its caption, a container
// whose children's notifications reach those children (the reflection every WinControl
// does), which Tab enters (WS_EX_CONTROLPARENT) and which paints windowless children.
#include <windows.h>

#include "toolkit/Control.h"

namespace tessora::tk {

class GroupBox : public WinControl {
 public:
  explicit GroupBox(Component* owner);

 protected:
  void FillCreateParams(CreateParams& params) override;
  void WndProc(Message& message) override;
};

}  // namespace tessora::tk
