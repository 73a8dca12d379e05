#include "toolkit/CheckBox.h"

namespace tessora::tk {

CheckBox::CheckBox(Component* owner) : WinControl(owner) {
  width_ = 97;
  height_ = 17;
  tabStop_ = true;
}

void CheckBox::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = L"BUTTON";
  params.Style = (params.Style & ~static_cast<DWORD>(WS_CLIPCHILDREN)) | BS_AUTOCHECKBOX;
}

void CheckBox::HandleCreated() { SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

bool CheckBox::Checked() const {
  // The window holds the truth once it exists: the user toggles it there.
  if (auto* self = const_cast<CheckBox*>(this); self->HandleAllocated())
    return SendMessageW(self->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void CheckBox::SetChecked(bool checked) {
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::HandleReflected(Message& m) {
  if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    checked_ = Checked();
    if (OnClick) OnClick();
    return true;
  }
  return WinControl::HandleReflected(m);
}

}  // namespace tessora::tk
