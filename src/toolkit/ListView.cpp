#include "toolkit/ListView.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "toolkit/PopupMenu.h"

namespace tessora::tk {

namespace {

// Posted to itself after the user has dragged a header divider (in the toolkit's range
// of private messages; the list view itself uses none of WM_APP).
constexpr UINT kFitColumns = WM_APP + 0x3F20;

int ColumnFormat(ColumnAlignment alignment) {
  switch (alignment) {
    case ColumnAlignment::Center:
      return LVCFMT_CENTER;
    case ColumnAlignment::Right:
      return LVCFMT_RIGHT;
    case ColumnAlignment::Left:
      break;
  }
  return LVCFMT_LEFT;
}

bool IsHeaderWidthChange(UINT code) {
  return code == HDN_ITEMCHANGINGW || code == HDN_ITEMCHANGINGA;
}

bool IsHeaderBeginTrack(UINT code) { return code == HDN_BEGINTRACKW || code == HDN_BEGINTRACKA; }
bool IsHeaderEndTrack(UINT code) { return code == HDN_ENDTRACKW || code == HDN_ENDTRACKA; }

}  // namespace

ListView::ListView(Component* owner) : WinControl(owner) {
  tabStop_ = true;
  width_ = 250;
  height_ = 150;
}

void ListView::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = WC_LISTVIEWW;
  // No LVS_EDITLABELS: captions are not edited in place. LVS_NOSORTHEADER: header
  // items are not buttons, so a click neither sorts nor looks pressed.
  params.Style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
  if (OwnerData()) params.Style |= LVS_OWNERDATA;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void ListView::HandleCreated() {
  const DWORD ex = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  for (int i = 0; i < ColumnCount(); ++i) InsertColumnWindow(i);
  FitColumns();
}

HWND ListView::Header() {
  return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0)) : nullptr;
}

int ListView::AddColumn(const ListColumn& column) {
  columns_.push_back(column);
  const int index = ColumnCount() - 1;
  if (HandleAllocated()) {
    InsertColumnWindow(index);
    FitColumns();
  }
  return index;
}

void ListView::InsertColumnWindow(int index) {
  const ListColumn& c = Column(index);
  LVCOLUMNW lvc{};
  lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  lvc.fmt = ColumnFormat(c.Alignment);
  lvc.cx = std::max(c.Width, c.MinWidth);
  lvc.pszText = const_cast<wchar_t*>(c.Caption.c_str());
  lvc.iSubItem = index;
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lvc));
}

int ListView::ColumnWidth(int column) {
  if (!HandleAllocated()) return column >= 0 && column < ColumnCount() ? Column(column).Width : 0;
  return static_cast<int>(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListView::FitColumns() {
  // Not while a divider is dragged: the header measures the dragged column from where
  // its left edge is, and a fit that moved it would make the column grow on its own.
  if (fitting_ || tracking_ || updateDepth_ > 0 || !HandleAllocated()) return;
  const auto fill = std::find_if(columns_.begin(), columns_.end(), [](const ListColumn& c) { return c.Fill; });
  if (fill == columns_.end()) return;
  const int fillIndex = static_cast<int>(fill - columns_.begin());
  RECT client;
  GetClientRect(Handle(), &client);
  int others = 0;
  for (int i = 0; i < ColumnCount(); ++i) {
    if (i != fillIndex) others += ColumnWidth(i);
  }
  const int width = std::max(fill->MinWidth, static_cast<int>(client.right - client.left) - others);
  if (width == ColumnWidth(fillIndex)) return;
  // The new width may show or hide the horizontal scroll bar, and that resizes the
  // client area again: no second fit from inside this one.
  fitting_ = true;
  SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(fillIndex), MAKELPARAM(width, 0));
  fitting_ = false;
}

bool ListView::RefuseNarrowing(const NMHDR& header) {
  const auto& nm = reinterpret_cast<const NMHEADERW&>(header);
  if (!nm.pitem || !(nm.pitem->mask & HDI_WIDTH) || nm.iItem < 0 || nm.iItem >= ColumnCount()) return false;
  const int minimum = Column(nm.iItem).MinWidth;
  if (nm.pitem->cxy >= minimum) return false;
  // The header would ignore a width changed in the notification; refuse it and set the
  // minimum instead (that change passes this test), so a fast drag still ends there.
  if (ColumnWidth(nm.iItem) != minimum) {
    SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nm.iItem), MAKELPARAM(minimum, 0));
  }
  return true;
}

int ListView::ItemCount() {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListView::AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems, LPARAM data) {
  return InsertItem(ItemCount(), caption, subItems, data);
}

int ListView::InsertItem(int index, const std::wstring& caption, const std::vector<std::wstring>& subItems,
                         LPARAM data) {
  HWND wnd = Handle();
  if (!wnd || OwnerData()) return -1;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(caption.c_str());
  item.lParam = data;
  const int row = static_cast<int>(SendMessageW(wnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return -1;
  for (size_t i = 0; i < subItems.size(); ++i) SetItemText(row, static_cast<int>(i) + 1, subItems[i]);
  return row;
}

void ListView::DeleteItem(int index) {
  if (HandleAllocated()) SendMessageW(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void ListView::Clear() {
  if (OwnerData()) {
    SetRowCount(0);
  } else if (HandleAllocated()) {
    SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
  }
}

void ListView::SetRowCount(int rows) {
  if (!OwnerData() || !Handle()) return;
  SendMessageW(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(std::max(rows, 0)), LVSICF_NOSCROLL);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ListView::RedrawRows(int first, int last) {
  if (HandleAllocated()) SendMessageW(Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

void ListView::GiveCellText(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const std::wstring text = OnCellText(item.iItem, item.iSubItem);
  const size_t n = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
  std::copy_n(text.begin(), n, item.pszText);
  item.pszText[n] = L'\0';
}

int ListView::FindRow(const NMLVFINDITEMW& find) {
  // Typing in the list: the next row from the start row whose caption begins with the
  // typed letters, whatever their case, round to the top.
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
  const std::wstring typed = find.lvfi.psz;
  const int count = ItemCount();
  if (typed.empty() || count <= 0) return -1;
  const int start = std::clamp(find.iStart, 0, count - 1);
  for (int k = 0; k < count; ++k) {
    const int row = (start + k) % count;
    const std::wstring caption = OnCellText(row, 0);
    if (caption.size() >= typed.size() &&
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.c_str(), static_cast<int>(typed.size()),
                       typed.c_str(), static_cast<int>(typed.size())) == CSTR_EQUAL)
      return row;
    if (!(find.lvfi.flags & LVFI_WRAP) && row == count - 1) break;
  }
  return -1;
}

std::wstring ListView::ItemText(int item, int column) {
  if (!HandleAllocated()) return {};
  // LVM_GETITEMTEXT says how much it copied, not how long the text is: grow until it fits.
  std::wstring text(64, L'\0');
  for (;;) {
    LVITEMW lvi{};
    lvi.iSubItem = column;
    lvi.pszText = text.data();
    lvi.cchTextMax = static_cast<int>(text.size());
    const int n = static_cast<int>(
        SendMessageW(Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)));
    if (n < static_cast<int>(text.size()) - 1 || text.size() >= 0x10000) {
      text.resize(static_cast<size_t>(std::max(n, 0)));
      return text;
    }
    text.assign(text.size() * 2, L'\0');
  }
}

void ListView::SetItemText(int item, int column, const std::wstring& text) {
  if (!HandleAllocated() || OwnerData()) return;
  LVITEMW lvi{};
  lvi.iSubItem = column;
  lvi.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
}

LPARAM ListView::ItemData(int item) {
  if (!HandleAllocated() || OwnerData()) return 0;
  LVITEMW lvi{};
  lvi.mask = LVIF_PARAM;
  lvi.iItem = item;
  return SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lvi)) ? lvi.lParam : 0;
}

void ListView::SetItemData(int item, LPARAM data) {
  if (!HandleAllocated() || OwnerData()) return;
  LVITEMW lvi{};
  lvi.mask = LVIF_PARAM;
  lvi.iItem = item;
  lvi.lParam = data;
  SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lvi));
}

void ListView::ExchangeItems(int a, int b) {
  if (OwnerData()) return;
  const int count = ItemCount();
  if (a == b || a < 0 || b < 0 || a >= count || b >= count) return;
  const int columns = std::max(ColumnCount(), 1);
  for (int c = 0; c < columns; ++c) {
    const std::wstring textA = ItemText(a, c);
    SetItemText(a, c, ItemText(b, c));
    SetItemText(b, c, textA);
  }
  const LPARAM dataA = ItemData(a);
  SetItemData(a, ItemData(b));
  SetItemData(b, dataA);
}

int ListView::SelectedIndex() {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SetSelectedIndex(int index) {
  HWND wnd = Handle();
  if (!wnd) return;
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED;
  SendMessageW(wnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  if (index < 0 || index >= ItemCount()) return;
  LVITEMW set{};
  set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  set.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(wnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&set));
  SendMessageW(wnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int ListView::ItemAt(int x, int y) {
  if (!HandleAllocated()) return -1;
  // The sub-item test: with whole-row selection a point on any column counts.
  LVHITTESTINFO hit{};
  hit.pt = {x, y};
  SendMessageW(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & LVHT_ONITEM) ? hit.iItem : -1;
}

RECT ListView::ItemRect(int item) {
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  if (!HandleAllocated() ||
      !SendMessageW(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r))) {
    return {};
  }
  return r;
}

void ListView::BeginUpdate() {
  if (updateDepth_++ == 0 && HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  FitColumns();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ListView::SetCapacity(int rows) {
  if (OwnerData()) return;
  if (HWND wnd = Handle()) SendMessageW(wnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(std::max(rows, 0)), 0);
}

LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW& cd) {
  const DWORD stage = cd.nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) {
    return OnCustomDrawItem || OnCustomDrawSubItem ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  }
  if ((stage & CDDS_ITEMPREPAINT) != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const int item = static_cast<int>(cd.nmcd.dwItemSpec);
  const bool subItemStage = (stage & CDDS_SUBITEM) != 0;
  // The caption column comes once more as sub-item 0: it takes the row's colours, and
  // the row's handler has had its event already.
  if (subItemStage && cd.iSubItem == 0) {
    cd.clrText = rowText_;
    cd.clrTextBk = rowBack_;
    return CDRF_NEWFONT;
  }
  ListDraw draw;
  draw.Dc = cd.nmcd.hdc;
  draw.Item = item;
  draw.SubItem = subItemStage ? cd.iSubItem : 0;
  draw.State = cd.nmcd.uItemState;
  draw.TextColor = subItemStage ? rowText_ : cd.clrText;
  draw.BackColor = subItemStage ? rowBack_ : cd.clrTextBk;
  const auto& handler = subItemStage ? OnCustomDrawSubItem : OnCustomDrawItem;
  if (handler) handler(draw);
  cd.clrText = draw.TextColor;
  cd.clrTextBk = draw.BackColor;
  if (!subItemStage) {
    rowText_ = draw.TextColor;
    rowBack_ = draw.BackColor;
  }
  if (!draw.DefaultDraw) return CDRF_SKIPDEFAULT;
  LRESULT result = CDRF_NEWFONT;
  if (!subItemStage && OnCustomDrawSubItem) result |= CDRF_NOTIFYSUBITEMDRAW;
  return result;
}

bool ListView::HandleReflected(Message& m) {
  if (m.Msg != WM_NOTIFY) return WinControl::HandleReflected(m);
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  switch (header->code) {
    case NM_CUSTOMDRAW:
      m.Result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(m.LParam));
      return true;
    case LVN_GETDISPINFOW:
      if (!OwnerData()) return false;
      GiveCellText(*reinterpret_cast<NMLVDISPINFOW*>(m.LParam));
      m.Result = 0;
      return true;
    case LVN_ODFINDITEMW:
      if (!OwnerData()) return false;
      m.Result = FindRow(*reinterpret_cast<const NMLVFINDITEMW*>(m.LParam));
      return true;
    case LVN_BEGINLABELEDITW:
    case LVN_BEGINLABELEDITA:
      m.Result = TRUE;  // refused: no editing in place, even if asked for by a message
      return true;
    default:
      return false;
  }
}

void ListView::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const MouseButton button = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK   ? MouseButton::Left
                                 : m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONDBLCLK ? MouseButton::Right
                                                                                        : MouseButton::Middle;
      // Before the list's own handling: that runs a drag-detection loop which returns
      // only once the button is up or the mouse has moved away.
      if (OnMouseDown) OnMouseDown(button, m.WParam, GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      WinControl::WndProc(m);
      if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick();
      return;
    }
    case WM_SIZE:
      WinControl::WndProc(m);
      FitColumns();
      return;
    case WM_NOTIFY: {
      // The header is the list's own child: its notifications come here, not to the form.
      const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
      if (header && header->hwndFrom == Header()) {
        if (IsHeaderWidthChange(header->code) && RefuseNarrowing(*header)) {
          m.Result = TRUE;
          return;
        }
        if (IsHeaderBeginTrack(header->code)) tracking_ = true;
        if (IsHeaderEndTrack(header->code)) {
          tracking_ = false;
          // After the header has set the last width.
          PostMessageW(Handle(), kFitColumns, 0, 0);
        }
      }
      break;
    }
    case kFitColumns:
      FitColumns();
      return;
    case CM_POPUPANCHOR: {
      // Below the selected row's caption, as long as that row is in sight.
      const int selected = SelectedIndex();
      if (selected < 0) break;
      RECT row = ItemRect(selected), client;
      GetClientRect(Handle(), &client);
      RECT visible;
      if (!IntersectRect(&visible, &row, &client)) break;
      auto* p = reinterpret_cast<POINT*>(m.LParam);
      p->x = std::max(row.left, client.left) + 8;
      p->y = std::min(row.bottom, client.bottom);
      m.Result = TRUE;
      return;
    }
    default:
      break;
  }
  WinControl::WndProc(m);
}

}  // namespace tessora::tk
