#include "toolkit/ComboBox.h"

#include <utility>

namespace tessora::tk {

ComboBox::ComboBox(Component* owner) : WinControl(owner) {
  width_ = 145;
  height_ = 20;
  tabStop_ = true;
}

HWND ComboBox::Wnd() const {
  auto* self = const_cast<ComboBox*>(this);
  return self->HandleAllocated() ? self->Handle() : nullptr;
}

void ComboBox::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = L"COMBOBOX";
  // No CBS_SORT: items stay in the caller's order. The window's height is the open
  // list's extent; the closed box takes its height from the item height.
  params.Style = (params.Style & ~static_cast<DWORD>(WS_CLIPCHILDREN)) | WS_VSCROLL | CBS_AUTOHSCROLL |
                 (style_ == ComboStyle::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  params.Height = height_ + dropDownHeight_;
}

void ComboBox::HandleCreated() {
  HWND wnd = Handle();
  for (const std::wstring& item : items_) SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(wnd, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  if (style_ == ComboStyle::DropDown) SetWindowTextW(wnd, text_.c_str());
  FitHeight();
}

void ComboBox::FontChanged() {
  WinControl::FontChanged();
  FitHeight();
}

void ComboBox::FitHeight() {
  HWND wnd = Wnd();
  if (!wnd) return;
  // Systems differ in what the item height they report means (Wine's counts a padding
  // that Windows' does not), so the height set is corrected by what the box then measures.
  auto item = static_cast<int>(SendMessageW(wnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3 && item > 0; ++attempt) {
    RECT r;
    GetWindowRect(wnd, &r);
    const int closed = r.bottom - r.top;
    if (closed == height_ || item + height_ - closed <= 0) return;
    item += height_ - closed;
    SendMessageW(wnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  }
}

void ComboBox::SetBounds(int left, int top, int width, int height) {
  const bool resized = height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (HWND wnd = Wnd()) {
    SetWindowPos(wnd, nullptr, left, top, width, height + dropDownHeight_, SWP_NOZORDER | SWP_NOACTIVATE);
    if (resized) FitHeight();
  }
  BoundsChanged();
}

void ComboBox::SetStyle(ComboStyle style) {
  if (style == style_) return;
  HWND old = Wnd();
  if (old) {
    itemIndex_ = ItemIndex();
    text_ = Text();
  }
  style_ = style;
  if (!old) return;
  const bool focused = GetFocus() == old || IsChild(old, GetFocus());
  DestroyHandle();
  if (HWND wnd = Handle(); wnd && focused) ::SetFocus(wnd);
}

void ComboBox::AddItem(const std::wstring& text) { InsertItem(ItemCount(), text); }

void ComboBox::InsertItem(int index, const std::wstring& text) {
  if (index < 0 || index > ItemCount()) index = ItemCount();
  items_.insert(items_.begin() + index, text);
  if (itemIndex_ >= index) ++itemIndex_;
  if (HWND wnd = Wnd()) SendMessageW(wnd, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  items_.erase(items_.begin() + index);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
  } else if (itemIndex_ > index) {
    --itemIndex_;
  }
  if (HWND wnd = Wnd()) SendMessageW(wnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ComboBox::ClearItems() {
  items_.clear();
  itemIndex_ = -1;
  if (HWND wnd = Wnd()) {
    // CB_RESETCONTENT empties the edit field too; the text is not part of the items.
    const std::wstring text = Text();
    SendMessageW(wnd, CB_RESETCONTENT, 0, 0);
    if (style_ == ComboStyle::DropDown) SetWindowTextW(wnd, text.c_str());
  }
}

int ComboBox::ItemIndex() const {
  if (HWND wnd = Wnd()) return static_cast<int>(SendMessageW(wnd, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  itemIndex_ = index;
  if (style_ == ComboStyle::DropDown) text_ = index >= 0 ? items_[static_cast<size_t>(index)] : std::wstring();
  if (HWND wnd = Wnd()) {
    SendMessageW(wnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (style_ == ComboStyle::DropDown && index < 0) SetWindowTextW(wnd, L"");
  }
}

std::wstring ComboBox::Text() const {
  HWND wnd = Wnd();
  if (!wnd) {
    if (style_ == ComboStyle::DropDownList) return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::wstring();
    return text_;
  }
  const int n = GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(wnd, text.data(), n + 1)));
  return text;
}

void ComboBox::SetText(const std::wstring& text) {
  if (style_ == ComboStyle::DropDownList) {
    // A list without an edit field can only show one of its items.
    for (int i = 0; i < ItemCount(); ++i) {
      if (items_[static_cast<size_t>(i)] == text) SetItemIndex(i);
    }
    return;
  }
  text_ = text;
  if (HWND wnd = Wnd()) SetWindowTextW(wnd, text.c_str());
}

void ComboBox::SetSelection(int start, int length) {
  if (HWND wnd = Wnd()) SendMessageW(wnd, CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
}

bool ComboBox::DroppedDown() const {
  HWND wnd = Wnd();
  return wnd && SendMessageW(wnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

std::vector<HWND> ComboBox::HintWindows() {
  std::vector<HWND> windows = WinControl::HintWindows();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (HWND wnd = Wnd(); wnd && GetComboBoxInfo(wnd, &info) && info.hwndItem && info.hwndItem != wnd)
    windows.push_back(info.hwndItem);
  return windows;
}

bool ComboBox::HandleReflected(Message& m) {
  if (m.Msg != WM_COMMAND) return WinControl::HandleReflected(m);
  switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE: {
      const int index = ItemIndex();
      if (index < 0) return true;
      itemIndex_ = index;
      // The edit field takes the item's text only after this notification; the
      // handler already reads the chosen text.
      if (style_ == ComboStyle::DropDown) {
        text_ = items_[static_cast<size_t>(index)];
        SetWindowTextW(Handle(), text_.c_str());
      }
      if (OnSelect) OnSelect();
      return true;
    }
    case CBN_EDITCHANGE:
      text_ = Text();
      if (OnChange) OnChange();
      return true;
    default:
      break;
  }
  return WinControl::HandleReflected(m);
}

}  // namespace tessora::tk
