// Forms with the list view, its pop-up menu and the two dialogs, made, shown, drawn,
// their menu opened, and destroyed 200 times: no GDI, USER or kernel object stays behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "SaverListFixture.h"
#include "UiDriver.h"
#include "toolkit/Application.h"
#include "toolkit/ColorDialog.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/PopupMenu.h"

using namespace tessora;
using namespace tessora::uitest;

namespace {

UINT_PTR menuTimer = 0;
int menusEnded = 0;

// Ends the menu from inside its own loop.
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (EndMenu()) ++menusEnded;
}

void Cycle(HFONT font, int& popups, int& draws) {
  auto* form = tk::NewForm<tk::Form>(nullptr);
  tk::ListView* list = listtest::AddSaverList(*form, font);
  list->BeginUpdate();
  for (int i = 0; i < 20; ++i) list->AddItem(L"星空 " + std::to_wstring(i), {L"30", L"標準"}, i % 2);
  list->EndUpdate();
  list->OnCustomDrawItem = [&draws, list](tk::ListDraw& draw) {
    ++draws;
    draw.TextColor = GetSysColor(list->ItemData(draw.Item) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  };
  list->OnCustomDrawSubItem = [list](tk::ListDraw& draw) {
    draw.TextColor = GetSysColor(list->ItemData(draw.Item) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  };
  auto* menu = new tk::PopupMenu(form);
  menu->Add(L"表示(&V)");
  menu->Add(L"設定(&C)");
  menu->Add(L"-");
  menu->Add(L"個別設定")->Default = true;
  menu->OnPopup = [&popups] { ++popups; };
  menu->AttachTo(*list);
  auto* open = new tk::OpenDialog(form);
  open->Filter = L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)|*.scr";
  new tk::ColorDialog(form);

  form->Show();
  UpdateWindow(form->Handle());
  list->SetSelectedIndex(3);
  // The context-menu key's request: the menu opens at the selected row, the timer closes it.
  menuTimer = SetTimer(nullptr, 0, 10, EndMenuSoon);
  SendMessageW(list->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->Handle()), MAKELPARAM(-1, -1));
  delete form;
  PumpFor(0);
}

TEST(ListMenuCyclesTest, TwoHundredFormsLeaveNoObjectsBehind) {
  tk::App().Initialize();
  tk::GdiObject font = tk::MakeFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  int popups = 0, draws = 0;
  for (int i = 0; i < 5; ++i) Cycle(static_cast<HFONT>(font.Get()), popups, draws);  // caches fill once
  PumpFor(100);
  const ObjectCounts before = CountObjects();
  const ULONGLONG start = GetTickCount64();
  popups = draws = menusEnded = 0;
  constexpr int kCycles = 200;
  for (int i = 0; i < kCycles; ++i) Cycle(static_cast<HFONT>(font.Get()), popups, draws);
  const ULONGLONG elapsed = GetTickCount64() - start;
  PumpFor(100);
  const ObjectCounts after = CountObjects();
  EXPECT_EQ(popups, kCycles);
  EXPECT_EQ(menusEnded, kCycles) << "each menu was open when its timer came";
  EXPECT_GE(draws, kCycles) << "each form was drawn";
  // A leak of one object per cycle would show as 200.
  EXPECT_LE(after.Gdi - before.Gdi, 5) << before.Gdi << " -> " << after.Gdi;
  EXPECT_LE(after.User - before.User, 5) << before.User << " -> " << after.User;
  EXPECT_LE(after.Kernel - before.Kernel, 5) << before.Kernel << " -> " << after.Kernel;
  RecordProperty("cycles_ms", static_cast<int>(elapsed));
  std::printf("objects before/after: GDI %ld/%ld, USER %ld/%ld, kernel %ld/%ld; %d cycles in %llu ms\n", before.Gdi,
              after.Gdi, before.User, after.User, before.Kernel, after.Kernel, kCycles, elapsed);
}

}  // namespace
