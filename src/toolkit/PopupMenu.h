#pragma once
// A pop-up menu: items with "&" accelerators, separators ("-"), one default item drawn
// bold, an event just before it opens, and controls it is attached to (a right click on
// them or the context-menu key opens it).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Control.h"

namespace tessora::tk {

// To a control, when its menu opens from the keyboard: lParam points to a POINT to be
// set to where the menu belongs, in client coordinates; a nonzero result says it was.
// Controls that do not answer get the menu at their top-left corner.
constexpr UINT CM_POPUPANCHOR = WM_APP + 0x3F10;

class MenuItem {
 public:
  explicit MenuItem(std::wstring caption) : Caption(std::move(caption)) {}

  std::wstring Name;
  // "-" makes a separator.
  std::wstring Caption;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  // Drawn bold; the first visible default item of the menu counts.
  bool Default = false;
  std::function<void()> OnClick;

  bool IsSeparator() const { return Caption == L"-"; }
};

class PopupMenu : public Component {
 public:
  explicit PopupMenu(Component* owner);
  ~PopupMenu() override;

  // The item stays owned by the menu and keeps its address.
  MenuItem* Add(const std::wstring& caption, std::function<void()> onClick = {});
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  // Right clicks on the control and its context-menu key open this menu. A menu may
  // serve several controls; the attachment ends with the menu or with the control.
  void AttachTo(WinControl& control);

  // Shows the menu at a screen point (OnPopup first) and, once it is closed, runs the
  // chosen item's OnClick. True when an item was chosen.
  bool Popup(int x, int y);
  // The control the menu is open for, while OnPopup and OnClick run (null otherwise).
  WinControl* PopupControl() const { return popupControl_; }

  std::function<void()> OnPopup;

 private:
  bool PopupFor(WinControl* control, int x, int y);

  std::vector<std::unique_ptr<MenuItem>> items_;
  std::vector<MessageHookRegistration> attachments_;
  WinControl* popupControl_ = nullptr;
  // False once the menu is destroyed; a popup running then touches nothing more.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tessora::tk
