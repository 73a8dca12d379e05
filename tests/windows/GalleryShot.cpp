// Shows one form with every standard control of the toolkit (and the confirmation box
// beside it, a tooltip, and the list view with its open pop-up menu below), captures
// that part of the screen and writes it as a BMP file (docs/toolkit-gallery.png is made
// from it by scripts/gallery):
//   toolkit_gallery OUTPUT.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/resource.h"
#include "controls/EditHex.h"
#include "WineTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ConfirmBox.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Hints.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureButton.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"

using namespace tessora;

namespace {

template <class T>
T* Add(tk::Form& form, tk::WinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(&form);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

tk::PictureButton* AddPicture(tk::Form& form, int left, int top, int picture, const wchar_t* hint) {
  auto* b = Add<tk::PictureButton>(form, &form, left, top, 24, 24);
  b->SetPicture(picture);
  b->SetHint(hint);
  return b;
}

tk::Label* AddLabel(tk::Form& form, tk::WinControl* parent, int left, int top, const wchar_t* text) {
  auto* l = new tk::Label(&form);
  l->SetParent(parent);
  l->SetLeft(left);
  l->SetTop(top);
  l->SetCaption(text);
  return l;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fwprintf(stderr, L"usage: toolkit_gallery OUTPUT.bmp\n");
    return 2;
  }
  tk::App().Initialize();
  tk::Form form(nullptr);
  form.Border = tk::BorderStyle::Dialog;
  form.DialogKeys = true;
  form.SetCaption(L"ツールキット見本");
  form.SetFont(tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET));
  form.SetShowHint(true);
  form.SetLeft(16);
  form.SetTop(16);
  form.SetClientSize(448, 233);

  auto* title = AddLabel(form, &form, 4, 4, L"使用するスクリーンセーバー");
  title->SetFont(tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, true, SHIFTJIS_CHARSET));
  auto* sets = Add<tk::ComboBox>(form, &form, 4, 24, 181, 20);
  sets->AddItem(L"Default");
  sets->AddItem(L"夜のセット");
  sets->SetItemIndex(1);
  AddPicture(form, 186, 22, IDB_ADDSET, L"セット登録")->SetWidth(20);
  AddPicture(form, 208, 22, IDB_DELSET, L"セット削除")->SetWidth(20);

  auto* bevel = Add<tk::Bevel>(form, &form, 4, 48, 263, 181);
  bevel->SetShape(tk::BevelShape::Frame);
  AddLabel(form, &form, 12, 56, L"ボタン：");
  auto* press = Add<tk::Button>(form, &form, 12, 72, 90, 25);
  press->SetCaption(L"押すボタン");
  press->SetHint(L"普通のボタン");
  auto* disabled = Add<tk::Button>(form, &form, 110, 72, 90, 25);
  disabled->SetCaption(L"無効(&D)");
  disabled->SetEnabled(false);
  const tk::FontRef arrows = tk::MakeSharedFont(L"ＭＳ ゴシック", -13, false, SHIFTJIS_CHARSET);
  auto* up = Add<tk::Button>(form, &form, 208, 72, 24, 24);
  up->SetCaption(L"↑");
  up->SetFont(arrows);
  auto* down = Add<tk::Button>(form, &form, 236, 72, 24, 24);
  down->SetCaption(L"↓");
  down->SetFont(arrows);

  AddLabel(form, &form, 12, 106, L"絵のボタン（右端は無効）：");
  auto* addItem = AddPicture(form, 12, 122, IDB_ADDITEM, L"アイテム追加（複数選択可）");
  AddPicture(form, 40, 122, IDB_DELITEM, L"アイテム削除");
  AddPicture(form, 68, 122, IDB_CLEARLIST, L"リストクリア");
  AddPicture(form, 96, 122, IDB_CLEARENTRIES, L"個別設定クリア");
  auto* greyed = AddPicture(form, 124, 122, IDB_CLEARENTRIES, L"個別設定クリア");
  greyed->SetDisabledPicture(IDB_CLEARENTRIES_GREY);
  greyed->SetEnabled(false);
  auto* help = Add<tk::SpeedButton>(form, &form, 160, 123, 23, 22);
  help->SetPicture(IDB_HELP);
  help->SetHint(L"ヘルプ表示");
  AddLabel(form, &form, 186, 128, L"←フォーカス無");

  AddLabel(form, &form, 12, 156, L"一覧のみ：");
  auto* levels = Add<tk::ComboBox>(form, &form, 72, 152, 58, 20);
  levels->SetStyle(tk::ComboStyle::DropDownList);
  for (const wchar_t* w : {L"低", L"低め", L"標準", L"高め", L"高"}) levels->AddItem(w);
  levels->SetItemIndex(2);
  auto* raised = Add<tk::Panel>(form, &form, 12, 184, 120, 36);
  raised->SetBevelOuter(tk::BevelCut::Raised);
  raised->SetBevelInner(tk::BevelCut::Lowered);
  AddLabel(form, raised, 8, 12, L"パネルのラベル");
  auto* lowered = Add<tk::Panel>(form, &form, 140, 184, 120, 36);
  lowered->SetBevelOuter(tk::BevelCut::Lowered);
  AddLabel(form, lowered, 8, 12, L"くぼんだパネル");

  auto* group = Add<tk::GroupBox>(form, &form, 275, 8, 169, 129);
  group->SetCaption(L"起動オプション");
  auto* random = Add<tk::CheckBox>(form, group, 14, 22, 97, 17);
  random->SetCaption(L"ランダム起動");
  random->SetChecked(true);
  random->SetHint(L"未チェック時はリスト順に起動");
  AddLabel(form, group, 16, 54, L"起動間隔：");
  auto* span = Add<TEditHex>(form, group, 72, 50, 49, 20);
  span->SetText("60");
  span->SetAlignment(EditAlignment::taRightJustify);
  span->SetNumeralOnly(true);
  span->SetNumericType(TNumericalType::Decimal);
  AddLabel(form, group, 126, 54, L"秒");
  auto* back = Add<tk::CheckBox>(form, group, 14, 100, 71, 17);
  back->SetCaption(L"単色背景");
  auto* swatch = Add<tk::Panel>(form, group, 95, 98, 40, 21);
  swatch->SetBevelOuter(tk::BevelCut::Lowered);
  swatch->SetColor(RGB(0, 128, 128));
  swatch->SetTabStop(true);

  auto* ok = Add<tk::Button>(form, &form, 311, 202, 61, 25);
  ok->SetCaption(L"O K");
  ok->SetDefault(true);
  auto* cancel = Add<tk::Button>(form, &form, 379, 202, 61, 25);
  cancel->SetCaption(L"Cancel");
  ok->SetTabOrder(0);
  cancel->SetTabOrder(1);
  AddLabel(form, &form, 280, 150, L"O K は既定のボタン（Enter）");

  // The list view with its pop-up menu, on a form of its own below.
  tk::Form lists(nullptr);
  lists.Border = tk::BorderStyle::Dialog;
  lists.SetCaption(L"一覧とメニュー");
  lists.SetFont(tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET));
  lists.SetLeft(16);
  lists.SetTop(290);
  lists.SetClientSize(336, 150);
  auto* list = Add<tk::ListView>(lists, &lists, 3, 3, 220, 144);
  list->AddColumn({L"ｽｸﾘｰﾝｾｰﾊﾞｰ名", 50, 50, tk::ColumnAlignment::Left, true});
  list->AddColumn({L"秒", 40, 20, tk::ColumnAlignment::Center});
  list->AddColumn({L"頻度", 40, 0, tk::ColumnAlignment::Center});
  list->AddItem(L"星空", {L"", L"標準"});
  list->AddItem(L"見つからない", {L"45", L"高め"}, 1);  // drawn grey: its file is missing
  list->AddItem(L"泡", {L"120", L"低"});
  list->AddItem(L"万華鏡", {L"", L"標準"});
  const auto grey = [list](tk::ListDraw& draw) {
    draw.TextColor = GetSysColor(list->ItemData(draw.Item) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  };
  list->OnCustomDrawItem = grey;
  list->OnCustomDrawSubItem = grey;
  list->SetSelectedIndex(2);
  AddLabel(lists, &lists, 230, 8, L"灰色：ファイル無し");
  AddLabel(lists, &lists, 230, 28, L"右クリックでメニュー");
  AddLabel(lists, &lists, 230, 44, L"太字：既定の項目");
  auto* menu = new tk::PopupMenu(&lists);
  menu->Add(L"表示(&V)");
  menu->Add(L"設定(&C)");
  menu->Add(L"-");
  menu->Add(L"個別設定")->Default = true;
  menu->AttachTo(*list);
  lists.FinishLoading();
  lists.Show();

  form.FinishLoading();
  form.Show();
  SetForegroundWindow(form.Handle());
  span->SetFocus();
  PumpFor(300);

  // A tooltip over the first picture button, then the confirmation box over the screen's middle.
  POINT p{12 + 12, 122 + 12};
  ClientToScreen(form.Handle(), &p);
  SetCursorPos(p.x, p.y);
  const ULONGLONG until = GetTickCount64() + 3000;
  while (!(form.Hints() && form.Hints()->Showing()) && GetTickCount64() < until) PumpFor(50);
  (void)addItem;

  // The screen's top-left part: the form with its tooltip; then the box is pasted in.
  const int width = 700, height = 470;
  tk::Bitmap shot(width, height);
  const auto capture = [&](int left, int top, int right, int bottom) {
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Dc(), left, top, right - left, bottom - top, screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  };
  capture(0, 0, width, height);

  // The list's menu, open over its third row: captured from inside the menu's own loop.
  RECT row = list->ItemRect(2);
  POINT at{row.left + 60, row.top + 8};
  ClientToScreen(list->Handle(), &at);
  bool menuShown = false;
  tk::Timer menuTimer(nullptr);
  menuTimer.SetInterval(400);
  menuTimer.OnTimer = [&] {
    menuTimer.SetEnabled(false);
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    RECT r;
    menuShown = menuWindow && IsWindowVisible(menuWindow) && GetWindowRect(menuWindow, &r);
    if (menuShown) capture(r.left, r.top, r.right, r.bottom);
    EndMenu();
  };
  menu->Popup(at.x, at.y);

  bool boxShown = false;
  tk::Timer timer(nullptr);
  timer.SetInterval(400);
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    HWND box = GetForegroundWindow();
    RECT r;
    boxShown = box != form.Handle() && GetWindowRect(box, &r);
    if (boxShown) capture(r.left, r.top, r.right, r.bottom);
    INPUT enter[2]{};
    enter[0].type = enter[1].type = INPUT_KEYBOARD;
    enter[0].ki.wVk = enter[1].ki.wVk = VK_RETURN;
    enter[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, enter, sizeof enter[0]);
  };
  // Placed below the form: centred on a screen of 1024 x 768.
  tk::ConfirmBox(L"同名セットがあります。上書きしますか？");
  return boxShown && menuShown && SaveBmp(shot, argv[1]) ? 0 : 1;
}
