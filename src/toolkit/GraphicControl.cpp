#include "toolkit/GraphicControl.h"

#include <windowsx.h>

namespace tessora::tk {

GraphicControl::GraphicControl(Component* owner) : Control(owner) {}

void GraphicControl::Invalidate() { Control::Invalidate(); }

void GraphicControl::Repaint() {
  WinControl* p = Parent();
  if (!p || !p->HandleAllocated() || !Visible()) return;
  HWND wnd = p->Handle();
  HDC dc = GetDC(wnd);
  if (!dc) return;
  PaintInParent(dc);
  ReleaseDC(wnd, dc);
  RECT r = BoundsRect();
  ValidateRect(wnd, &r);
}

void GraphicControl::PaintInParent(HDC dc) {
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
  // Keeps any origin the DC already has (a parent drawing into a buffer, say).
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x + left_, origin.y + top_, nullptr);
  Paint(dc);
  RestoreDC(dc, saved);
}

void GraphicControl::MouseDown(MouseButton, WPARAM, int, int) {}
void GraphicControl::MouseMove(WPARAM, int, int) {}
void GraphicControl::MouseUp(MouseButton, WPARAM, int, int) {}

void GraphicControl::SetMouseCapture(bool capture) {
  WinControl* p = Parent();
  if (!p || !p->HandleAllocated()) return;
  if (capture) {
    p->mouseCapture_ = this;
    SetCapture(p->Handle());
  } else if (p->mouseCapture_ == this) {
    p->mouseCapture_ = nullptr;
    if (GetCapture() == p->Handle()) ReleaseCapture();
  }
}

bool GraphicControl::MouseCaptured() const {
  WinControl* p = Parent();
  return p && p->mouseCapture_ == this;
}

void GraphicControl::WndProc(Message& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(MouseButton::Left, m.WParam, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(MouseButton::Right, m.WParam, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(MouseButton::Middle, m.WParam, x, y);
      break;
    case WM_LBUTTONUP:
      MouseUp(MouseButton::Left, m.WParam, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(MouseButton::Right, m.WParam, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(MouseButton::Middle, m.WParam, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(m.WParam, x, y);
      break;
    case CM_MOUSEENTER:
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      MouseLeave();
      break;
    case CM_CAPTURELOST:
      MouseCaptureLost();
      break;
    default:
      break;
  }
}

}  // namespace tessora::tk
