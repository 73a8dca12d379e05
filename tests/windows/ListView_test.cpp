// The report list view in a real window, with real input: its styles and columns, the
// events of mouse and keyboard, custom drawing on screen, and a bulk fill.
#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <atomic>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "SaverListFixture.h"
#include "UiDriver.h"
#include "WineTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/Hints.h"
#include "toolkit/ListView.h"

using namespace tessora;
using namespace tessora::uitest;

namespace {

struct PressRecord {
  tk::MouseButton button;
  WPARAM keys;
  int x, y;
};

class ListViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  void SetUp() override {
    list_ = listtest::AddSaverList(form_, static_cast<HFONT>(font_.Get()));
    list_->OnMouseDown = [this](tk::MouseButton button, WPARAM keys, int x, int y) {
      presses_.push_back({button, keys, x, y});
      events_.push_back("down");
      ++pressCount_;
    };
    list_->OnDblClick = [this] { events_.push_back("dblclick"); };
  }

  void AddRows(int count) {
    for (int i = 0; i < count; ++i) list_->AddItem(L"星空 " + std::to_wstring(i), {std::to_wstring(i * 10), L"標準"});
  }

  void ShowForm() {
    form_.Show();
    SetForegroundWindow(form_.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form_.Handle(); }, 3000));
    UpdateWindow(form_.Handle());
    PumpFor(50);
  }

  POINT ScreenPoint(int x, int y) {
    POINT p{x, y};
    ClientToScreen(list_->Handle(), &p);
    return p;
  }

  // The centre of a row's cell, in client coordinates.
  POINT CellCentre(int item, int column) {
    RECT r{LVIR_BOUNDS, column, 0, 0};
    SendMessageW(list_->Handle(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    if (column == 0) r.right = r.left + list_->ColumnWidth(0);
    return CentreOf(r);
  }

  // Runs input on a driver thread while this thread pumps.
  void Drive(std::function<void(Driver&)> script, DWORD timeoutMs = 15000) {
    EXPECT_EQ(uitest::Drive(std::move(script), timeoutMs), "");
  }

  tk::GdiObject font_ = tk::MakeFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  tk::Form form_{nullptr};
  tk::ListView* list_ = nullptr;
  std::vector<PressRecord> presses_;
  std::vector<std::string> events_;
  std::atomic<int> pressCount_{0};
};

// The version of the common controls that made the list view's window: the test
// carries the program's manifest, so it is version 6, as in Tessora.scr.
TEST_F(ListViewTest, TheListComesFromCommonControls6) {
  HWND wnd = list_->Handle();
  HMODULE module = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCWSTR>(GetClassLongPtrW(wnd, GCLP_WNDPROC)), &module));
  using GetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
  auto getVersion = reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
  ASSERT_NE(getVersion, nullptr);
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  ASSERT_EQ(getVersion(&info), S_OK);
  wchar_t name[MAX_PATH] = {};
  GetModuleFileNameW(module, name, MAX_PATH);
  std::wstring path = name;
  CharLowerW(path.data());
  // Wine's copy in the version 6 assembly reports 5 as its version: its folder tells.
  const bool fromAssembly6 = path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.") != std::wstring::npos;
  EXPECT_TRUE(info.dwMajorVersion == 6 || fromAssembly6) << Narrow(name) << " says " << info.dwMajorVersion;
}

TEST_F(ListViewTest, ReportStylesAndAFirstColumnThatFillsWhatTheOthersLeave) {
  HWND wnd = list_->Handle();
  ASSERT_NE(wnd, nullptr);
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(style & LVS_EDITLABELS);
  EXPECT_TRUE(style & WS_TABSTOP);
  const LRESULT ex = SendMessageW(wnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  HWND header = reinterpret_cast<HWND>(SendMessageW(wnd, LVM_GETHEADER, 0, 0));
  EXPECT_FALSE(GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS) << "header items must not act as buttons";

  const int formats[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_CENTER};
  const wchar_t* captions[] = {L"ｽｸﾘｰﾝｾｰﾊﾞｰ名", L"秒", L"頻度"};
  for (int i = 0; i < 3; ++i) {
    wchar_t text[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 32;
    ASSERT_TRUE(SendMessageW(wnd, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, formats[i]) << "column " << i;
    EXPECT_STREQ(text, captions[i]);
  }

  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(list_->ColumnWidth(0), client.right - 80);
  EXPECT_EQ(list_->ColumnWidth(1), 40);
  EXPECT_EQ(list_->ColumnWidth(2), 40);

  // More rows than fit: the vertical scroll bar takes its width from the first column.
  ShowForm();
  AddRows(30);
  PumpFor(50);
  RECT narrower;
  GetClientRect(wnd, &narrower);
  ASSERT_LT(narrower.right, client.right) << "a vertical scroll bar was expected";
  EXPECT_EQ(list_->ColumnWidth(0), narrower.right - 80);
  EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_HSCROLL) << "the columns fit the client width";

  // Too narrow for the others and the minimum: the minimum holds.
  list_->SetWidth(110);
  PumpFor(50);
  EXPECT_EQ(list_->ColumnWidth(0), 50);
  list_->SetWidth(230);
  PumpFor(50);
  GetClientRect(wnd, &narrower);
  EXPECT_EQ(list_->ColumnWidth(0), narrower.right - 80);
}

TEST_F(ListViewTest, DraggedDividersStopAtTheMinimumAndTheFirstColumnTakesTheRest) {
  ShowForm();
  HWND wnd = list_->Handle();
  HWND header = reinterpret_cast<HWND>(SendMessageW(wnd, LVM_GETHEADER, 0, 0));
  RECT client;
  GetClientRect(wnd, &client);
  struct Case {
    int column;
    int dx;
    int expected;
  };
  const Case cases[] = {
      {1, -100, 20},  // far past the minimum of 20
      {1, +30, 50},
      {2, -60, 0},    // no minimum
  };
  for (const Case& c : cases) {
    RECT item;
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(c.column), reinterpret_cast<LPARAM>(&item));
    // A column of 20 pixels or less has no divider zone of its own: its right edge is
    // taken at the start of the next column, as a user would.
    POINT divider{c.column + 1 < list_->ColumnCount() ? item.right + 2 : item.right - 2, (item.top + item.bottom) / 2};
    ClientToScreen(header, &divider);
    Drive([&](Driver& d) {
      Sleep(GetDoubleClickTime() + 50);  // the last case's release is no first click of a double click
      if (!MoveTo(divider)) return d.Fail("pointer");
      ButtonEvent(Button::Left, true);
      const int steps = 10;
      for (int i = 1; i < steps; ++i) {
        SetCursorPos(divider.x + c.dx * i / steps, divider.y);
        Sleep(20);
      }
      if (!MoveTo({divider.x + c.dx, divider.y})) d.Fail("pointer at the end of the drag");
      ButtonEvent(Button::Left, false);
      Sleep(40);
    });
    EXPECT_EQ(list_->ColumnWidth(c.column), c.expected) << "column " << c.column << " dragged by " << c.dx;
    const int others = list_->ColumnWidth(1) + list_->ColumnWidth(2);
    EXPECT_TRUE(PumpUntil([&] { return list_->ColumnWidth(0) == client.right - others; }, 2000))
        << "the first column fills after the drag: " << list_->ColumnWidth(0) << " of " << client.right - others;
  }
}

TEST_F(ListViewTest, EveryPressReportsButtonKeysAndPositionBeforeTheListActsAndSelectsTheWholeRow) {
  AddRows(5);
  ShowForm();
  struct Case {
    const char* what;
    Button button;
    bool shift;
    int row, column;  // row -1: below the rows
    tk::MouseButton expectedButton;
    WPARAM expectedKey;
    int expectedSelection;  // -2: the press leaves the selection alone
  };
  const Case cases[] = {
      {"left on a sub-item", Button::Left, false, 2, 1, tk::MouseButton::Left, MK_LBUTTON, 2},
      {"shift+left", Button::Left, true, 3, 2, tk::MouseButton::Left, MK_LBUTTON, 3},
      {"right", Button::Right, false, 1, 0, tk::MouseButton::Right, MK_RBUTTON, 1},
      {"middle", Button::Middle, false, 4, 1, tk::MouseButton::Middle, MK_MBUTTON, -2},
      {"left below the rows", Button::Left, false, -1, 1, tk::MouseButton::Left, MK_LBUTTON, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = list_->SelectedIndex();
    POINT client = c.row >= 0 ? CellCentre(c.row, c.column) : POINT{CellCentre(0, c.column).x, 170};
    const POINT screen = ScreenPoint(client.x, client.y);
    const int pressesBefore = pressCount_;
    bool heldWhenReported = false;
    Drive([&](Driver& d) {
      if (!MoveTo(screen)) d.Fail("pointer");
      // After the move: under Wine a pointer move resets the modifiers to the X server's.
      if (c.shift) KeyEvent(VK_SHIFT, true);
      Sleep(20);
      ButtonEvent(c.button, true);
      // The event comes with the press, not with the release.
      heldWhenReported = WaitUntil([&] { return pressCount_ > pressesBefore; }, 3000);
      ButtonEvent(c.button, false);
      if (c.shift) KeyEvent(VK_SHIFT, false);
      Sleep(60);
    });
    EXPECT_TRUE(heldWhenReported);
    ASSERT_EQ(pressCount_, pressesBefore + 1);
    const PressRecord& p = presses_.back();
    EXPECT_EQ(p.button, c.expectedButton);
    EXPECT_TRUE(p.keys & c.expectedKey);
    EXPECT_EQ((p.keys & MK_SHIFT) != 0, c.shift);
    EXPECT_EQ(p.x, client.x);
    EXPECT_EQ(p.y, client.y);
    EXPECT_EQ(list_->ItemAt(p.x, p.y), c.row);
    EXPECT_EQ(list_->SelectedIndex(), c.expectedSelection == -2 ? before : c.expectedSelection);
    EXPECT_EQ(SendMessageW(list_->Handle(), LVM_GETSELECTEDCOUNT, 0, 0), list_->SelectedIndex() >= 0 ? 1 : 0);
  }

  // A double click: two presses, then the double click once the list has seen it.
  events_.clear();
  const POINT cell = CellCentre(4, 0);
  const POINT screen = ScreenPoint(cell.x, cell.y);
  Drive([&](Driver& d) {
    if (!MoveTo(screen)) d.Fail("pointer");
    for (int i = 0; i < 2; ++i) {
      ButtonEvent(Button::Left, true);
      Sleep(20);
      ButtonEvent(Button::Left, false);
      Sleep(20);
    }
    Sleep(100);
  });
  EXPECT_EQ(events_, (std::vector<std::string>{"down", "down", "dblclick"}));
  EXPECT_EQ(list_->SelectedIndex(), 4);
}

TEST_F(ListViewTest, TheHintFollowsTheRowLastPressed) {
  AddRows(4);
  const std::vector<std::wstring> paths = {L"C:\\Savers\\星空 0.scr", L"C:\\Savers\\星空 1.scr",
                                           L"C:\\Savers\\星空 2.scr", L"C:\\Savers\\星空 3.scr"};
  // As the dialog's handler does: the row under the press, or none.
  list_->OnMouseDown = [&](tk::MouseButton, WPARAM, int x, int y) {
    const int row = list_->ItemAt(x, y);
    list_->SetHint(row >= 0 ? paths[static_cast<size_t>(row)] : L"");
  };
  form_.SetShowHint(true);
  ShowForm();
  tk::HintWindow* hints = form_.Hints();
  ASSERT_NE(hints, nullptr);
  const auto press = [&](int row, Button button) {
    const POINT cell = row >= 0 ? CellCentre(row, 1) : POINT{CellCentre(0, 1).x, 160};
    const POINT screen = ScreenPoint(cell.x, cell.y);
    Drive([&](Driver& d) {
      if (!ClickAt(screen, button)) d.Fail("pointer");
      Sleep(50);
      if (button == Button::Right) Press(VK_ESCAPE);
    });
  };
  // Hovers over the list (not over the row pressed) until the tooltip shows, or a while passes.
  const auto hover = [&](DWORD wait) {
    EXPECT_TRUE(ctltest::PointAtScreen(ScreenPoint(-40, 60)));  // off the list first
    PumpUntil([&] { return !hints->Showing(); }, 1000);
    EXPECT_TRUE(ctltest::PointAtScreen(ScreenPoint(CellCentre(0, 0).x, 120)));
    PumpUntil([&] { return hints->Showing(); }, wait);
    return hints->ShownText();
  };
  EXPECT_EQ(hover(1000), L"") << "none until a row is pressed";
  press(2, Button::Left);
  EXPECT_EQ(hover(2500), paths[2]);
  press(1, Button::Right);
  EXPECT_EQ(hover(2500), paths[1]) << "any button";
  press(-1, Button::Left);
  EXPECT_EQ(hover(1000), L"") << "a press beside the rows takes the hint away";
  ctltest::PointAtScreen(ScreenPoint(-40, 60));
}

TEST_F(ListViewTest, KeysMoveTheOneSelectedRowTabLeavesAndTheSelectionStaysInSightWithoutTheFocus) {
  form_.DialogKeys = true;
  AddRows(6);
  auto* other = new tk::ListView(&form_);
  other->SetParent(&form_);
  other->SetBounds(240, 49, 80, 60);
  other->Handle();
  ShowForm();
  list_->SetFocus();
  list_->SetSelectedIndex(0);
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_TRUE(PumpUntil([&] { return list_->SelectedIndex() == 2; }, 2000)) << list_->SelectedIndex();
  KeyEvent(VK_SHIFT, true);
  Press(VK_DOWN);
  KeyEvent(VK_SHIFT, false);
  EXPECT_TRUE(PumpUntil([&] { return list_->SelectedIndex() == 3; }, 2000));
  EXPECT_EQ(SendMessageW(list_->Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1) << "Shift does not extend the selection";
  Press(VK_END);
  EXPECT_TRUE(PumpUntil([&] { return list_->SelectedIndex() == 5; }, 2000));

  // Tab leaves the list for the next control in tab order, Shift+Tab comes back.
  Press(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return other->Focused(); }, 2000)) << "Tab moves on";
  EXPECT_EQ(list_->SelectedIndex(), 5);
  KeyEvent(VK_SHIFT, true);
  Press(VK_TAB);
  KeyEvent(VK_SHIFT, false);
  EXPECT_TRUE(PumpUntil([&] { return list_->Focused(); }, 2000)) << "Shift+Tab comes back";

  list_->SetSelectedIndex(1);
  other->SetFocus();
  PumpUntil([&] { return other->Focused(); }, 1000);
  UpdateWindow(list_->Handle());
  PumpFor(50);
  ASSERT_FALSE(list_->Focused());
  // A point of the row's last cell away from its text and the grid lines.
  RECT row = list_->ItemRect(1);
  const int x = row.right - 4;
  const POINT selected = ScreenPoint(x, (row.top + row.bottom) / 2);
  const RECT next = list_->ItemRect(2);
  const POINT plain = ScreenPoint(x, (next.top + next.bottom) / 2);
  EXPECT_NE(ScreenPixel(selected), ScreenPixel(plain)) << "the selected row is drawn apart without the focus";
  EXPECT_EQ(list_->SelectedIndex(), 1);
}

TEST_F(ListViewTest, CaptionsAreNotEditedInPlace) {
  AddRows(3);
  ShowForm();
  const POINT cell = CellCentre(1, 0);
  const POINT screen = ScreenPoint(cell.x, cell.y);
  // A click on the selected row's caption after the double-click time is the edit gesture.
  Drive([&](Driver& d) {
    if (!ClickAt(screen)) d.Fail("pointer");
    Sleep(GetDoubleClickTime() + 150);
    ClickAt(screen);
    Sleep(GetDoubleClickTime() + 300);
    Press(VK_F2);
    Sleep(200);
  });
  EXPECT_EQ(list_->SelectedIndex(), 1);
  EXPECT_EQ(FindWindowExW(list_->Handle(), nullptr, L"Edit", nullptr), nullptr);
  EXPECT_EQ(SendMessageW(list_->Handle(), LVM_EDITLABELW, 1, 0), 0);
  EXPECT_EQ(FindWindowExW(list_->Handle(), nullptr, L"Edit", nullptr), nullptr);
}

TEST_F(ListViewTest, CustomDrawGreysTheMarkedRowInEveryColumn) {
  list_->AddItem(L"星空", {L"30", L"標準"}, 0);
  list_->AddItem(L"見つからない", {L"45", L"高め"}, 1);  // the marked row
  list_->AddItem(L"泡", {L"", L"低"}, 0);
  list_->SetItemText(2, 1, L"5");
  ShowForm();
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const COLORREF black = GetSysColor(COLOR_WINDOWTEXT);
  struct Case {
    const char* what;
    bool subItemHandler;
    std::vector<std::string> expectedEvents;
  };
  const Case cases[] = {
      {"row handler only", false, {"item 0", "item 1", "item 2"}},
      {"row and sub-item handlers", true,
       {"item 0", "sub 0.1", "sub 0.2", "item 1", "sub 1.1", "sub 1.2", "item 2", "sub 2.1", "sub 2.2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> events;
    list_->OnCustomDrawItem = [&](tk::ListDraw& draw) {
      events.push_back("item " + std::to_string(draw.Item));
      draw.TextColor = list_->ItemData(draw.Item) ? grey : black;
    };
    list_->OnCustomDrawSubItem = nullptr;
    if (c.subItemHandler) {
      list_->OnCustomDrawSubItem = [&](tk::ListDraw& draw) {
        events.push_back("sub " + std::to_string(draw.Item) + "." + std::to_string(draw.SubItem));
        EXPECT_EQ(draw.TextColor, list_->ItemData(draw.Item) ? grey : black) << "a sub-item starts in the row's colour";
        draw.TextColor = list_->ItemData(draw.Item) ? grey : black;
      };
    }
    InvalidateRect(list_->Handle(), nullptr, TRUE);
    UpdateWindow(list_->Handle());
    EXPECT_EQ(events, c.expectedEvents);
    PumpFor(30);

    RECT client;
    GetClientRect(list_->Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(list_->Handle(), &origin);
    OffsetRect(&client, origin.x, origin.y);
    const ScreenShot shot(client);
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        RECT cell{LVIR_BOUNDS, column, 0, 0};
        SendMessageW(list_->Handle(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        if (column == 0) cell.right = cell.left + list_->ColumnWidth(0);
        InflateRect(&cell, -2, -2);  // off the grid lines
        OffsetRect(&cell, origin.x, origin.y);
        int darkest = 255;
        for (int y = cell.top; y < cell.bottom; ++y) {
          for (int x = cell.left; x < cell.right; ++x) darkest = std::min(darkest, Luma(shot.At(x, y)));
        }
        if (row == 1) {
          EXPECT_NEAR(darkest, Luma(grey), 16) << "row " << row << " column " << column << ": grey text";
        } else {
          EXPECT_LT(darkest, 70) << "row " << row << " column " << column << ": black text";
        }
      }
    }
  }
}

TEST_F(ListViewTest, FiveThousandRowsFillWithoutADrawPerRow) {
  ShowForm();
  int paints = 0;
  list_->OnCustomDrawItem = [&](tk::ListDraw&) { ++paints; };
  const ULONGLONG start = GetTickCount64();
  list_->BeginUpdate();
  list_->SetCapacity(5000);
  for (int i = 0; i < 5000; ++i) {
    list_->AddItem(L"星空 " + std::to_wstring(i), {std::to_wstring(i), L"標準"});
    if (i % 1000 == 0) PumpFor(0);  // whatever is asked for meanwhile gets handled
  }
  const int paintsWhileFilling = paints;
  list_->EndUpdate();
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_EQ(paintsWhileFilling, 0);
  EXPECT_EQ(list_->ItemCount(), 5000);
  EXPECT_EQ(list_->ItemText(4999, 0), L"星空 4999");
  EXPECT_EQ(list_->ItemText(4999, 1), L"4999");
  EXPECT_TRUE(PumpUntil([&] { return paints > 0; }, 3000)) << "drawn once the update ends";
  RECT client;
  GetClientRect(list_->Handle(), &client);
  EXPECT_EQ(list_->ColumnWidth(0), client.right - 80) << "the columns fit once the update ends";
  EXPECT_LT(elapsed, 30000u) << "generous bound only";
  RecordProperty("fill_ms", static_cast<int>(elapsed));
}

TEST_F(ListViewTest, OwnerKeptRowsAreAskedForOnlyWhenShownAndFoundByTyping) {
  std::vector<int> asked;
  std::wstring third = L"Cosmos";
  list_->OnCellText = [&](int item, int column) -> std::wstring {
    asked.push_back(item);
    if (column == 0) return item == 3 ? third : L"星空 " + std::to_wstring(item);
    return column == 1 ? std::to_wstring(item * 10) : L"標準";
  };
  int draws = 0;
  list_->OnCustomDrawItem = [&](tk::ListDraw&) { ++draws; };
  list_->SetRowCount(5000);
  ShowForm();
  EXPECT_TRUE(GetWindowLongW(list_->Handle(), GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_EQ(list_->ItemCount(), 5000);
  EXPECT_GT(draws, 0);
  ASSERT_FALSE(asked.empty());
  EXPECT_LT(*std::max_element(asked.begin(), asked.end()), 100) << "rows out of sight were asked for";
  EXPECT_EQ(list_->ItemText(4999, 0), L"星空 4999");
  EXPECT_EQ(list_->ItemText(4999, 1), L"49990");
  // The window keeps no rows of its own.
  EXPECT_EQ(list_->AddItem(L"extra"), -1);
  EXPECT_EQ(list_->ItemCount(), 5000);

  // The first letters typed select the next row they begin, whatever their case.
  list_->SetSelectedIndex(0);
  SetFocus(list_->Handle());
  Type(L"c");
  EXPECT_TRUE(PumpUntil([&] { return list_->SelectedIndex() == 3; }, 3000)) << list_->SelectedIndex();

  // A changed row shows its new text once redrawn; fewer rows keep the selection in range.
  third = L"Nebula";
  list_->RedrawRows(3, 3);
  EXPECT_EQ(list_->ItemText(3, 0), L"Nebula");
  list_->SetRowCount(2);
  EXPECT_EQ(list_->ItemCount(), 2);
  EXPECT_EQ(list_->ItemAt(CellCentre(1, 0).x, CellCentre(1, 0).y), 1);
}

TEST_F(ListViewTest, RowsKeepTheirTextsAndValuesThroughInsertExchangeAndDelete) {
  const std::wstring longName(300, L'長');
  list_->AddItem(L"a", {L"1", L"低"}, 10);
  list_->AddItem(longName, {L"2", L"高"}, 20);
  list_->InsertItem(0, L"first", {L"0"}, 5);
  EXPECT_EQ(list_->ItemCount(), 3);
  EXPECT_EQ(list_->ItemText(2, 0), longName) << "a caption longer than the first buffer";
  EXPECT_EQ(list_->ItemText(0, 2), L"");
  list_->SetSelectedIndex(1);
  list_->ExchangeItems(1, 2);
  EXPECT_EQ(list_->ItemText(1, 0), longName);
  EXPECT_EQ(list_->ItemText(1, 1), L"2");
  EXPECT_EQ(list_->ItemText(1, 2), L"高");
  EXPECT_EQ(list_->ItemData(1), 20);
  EXPECT_EQ(list_->ItemText(2, 0), L"a");
  EXPECT_EQ(list_->ItemData(2), 10);
  EXPECT_EQ(list_->SelectedIndex(), 1) << "the selection stays at its index";
  list_->ExchangeItems(2, 3);  // no such row: nothing happens
  EXPECT_EQ(list_->ItemText(2, 0), L"a");
  list_->DeleteItem(0);
  EXPECT_EQ(list_->ItemText(0, 0), longName);
  list_->SetSelectedIndex(-1);
  EXPECT_EQ(list_->SelectedIndex(), -1);
  list_->Clear();
  EXPECT_EQ(list_->ItemCount(), 0);
  EXPECT_EQ(list_->ItemAt(10, 10), -1);
}

}  // namespace
