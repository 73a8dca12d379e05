#include "toolkit/Panel.h"

#include <windowsx.h>

#include "toolkit/Handles.h"

namespace tessora::tk {

namespace {
// One pixel of bevel: lit top and left edges and shaded bottom and right ones when
// raised, the other way round when lowered. Moves r inside it.
void DrawBevel(HDC dc, RECT& r, BevelCut cut) {
  if (cut == BevelCut::None) return;
  HBRUSH topLeft = GetSysColorBrush(cut == BevelCut::Raised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
  HBRUSH bottomRight = GetSysColorBrush(cut == BevelCut::Raised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  const RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
  const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &top, topLeft);
  FillRect(dc, &left, topLeft);
  FillRect(dc, &bottom, bottomRight);
  FillRect(dc, &right, bottomRight);
  InflateRect(&r, -1, -1);
}
}  // namespace

Panel::Panel(Component* owner) : WinControl(owner), color_(GetSysColor(COLOR_BTNFACE)) {
  width_ = 185;
  height_ = 41;
}

void Panel::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.ClassName = L"Tessora.Panel";
  // Tab passes through a panel to its controls, unless the panel is a stop of its own.
  if (!tabStop_) params.ExStyle |= WS_EX_CONTROLPARENT;
}

void Panel::SetBevelOuter(BevelCut cut) {
  bevelOuter_ = cut;
  Invalidate();
}

void Panel::SetBevelInner(BevelCut cut) {
  bevelInner_ = cut;
  Invalidate();
}

void Panel::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
  // Labels on the panel fill their area in its colour.
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void Panel::Paint(HDC dc, const RECT& clip) {
  RECT r;
  GetClientRect(Handle(), &r);
  DrawBevel(dc, r, bevelOuter_);
  DrawBevel(dc, r, bevelInner_);
  GdiObject brush(CreateSolidBrush(color_));
  FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
  PaintGraphicControls(dc, clip);
  if (Focused()) {
    RECT focus;
    GetClientRect(Handle(), &focus);
    InflateRect(&focus, -2, -2);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void Panel::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // painted whole in WM_PAINT
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc, ps.rcPaint);
      EndPaint(Handle(), &ps);
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTCHARS;  // Space; Tab, Enter and Escape stay with the dialog
      return;
    case WM_CHAR:
      if (m.WParam == L' ' && tabStop_) {
        if (OnClick) OnClick();
        return;
      }
      break;
    case WM_LBUTTONDOWN:
      if (RouteMouseToGraphicControl(m)) return;
      if (tabStop_) ::SetFocus(Handle());
      pressed_ = true;
      SetCapture(Handle());
      return;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        ReleaseCapture();
        RECT r;
        GetClientRect(Handle(), &r);
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (PtInRect(&r, p) && OnClick) OnClick();
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
    default:
      break;
  }
  WinControl::WndProc(m);
}

}  // namespace tessora::tk
