#include "toolkit/PopupMenu.h"

#include <windowsx.h>

#include <utility>

#include "toolkit/Application.h"

namespace tessora::tk {

namespace {

class MenuHandle {
 public:
  MenuHandle() : menu_(CreatePopupMenu()) {}
  ~MenuHandle() {
    if (menu_) DestroyMenu(menu_);
  }
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

}  // namespace

PopupMenu::PopupMenu(Component* owner) : Component(owner) {}

PopupMenu::~PopupMenu() { *alive_ = false; }

MenuItem* PopupMenu::Add(const std::wstring& caption, std::function<void()> onClick) {
  items_.push_back(std::make_unique<MenuItem>(caption));
  items_.back()->OnClick = std::move(onClick);
  return items_.back().get();
}

void PopupMenu::AttachTo(WinControl& control) {
  WinControl* target = &control;
  // The hook lives in the control's own chain, so it never runs without the control;
  // the registration goes with the menu.
  attachments_.push_back(control.AddMessageHook([this, target](Message& m) {
    if (m.Msg != WM_CONTEXTMENU) return false;
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (p.x == -1 && p.y == -1) {  // from the keyboard
      p = {0, 0};
      target->Perform(CM_POPUPANCHOR, 0, reinterpret_cast<LPARAM>(&p));
      ClientToScreen(target->Handle(), &p);
    }
    PopupFor(target, p.x, p.y);
    m.Result = 0;
    return true;
  }));
}

bool PopupMenu::Popup(int x, int y) { return PopupFor(nullptr, x, y); }

bool PopupMenu::PopupFor(WinControl* control, int x, int y) {
  const std::shared_ptr<bool> alive = alive_;
  popupControl_ = control;
  if (OnPopup) OnPopup();
  if (!*alive) return false;

  // Made afresh for every opening from the items as OnPopup left them, so there is no
  // second copy of their state to keep in step.
  MenuHandle menu;
  if (!menu.Get()) return false;
  int defaultPosition = -1;
  UINT position = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    const MenuItem& item = *items_[i];
    if (!item.Visible) continue;
    if (item.IsSeparator()) {
      AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    } else {
      const UINT flags = MF_STRING | (item.Enabled ? MF_ENABLED : MF_GRAYED) | (item.Checked ? MF_CHECKED : 0);
      AppendMenuW(menu.Get(), flags, i + 1, item.Caption.c_str());
      if (item.Default && defaultPosition < 0) defaultPosition = static_cast<int>(position);
    }
    ++position;
  }
  if (defaultPosition >= 0) SetMenuDefaultItem(menu.Get(), static_cast<UINT>(defaultPosition), TRUE);

  HWND owner = control && control->HandleAllocated() ? GetAncestor(control->Handle(), GA_ROOT) : GetActiveWindow();
  if (!owner) owner = App().Handle();
  // The choice comes back here rather than as a WM_COMMAND to the owner: the click runs
  // right after the menu closes, whichever window owns it, and no command can arrive
  // once the menu or its form is gone.
  const UINT id = static_cast<UINT>(
      TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, owner, nullptr));
  if (!*alive) return false;
  MenuItem* chosen = id >= 1 && id <= items_.size() ? items_[id - 1].get() : nullptr;
  if (chosen) {
    // A copy: the handler may free the menu, and the item with it.
    const std::function<void()> handler = chosen->OnClick;
    if (handler) handler();
  }
  if (*alive) popupControl_ = nullptr;
  return chosen != nullptr;
}

}  // namespace tessora::tk
