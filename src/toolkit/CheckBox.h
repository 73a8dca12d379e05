#pragma once
// A check box with its caption; the user toggles it with a click or Space.
#include <windows.h>

#include <functional>

#include "toolkit/Control.h"

namespace tessora::tk {

class CheckBox : public WinControl {
 public:
  explicit CheckBox(Component* owner);

  bool Checked() const;
  // Setting it raises no event: OnClick is the user's toggle.
  void SetChecked(bool checked);

  // After the user toggled the box; Checked() tells the new state.
  std::function<void()> OnClick;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void HandleCreated() override;
  bool HandleReflected(Message& message) override;

 private:
  bool checked_ = false;
};

}  // namespace tessora::tk
