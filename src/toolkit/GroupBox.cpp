#include "toolkit/GroupBox.h"

#include "toolkit/Handles.h"

namespace tessora::tk {

GroupBox::GroupBox(Component* owner) : WinControl(owner) {
  width_ = 185;
  height_ = 105;
}

void GroupBox::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = L"BUTTON";
  params.Style |= BS_GROUPBOX;  // keeps WS_CLIPCHILDREN: the children paint themselves
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

void GroupBox::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_NCHITTEST:
      // A plain group box lets the mouse through to its parent; this one holds
      // windowless controls that take the mouse (and show hints) themselves.
      m.Result = HTCLIENT;
      return;
    case WM_ERASEBKGND: {
      // The standard group box leaves its inside to its parent, which clips children.
      RECT r;
      GetClientRect(Handle(), &r);
      GdiObject brush(CreateSolidBrush(Parent() ? Parent()->BackColor() : GetSysColor(COLOR_BTNFACE)));
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, static_cast<HBRUSH>(brush.Get()));
      m.Result = 1;
      return;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      if (ps.fErase) {
        Message erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, 0};
        WndProc(erase);
      }
      // The button draws its frame and caption into the DC it is given.
      Message paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
      DefaultHandler(paint);
      PaintGraphicControls(dc, ps.rcPaint);
      EndPaint(Handle(), &ps);
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      // To windowless children; the frame itself takes no click (nor the focus).
      if (!RouteMouseToGraphicControl(m)) m.Result = 0;
      return;
    case WM_CAPTURECHANGED:
    case WM_MOUSELEAVE:
      break;
    default:
      break;
  }
  WinControl::WndProc(m);
}

}  // namespace tessora::tk
