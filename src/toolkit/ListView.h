#pragma once
// A report-style list view (the common controls' list view): columns with a header,
// one of which may take the width the others leave; grid lines; whole rows selected,
// one at a time, and still shown selected without the focus; no editing in place;
// headers that do nothing when clicked. The rows live in the window, so the control
// needs its parent before rows are added.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/GraphicControl.h"

namespace tessora::tk {

enum class ColumnAlignment { Left, Center, Right };

struct ListColumn {
  std::wstring Caption;
  int Width = 50;
  // The user cannot drag the column narrower; a filling column never gets narrower.
  int MinWidth = 0;
  // The first column is always left-aligned (the list view's own rule).
  ColumnAlignment Alignment = ColumnAlignment::Left;
  // Takes the client width the other columns leave (the first such column only).
  bool Fill = false;
};

// One custom-draw step: a row's caption (SubItem 0) or one of its sub-items, about to
// be drawn. A handler may change the colours; CLR_DEFAULT leaves the list's own.
struct ListDraw {
  HDC Dc = nullptr;
  int Item = -1;
  int SubItem = 0;
  UINT State = 0;  // CDIS_* of the row
  COLORREF TextColor = CLR_DEFAULT;
  COLORREF BackColor = CLR_DEFAULT;
  // False: the handler drew it itself and the list draws nothing there.
  bool DefaultDraw = true;
};

class ListView : public WinControl {
 public:
  explicit ListView(Component* owner);

  // Columns may be added before the window exists.
  int AddColumn(const ListColumn& column);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const ListColumn& Column(int index) const { return columns_.at(static_cast<size_t>(index)); }
  // The width on screen now.
  int ColumnWidth(int column);

  int ItemCount();
  // Appends a row: its caption, the texts of the columns after the first, and a value
  // that stays with the row. Returns its index, or -1.
  int AddItem(const std::wstring& caption, const std::vector<std::wstring>& subItems = {}, LPARAM data = 0);
  int InsertItem(int index, const std::wstring& caption, const std::vector<std::wstring>& subItems = {},
                 LPARAM data = 0);
  void DeleteItem(int index);
  void Clear();
  // Column 0 is the caption.
  std::wstring ItemText(int item, int column = 0);
  void SetItemText(int item, int column, const std::wstring& text);
  LPARAM ItemData(int item);
  void SetItemData(int item, LPARAM data);
  // Swaps the texts and values of two rows; the selection stays at its index.
  void ExchangeItems(int a, int b);

  // The selected row, or -1.
  int SelectedIndex();
  // Selects and focuses a row and scrolls it into view; -1 clears the selection.
  void SetSelectedIndex(int index);
  // The row at a point of the client area (any column of it), or -1.
  int ItemAt(int x, int y);
  // The whole row's rectangle in client coordinates (empty for no such row).
  RECT ItemRect(int item);

  // Rows the owner keeps instead of the window, for lists of thousands: the list asks
  // for a cell's text (column 0 is the caption) only when it shows or searches it.
  // Set before the window is made. Such a list's rows come from SetRowCount; AddItem,
  // InsertItem, SetItemText, item data and ExchangeItems then do nothing.
  std::function<std::wstring(int item, int column)> OnCellText;
  bool OwnerData() const { return static_cast<bool>(OnCellText); }
  // Owner-kept rows: how many there are now; all are shown again, the scroll position
  // stays where it can.
  void SetRowCount(int rows);
  // Owner-kept rows: rows first to last are shown again.
  void RedrawRows(int first, int last);

  // Between the two, rows are added without a redraw or a column fit for each; the
  // pairs nest. Capacity tells the list how many rows to make room for.
  void BeginUpdate();
  void EndUpdate();
  void SetCapacity(int rows);

  // Custom drawing: the row (its caption), then each sub-item. A sub-item starts with
  // the colours the row's handler chose.
  std::function<void(ListDraw& draw)> OnCustomDrawItem;
  std::function<void(ListDraw& draw)> OnCustomDrawSubItem;
  // Every press of a mouse button over the list, the second press of a double click
  // included, before the list handles it. Keys are the MK_* flags, x and y client
  // coordinates.
  std::function<void(MouseButton button, WPARAM keys, int x, int y)> OnMouseDown;
  // A double click of the left button, after the list handled it.
  std::function<void()> OnDblClick;
  // A hint that follows the row last pressed is the OnMouseDown handler's SetHint.

 protected:
  void FillCreateParams(CreateParams& params) override;
  void HandleCreated() override;
  void WndProc(Message& message) override;
  bool HandleReflected(Message& message) override;

 private:
  HWND Header();
  void InsertColumnWindow(int index);
  // Gives the filling column what the others leave of the client width.
  void FitColumns();
  // Keeps a header drag from taking a column below its minimum; true when refused.
  bool RefuseNarrowing(const NMHDR& header);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  // Owner-kept rows: the text of a cell the list asks for, and the row that starts
  // with what the user typed.
  void GiveCellText(NMLVDISPINFOW& info);
  int FindRow(const NMLVFINDITEMW& find);

  std::vector<ListColumn> columns_;
  int updateDepth_ = 0;
  bool fitting_ = false;
  // A header divider is being dragged.
  bool tracking_ = false;
  // The colours the handler of the row being drawn chose, for its sub-items.
  COLORREF rowText_ = CLR_DEFAULT;
  COLORREF rowBack_ = CLR_DEFAULT;
};

}  // namespace tessora::tk
