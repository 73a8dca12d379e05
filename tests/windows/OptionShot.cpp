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

bool SaveBmp(const tk::Bitmap& bmp, const std::wstring& path) {
  const int stride = (bmp.Width() * 3 + 3) & ~3;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = bmp.Width();
  info.biHeight = bmp.Height();  // bottom-up rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(stride * bmp.Height());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  fwrite(&file, sizeof file, 1, out);
  fwrite(&info, sizeof info, 1, out);
  std::string row(static_cast<size_t>(stride), '\0');
  for (int y = bmp.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const COLORREF c = bmp.Pixel(x, y);
      row[x * 3] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
    fwrite(row.data(), 1, row.size(), out);
  }
  return fclose(out) == 0;
}

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
