// Shows the title panel's two labels with the configuration dialog's values on a
// window, captures the window as painted on the screen and writes it as a BMP file:
//   labels_shot OUTPUT.bmp [hover]
// With "hover" the pointer rests on the link label (its hover colour shows).
#include <windows.h>

#include <cstdio>
#include <string>

#include "controls/LabelColor.h"
#include "controls/ShadoLbl.h"
#include "controls/URLLabel.h"
#include "WineTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

using namespace tessora;

namespace {

// The panel's frame: raised outer bevel, lowered inner bevel.
class PanelBevel : public tk::GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  void Paint(HDC dc) override {
    RECT r = ClientRect();
    DrawEdge(dc, &r, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fwprintf(stderr, L"usage: labels_shot OUTPUT.bmp [hover]\n");
    return 2;
  }
  const bool hover = argc > 2 && std::wstring(argv[2]) == L"hover";
  tk::App().Initialize();
  tk::Form form(nullptr);
  form.Border = tk::BorderStyle::None;
  form.SetBounds(40, 40, 169, 41);

  PanelBevel bevel(&form);
  bevel.SetParent(&form);
  bevel.SetBounds(0, 0, 169, 41);

  const tk::GdiObject titleFont = tk::MakeFont(L"Arial", -13, true);
  tessora::TShadowLabel title(&form);
  title.SetParent(&form);
  title.SetAutoSize(false);
  title.SetBounds(6, 3, 58, 16);
  title.SetCaption(L"Tessora");
  title.SetFont(static_cast<HFONT>(titleFont.Get()));
  title.SetFontColor(tessora::lblcolor::clGreen);
  title.Highlight().SetColor(tessora::lblcolor::clWhite);
  title.Highlight().SetOffsetLeft(-1);
  title.Highlight().SetOffsetTop(-1);
  title.Shadow().SetColor(tessora::lblcolor::clMedGray);

  const tk::GdiObject linkFont = tk::MakeFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  tessora::TURLLabel link(&form);
  link.SetParent(&form);
  link.SetAutoSize(false);
  link.SetBounds(7, 25, 148, 12);
  link.SetCaption(L"https://tessora.example/");
  link.SetFont(static_cast<HFONT>(linkFont.Get()));
  link.SetFontColor(tessora::lblcolor::clNavy);
  link.SetExecutable(true);
  link.SetHotColor(0xFF0000);
  link.SetPushedColor(0x800080);

  form.Show();
  PumpFor(300);
  if (hover) {
    POINT p{20, 30};
    ClientToScreen(form.Handle(), &p);
    SetCursorPos(p.x, p.y);
    SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
    PumpFor(200);
  }
  UpdateWindow(form.Handle());

  tk::Bitmap shot(169, 41);
  HDC screen = GetDC(form.Handle());
  BitBlt(shot.Dc(), 0, 0, 169, 41, screen, 0, 0, SRCCOPY);
  ReleaseDC(form.Handle(), screen);
  return SaveBmp(shot, argv[1]) ? 0 : 1;
}
