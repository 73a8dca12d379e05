#include "toolkit/Reflection.h"

namespace tessora::tk {

namespace {
HWND FromLParam(const Message& m, HWND) { return reinterpret_cast<HWND>(m.LParam); }
HWND FromWParam(const Message& m, HWND) { return reinterpret_cast<HWND>(m.WParam); }
HWND FromNotifyHeader(const Message& m, HWND) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  return header ? header->hwndFrom : nullptr;
}
HWND FromDrawItem(const Message& m, HWND) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  // A menu's item names a menu handle there, not a window.
  return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
}
HWND FromMeasureItem(const Message& m, HWND self) {
  const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
  return item && item->CtlType != ODT_MENU && self ? GetDlgItem(self, static_cast<int>(item->CtlID)) : nullptr;
}

struct Rule {
  UINT Msg;
  HWND (*Source)(const Message&, HWND self);
};

// clang-format off
constexpr Rule kRules[] = {
    {WM_COMMAND, FromLParam},          // 0 from menus and accelerators
    {WM_NOTIFY, FromNotifyHeader},
    {WM_DRAWITEM, FromDrawItem},
    {WM_MEASUREITEM, FromMeasureItem},
    {WM_CTLCOLORMSGBOX, FromLParam},
    {WM_CTLCOLOREDIT, FromLParam},
    {WM_CTLCOLORLISTBOX, FromLParam},
    {WM_CTLCOLORBTN, FromLParam},
    {WM_CTLCOLORDLG, FromLParam},
    {WM_CTLCOLORSCROLLBAR, FromLParam},
    {WM_CTLCOLORSTATIC, FromLParam},
    {WM_HSCROLL, FromLParam},          // 0 for the window's own scroll bar
    {WM_VSCROLL, FromLParam},
    {WM_CONTEXTMENU, FromWParam},      // the window under the click, maybe the parent itself
};
// clang-format on
}  // namespace

HWND NotificationSource(const Message& message, HWND self) {
  for (const Rule& rule : kRules) {
    if (rule.Msg != message.Msg) continue;
    HWND source = rule.Source(message, self);
    return source == self ? nullptr : source;
  }
  return nullptr;
}

}  // namespace tessora::tk
