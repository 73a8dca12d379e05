#pragma once
// The standard combo box, with an edit field (DropDown) or as a drop-down list without
// one (DropDownList). Items keep the order they are added in; typed text is never
// completed from them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace tessora::tk {

enum class ComboStyle { DropDown, DropDownList };

class ComboBox : public WinControl {
 public:
  explicit ComboBox(Component* owner);

  ComboStyle Style() const { return style_; }
  // Re-creates a live window, keeping items, selection and text.
  void SetStyle(ComboStyle style);

  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::wstring& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
  void AddItem(const std::wstring& text);
  void InsertItem(int index, const std::wstring& text);
  void DeleteItem(int index);
  void ClearItems();

  // The selected item, -1 for none. Setting it raises no event; with an edit field the
  // field shows the item's text (or is emptied for -1).
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The edit field's text, or the selected item's in a list without one.
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  // Selects part of the edit field's text (a length of 0 puts the caret at start).
  void SetSelection(int start, int length);
  bool DroppedDown() const;

  // The user chose an item: from the open list or with the arrow keys. Typing in the
  // edit field raises OnChange, never OnSelect.
  std::function<void()> OnSelect;
  std::function<void()> OnChange;

  void SetBounds(int left, int top, int width, int height) override;
  std::vector<HWND> HintWindows() override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void HandleCreated() override;
  void FontChanged() override;
  bool HandleReflected(Message& message) override;

 private:
  HWND Wnd() const;
  // Sizes the closed box to Height(): its height follows the item height, not the window's.
  void FitHeight();

  ComboStyle style_ = ComboStyle::DropDown;
  std::vector<std::wstring> items_;
  int itemIndex_ = -1;
  std::wstring text_;
  int dropDownHeight_ = 160;
};

}  // namespace tessora::tk
