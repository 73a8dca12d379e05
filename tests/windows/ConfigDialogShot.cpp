// Shows the configuration dialog with a set of the demo savers, one of whose files is
// missing (drawn grey), captures it as painted on the screen and writes it as a BMP file:
//   config_dialog_shot BUILD_FOLDER OUTPUT.bmp [menu|options]
// With "menu" the list's pop-up menu is open on the second row, with "options" the
// second row's per-entry options. docs/config-dialog.png, docs/config-dialog-menu.png
// and docs/options-dialog.png are made from the three pictures:
//   scripts/wine run build/windows64 build/windows64/tests/windows/config_dialog_shot.exe
//       Z:\...\build\windows64 shot.bmp [menu]; convert shot.bmp docs/config-dialog.png
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "WineTestSupport.h"
#include "config/confdlg.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"

using namespace tessora;

namespace {

void Capture(tk::Bitmap& shot, const RECT& area) {
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

// A visible window of this process of the class, and of the caption when one is given.
HWND OwnWindow(const wchar_t* className, const wchar_t* caption = nullptr) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t name[32] = {}, text[64] = {};
    GetClassNameW(w, name, 32);
    GetWindowTextW(w, text, 64);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && std::wstring(name) == className &&
        (!caption || std::wstring(text) == caption))
      return w;
  }
  return nullptr;
}

HWND OwnMenuWindow() { return OwnWindow(L"#32768"); }
HWND OwnOptionsWindow() { return OwnWindow(L"Tessora.Form", L"Tessora 個別オプション"); }

void Click(POINT p, DWORD down, DWORD up) {
  SetCursorPos(p.x, p.y);
  Sleep(100);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = down;
  input[1].mi.dwFlags = up;
  SendInput(2, input, sizeof input[0]);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: config_dialog_shot BUILD_FOLDER OUTPUT.bmp [menu|options]\n");
    return 2;
  }
  const std::wstring savers = std::wstring(argv[1]) + L"\\tools\\demosaver\\";
  const bool menu = argc > 3 && std::wstring(argv[3]) == L"menu";
  const bool options = argc > 3 && std::wstring(argv[3]) == L"options";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring ini = std::wstring(temp) + L"config_dialog_shot.ini";
  {
    const std::string folder = Ansi(savers);
    std::ofstream out(std::filesystem::path(ini), std::ios::binary);
    out << "[Option]\r\nrandom=1\r\nspan=90\r\nbgcolor=1,4210752\r\n"
        << "[SetList]\r\nCount=2\r\nItem0=" << Ansi(L"デモ") << "\r\nItem1=" << Ansi(L"夜") << "\r\nCurrent=0\r\n"
        << "[Set0]\r\nAurora=" << folder << "Aurora.scr,0,2\r\nEmber=" << folder << "Ember.scr,45,3\r\n"
        << "Nebula=C:\\Savers\\Nebula.scr,20,1\r\nLagoon=" << folder << "Lagoon.scr,0,4\r\nSakura=" << folder
        << "Sakura.scr,120,0\r\n[Set1]\r\nEmber=" << folder << "Ember.scr\r\n";
  }
  tk::App().Initialize();
  TfrmConfig* form = tk::NewForm<TfrmConfig>(nullptr, nullptr, SettingsPaths{ini, {}});
  form->SetBounds(40, 40, form->Width(), form->Height());
  form->Show();
  SetForegroundWindow(form->Handle());
  PumpFor(400);

  RECT area{};
  GetWindowRect(form->Handle(), &area);
  bool ok = true;
  if (menu) {
    // The menu's own loop runs on this thread; another one takes the picture and closes it.
    const RECT row = form->ListView1->ItemRect(1);
    POINT p{row.left + 40, (row.top + row.bottom) / 2};
    ClientToScreen(form->ListView1->Handle(), &p);
    tk::Bitmap shot(area.right - area.left, area.bottom - area.top);
    bool seen = false;
    std::thread driver([&] {
      Click(p, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
      for (int i = 0; i < 100 && !OwnMenuWindow(); ++i) Sleep(20);
      Sleep(300);
      seen = OwnMenuWindow() != nullptr;
      Capture(shot, area);
      keybd_event(VK_ESCAPE, 0, 0, 0);
      keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    });
    const ULONGLONG until = GetTickCount64() + 8000;
    while (!seen && GetTickCount64() < until) PumpFor(50);
    PumpFor(200);
    driver.join();
    ok = seen && SaveBmp(shot, argv[2]);
  } else if (options) {
    // The options dialog's loop runs on this thread; another one takes the picture and
    // closes it with the system's close command (Cancel).
    form->ListView1->SetSelectedIndex(1);
    tk::Bitmap shot(area.right - area.left, area.bottom - area.top);
    bool seen = false;
    std::thread driver([&] {
      HWND dialog = nullptr;
      for (int i = 0; i < 200 && !(dialog = OwnOptionsWindow()); ++i) Sleep(20);
      if (!dialog) return;
      Sleep(400);
      seen = true;
      Capture(shot, area);
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    form->mOptionClick();
    driver.join();
    ok = seen && SaveBmp(shot, argv[2]);
  } else {
    tk::Bitmap shot(area.right - area.left, area.bottom - area.top);
    UpdateWindow(form->Handle());
    Capture(shot, area);
    ok = SaveBmp(shot, argv[2]);
  }
  delete form;
  DeleteFileW(ini.c_str());
  return ok ? 0 : 1;
}
