#include "toolkit/Button.h"

#include "toolkit/Form.h"

namespace tessora::tk {

ButtonControl::ButtonControl(Component* owner) : WinControl(owner) {
  width_ = 75;
  height_ = 25;
  tabStop_ = true;
}

void ButtonControl::SetDefault(bool isDefault) {
  if (isDefault == default_) return;
  default_ = isDefault;
  Form* form = ParentForm();
  if (!form) {
    SetDefaultLook(isDefault);
    return;
  }
  // A focused button keeps the look; otherwise the new default takes it.
  auto* focused = dynamic_cast<ButtonControl*>(FromHandle(GetFocus()));
  form->UpdateDefaultLook(focused && focused->ParentForm() == form ? focused : nullptr);
}

void ButtonControl::Click() {
  if (modalResult_ != 0) {
    if (Form* form = ParentForm()) form->SetModalResult(modalResult_);
  }
  if (OnClick) OnClick();
}

bool ButtonControl::HandleReflected(Message& m) {
  if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return true;
  }
  return WinControl::HandleReflected(m);
}

void ButtonControl::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
      WinControl::WndProc(m);
      if (Form* form = ParentForm()) form->UpdateDefaultLook(this);
      return;
    case WM_KILLFOCUS: {
      WinControl::WndProc(m);
      // Focus going to another button: that one's WM_SETFOCUS moves the look.
      auto* next = dynamic_cast<ButtonControl*>(FromHandle(reinterpret_cast<HWND>(m.WParam)));
      if (!next) {
        if (Form* form = ParentForm()) form->UpdateDefaultLook(nullptr);
      }
      return;
    }
    default:
      break;
  }
  WinControl::WndProc(m);
}

Button::Button(Component* owner) : ButtonControl(owner) {}

void Button::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = L"BUTTON";
  params.Style = (params.Style & ~static_cast<DWORD>(WS_CLIPCHILDREN)) |
                 (defaultLook_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void Button::SetDefaultLook(bool look) {
  if (look == defaultLook_) return;
  ButtonControl::SetDefaultLook(look);
  if (!HandleAllocated()) return;
  settingStyle_ = true;
  SendMessageW(Handle(), BM_SETSTYLE, look ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  settingStyle_ = false;
}

void Button::WndProc(Message& m) {
  // The dialog manager restyles a button that gets the focus by Tab; the form decides
  // which button looks like the default, so only its own requests get through.
  if (m.Msg == BM_SETSTYLE && !settingStyle_) {
    m.Result = 0;
    return;
  }
  ButtonControl::WndProc(m);
}

}  // namespace tessora::tk
