#pragma once
// Push buttons. A click (mouse, Space, Enter when the button is the one Enter presses,
// Escape for a cancel button, Alt+its & letter) first sets the form's ModalResult when
// the button has one, then raises OnClick.
#include <windows.h>

#include <functional>

#include "toolkit/Control.h"

namespace tessora::tk {

// What every kind of push button shares: the click, the modal result, the form's
// default and cancel roles, and the focus telling the form which button Enter presses.
class ButtonControl : public WinControl {
 public:
  explicit ButtonControl(Component* owner);

  // Set on the parent form when the button is clicked; mrNone (0) leaves it.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // Enter presses the form's default button wherever the focus is, unless it is on
  // another button (Enter then presses that one).
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  // Escape presses the form's cancel button; a form without one ignores Escape.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }

  virtual void Click();
  std::function<void()> OnClick;

  // Drawn as the button Enter presses, or not.
  virtual void SetDefaultLook(bool look) { defaultLook_ = look; }
  bool DefaultLook() const { return defaultLook_; }

 protected:
  void WndProc(Message& message) override;
  bool HandleReflected(Message& message) override;

  bool defaultLook_ = false;

 private:
  int modalResult_ = 0;
  bool default_ = false;
  bool cancel_ = false;
};

// The standard push button with a caption.
class Button : public ButtonControl {
 public:
  explicit Button(Component* owner);
  void SetDefaultLook(bool look) override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void WndProc(Message& message) override;

 private:
  bool settingStyle_ = false;
};

}  // namespace tessora::tk
