// The pop-up menu of a list view, opened by real right clicks and the context-menu key,
// its items chosen with the mouse and by accelerator, and the bold default item on screen.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "SaverListFixture.h"
#include "UiDriver.h"
#include "toolkit/Application.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/PopupMenu.h"

using namespace tessora;
using namespace tessora::uitest;

namespace {

// What the driver saw of the open menu.
struct MenuSeen {
  HWND window = nullptr;
  HMENU menu = nullptr;
  RECT windowRect{};
  std::vector<std::wstring> captions;
  std::vector<UINT> states;
  int defaultItem = -2;
};

// Waits for the menu window and reads its items (from the driver thread).
bool SeeMenu(Driver& d, MenuSeen& seen) {
  seen.window = WaitForOwnWindow(L"#32768", 5000);
  if (!seen.window) {
    d.Fail("no menu window");
    return false;
  }
  seen.menu = reinterpret_cast<HMENU>(SendMessageW(seen.window, MN_GETHMENU, 0, 0));
  GetWindowRect(seen.window, &seen.windowRect);
  const int count = GetMenuItemCount(seen.menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(seen.menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    seen.captions.push_back(text);
    seen.states.push_back(GetMenuState(seen.menu, static_cast<UINT>(i), MF_BYPOSITION));
  }
  seen.defaultItem = static_cast<int>(GetMenuDefaultItem(seen.menu, TRUE, 0));
  return true;
}

bool WaitForMenuToClose(Driver& d, HWND menuWindow) {
  if (WaitUntil([&] { return !IsWindow(menuWindow) || !IsWindowVisible(menuWindow); }, 5000)) return true;
  d.Fail("the menu did not close");
  Press(VK_ESCAPE);
  return false;
}

POINT ItemCentre(HMENU menu, int position) {
  RECT r{};
  GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r);
  return CentreOf(r);
}

class PopupMenuTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  void SetUp() override {
    list_ = listtest::AddSaverList(form_, static_cast<HFONT>(font_.Get()));
    for (int i = 0; i < 4; ++i) list_->AddItem(L"星空 " + std::to_wstring(i), {L"", L"標準"});
    list_->OnMouseDown = [this](tk::MouseButton button, WPARAM, int, int) {
      events_.push_back(button == tk::MouseButton::Right ? "down right" : "down");
    };

    menu_ = new tk::PopupMenu(&form_);
    mView_ = menu_->Add(L"表示(&V)", [this] { events_.push_back("click mView"); });
    mConf_ = menu_->Add(L"設定(&C)", [this] { events_.push_back("click mConf"); });
    menu_->Add(L"-");
    mOption_ = menu_->Add(L"個別設定", [this] { events_.push_back("click mOption"); });
    mOption_->Default = true;
    // As the dialog does: the items that act on a row need one.
    menu_->OnPopup = [this] {
      const int selected = list_->SelectedIndex();
      events_.push_back("popup " + std::to_string(selected) + (menu_->PopupControl() == list_ ? " list" : ""));
      mView_->Enabled = mConf_->Enabled = mOption_->Enabled = selected >= 0;
    };
    menu_->AttachTo(*list_);
  }

  void ShowForm() {
    form_.Show();
    SetForegroundWindow(form_.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form_.Handle(); }, 3000));
    UpdateWindow(form_.Handle());
  }

  POINT RowPoint(int row) {
    RECT r = list_->ItemRect(row);
    POINT p{r.left + 30, (r.top + r.bottom) / 2};
    ClientToScreen(list_->Handle(), &p);
    return p;
  }

  void Drive(std::function<void(Driver&)> script) { EXPECT_EQ(uitest::Drive(std::move(script), 20000), ""); }

  tk::GdiObject font_ = tk::MakeFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  tk::Form form_{nullptr};
  tk::ListView* list_ = nullptr;
  tk::PopupMenu* menu_ = nullptr;
  tk::MenuItem *mView_ = nullptr, *mConf_ = nullptr, *mOption_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(PopupMenuTest, ARightClickOnARowOpensTheMenuAfterThePressAndRunsTheClickedItem) {
  ShowForm();
  int formContextMenus = 0;
  tk::MessageHookRegistration formSpy = form_.AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_CONTEXTMENU) ++formContextMenus;
    return false;
  });
  MenuSeen seen;
  Drive([&](Driver& d) {
    if (!ClickAt(RowPoint(1), Button::Right)) return d.Fail("pointer");
    if (!SeeMenu(d, seen)) return;
    Sleep(50);
    if (!ClickAt(ItemCentre(seen.menu, 0))) d.Fail("pointer on the item");
    WaitForMenuToClose(d, seen.window);
  });
  EXPECT_EQ(events_, (std::vector<std::string>{"down right", "popup 1 list", "click mView"}));
  EXPECT_EQ(seen.captions, (std::vector<std::wstring>{L"表示(&V)", L"設定(&C)", L"", L"個別設定"}));
  ASSERT_EQ(seen.states.size(), 4u);
  EXPECT_FALSE(seen.states[0] & MF_GRAYED);
  EXPECT_FALSE(seen.states[1] & MF_GRAYED);
  EXPECT_TRUE(seen.states[2] & MF_SEPARATOR);
  EXPECT_FALSE(seen.states[3] & MF_GRAYED);
  EXPECT_EQ(seen.defaultItem, 3);
  EXPECT_EQ(formContextMenus, 0) << "the list's menu keeps the request from its parent";
  EXPECT_EQ(menu_->PopupControl(), nullptr);
}

TEST_F(PopupMenuTest, WithoutASelectedRowTheItemsAreDisabledAndChooseNothing) {
  ShowForm();
  list_->SetSelectedIndex(-1);
  MenuSeen seen;
  RECT last = list_->ItemRect(3);
  POINT below{last.left + 30, last.bottom + 40};
  ClientToScreen(list_->Handle(), &below);
  Drive([&](Driver& d) {
    if (!ClickAt(below, Button::Right)) return d.Fail("pointer");
    if (!SeeMenu(d, seen)) return;
    Sleep(50);
    ClickAt(ItemCentre(seen.menu, 0));
    Sleep(100);
    Press(VK_ESCAPE);
    WaitForMenuToClose(d, seen.window);
  });
  EXPECT_EQ(events_, (std::vector<std::string>{"down right", "popup -1 list"}));
  ASSERT_EQ(seen.states.size(), 4u);
  EXPECT_TRUE(seen.states[0] & MF_GRAYED);
  EXPECT_TRUE(seen.states[1] & MF_GRAYED);
  EXPECT_TRUE(seen.states[2] & MF_SEPARATOR);
  EXPECT_TRUE(seen.states[3] & MF_GRAYED);
}

TEST_F(PopupMenuTest, TheContextMenuKeyOpensTheMenuBelowTheSelectedRowAndAnAcceleratorChooses) {
  ShowForm();
  list_->SetFocus();
  list_->SetSelectedIndex(2);
  RECT row = list_->ItemRect(2);
  POINT anchor{row.left + 8, row.bottom};
  ClientToScreen(list_->Handle(), &anchor);
  MenuSeen seen;
  Drive([&](Driver& d) {
    Press(VK_APPS);
    if (!SeeMenu(d, seen)) return;
    Sleep(50);
    Press('C');
    WaitForMenuToClose(d, seen.window);
  });
  EXPECT_EQ(events_, (std::vector<std::string>{"popup 2 list", "click mConf"}));
  EXPECT_NEAR(seen.windowRect.left, anchor.x, 3);
  EXPECT_NEAR(seen.windowRect.top, anchor.y, 3);
}

// How much darker than the menu's background a text is, summed over its pixels, drawn
// in the system's menu font of the given weight the way a menu draws its items.
long ReferenceInk(const std::wstring& text, LONG weight) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMenuFont.lfWeight = weight;
  HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  const int width = 200, height = 40;
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
  TextOutW(dc, 4, 4, text.c_str(), static_cast<int>(text.size()));
  const int background = Luma(GetSysColor(COLOR_MENU));
  long ink = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) ink += std::max(0, background - Luma(GetPixel(dc, x, y)));
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteObject(font);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return ink;
}

TEST_F(PopupMenuTest, TheDefaultItemIsDrawnInTheBoldMenuFont) {
  const std::wstring caption = L"個別設定";
  auto* menu = new tk::PopupMenu(&form_);
  menu->Add(caption);
  menu->Add(caption)->Default = true;
  ShowForm();
  long ink[2] = {0, 0};
  Driver driver([&](Driver& d) {
    MenuSeen seen;
    if (!SeeMenu(d, seen)) return;
    Sleep(150);  // drawn
    RECT rows[2];
    for (int i = 0; i < 2; ++i) GetMenuItemRect(nullptr, seen.menu, static_cast<UINT>(i), &rows[i]);
    RECT both;
    UnionRect(&both, &rows[0], &rows[1]);
    const ScreenShot shot(both);
    const int background = Luma(GetSysColor(COLOR_MENU));
    for (int i = 0; i < 2; ++i) {
      for (int y = rows[i].top; y < rows[i].bottom; ++y) {
        for (int x = rows[i].left; x < rows[i].right; ++x) ink[i] += std::max(0, background - Luma(shot.At(x, y)));
      }
    }
    Press(VK_ESCAPE);
    WaitForMenuToClose(d, seen.window);
  });
  // The pointer is away from the items, so neither is highlighted.
  EXPECT_FALSE(menu->Popup(400, 300));
  driver.Join();
  EXPECT_EQ(driver.Failure(), "");
  const long normal = ReferenceInk(caption, FW_NORMAL), bold = ReferenceInk(caption, FW_BOLD);
  ASSERT_GT(bold, normal * 105 / 100) << "the bold menu font draws darker than the normal one";
  // Each row is as dark as its font draws the caption, and nearer to it than to the other.
  EXPECT_LT(std::labs(ink[0] - normal), std::labs(ink[0] - bold)) << ink[0] << ": normal " << normal << ", bold " << bold;
  EXPECT_LT(std::labs(ink[1] - bold), std::labs(ink[1] - normal)) << ink[1] << ": normal " << normal << ", bold " << bold;
  EXPECT_NEAR(ink[1], bold, bold / 50) << "the default row";
  EXPECT_NEAR(ink[0], normal, normal / 50) << "the other row";
}

TEST_F(PopupMenuTest, AnItemThatFreesItsMenuEndsThePopupCleanly) {
  auto* menu = new tk::PopupMenu(&form_);
  int clicks = 0;
  menu->Add(L"閉じる(&X)", [&] {
    ++clicks;
    tk::Component::Free(menu);
  });
  ShowForm();
  Driver driver([&](Driver& d) {
    MenuSeen seen;
    if (!SeeMenu(d, seen)) return;
    Sleep(50);
    Press('X');
    WaitForMenuToClose(d, seen.window);
  });
  const bool chosen = menu->Popup(400, 300);
  driver.Join();
  EXPECT_EQ(driver.Failure(), "");
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(form_.ComponentCount(), 2) << "the list and the list's menu are left";
}

}  // namespace
