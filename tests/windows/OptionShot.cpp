// Shows the per-entry options dialog with an entry's values, captures the window with
// its title bar as painted on the screen and writes it as a BMP file:
//   option_shot OUTPUT.bmp
// (docs/options-dialog.png is made from it).
#include <windows.h>

#include <cstdio>
#include <string>

#include "WineTestSupport.h"
#include "config/option.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"

using namespace tessora;

namespace {

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fwprintf(stderr, L"usage: option_shot OUTPUT.bmp\n");
    return 2;
  }
  tk::App().Initialize();
  TfrmOpt* form = tk::NewForm<TfrmOpt>(nullptr);
  form->SetBounds(60, 60, form->Width(), form->Height());
  form->Sname->SetCaption(L"Starfield");
  form->SpinBtn->SetPosition(45);
  form->ComboBox1->SetItemIndex(3);
  form->Show();
  SetForegroundWindow(form->Handle());
  form->SpanT->SetFocus();
  PumpFor(400);
  HideCaret(form->SpanT->Handle());  // a blinking caret caught mid-way looks like a typed bar
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(100);

  RECT r;
  GetWindowRect(form->Handle(), &r);
  tk::Bitmap shot(r.right - r.left, r.bottom - r.top);
  HDC screen = GetWindowDC(form->Handle());
  BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen, 0, 0, SRCCOPY);
  ReleaseDC(form->Handle(), screen);
  delete form;
  return SaveBmp(shot, argv[1]) ? 0 : 1;
}
