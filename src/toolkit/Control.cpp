#include "toolkit/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "toolkit/GraphicControl.h"

namespace tessora::tk {

// ---- Control

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
  RemoveFromOwner();
  if (parent_) parent_->RemoveControl(this);
}

void Control::SetParent(WinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) parent_->InsertControl(this);
}

void Control::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();  // the old area
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void Control::SetCaption(const std::wstring& text) {
  if (text == caption_) return;
  caption_ = text;
  CaptionChanged();
}

void Control::Invalidate() {
  if (parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, TRUE);
  }
}

// ---- WinControl

namespace {
constexpr UINT_PTR kSubclassId = 0x7E55;
// Subclassed standard controls carry their object in this window property.
constexpr wchar_t kControlProp[] = L"Tessora.Control";
}  // namespace

WinControl::WinControl(Component* owner) : Control(owner) {
  WindowProc = [this](Message& m) { WndProc(m); };
}

WinControl::~WinControl() {
  // Owned components and the owner's other components may hold on to this window's
  // handler (hooks); they are told while it is still whole.
  DestroyComponents();
  RemoveFromOwner();
  // Children first: they are Components of the form, but their windows live in ours.
  const std::vector<Control*> children = controls_;
  for (Control* c : children) c->SetParent(nullptr);
  DestroyHandle();
}

WinControl* WinControl::FromHandle(HWND wnd) {
  if (!wnd) return nullptr;
  if (HANDLE prop = GetPropW(wnd, kControlProp)) return static_cast<WinControl*>(prop);
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (wcsncmp(cls, L"Tessora.", 8) != 0) return nullptr;
  return reinterpret_cast<WinControl*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

HWND WinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void WinControl::FillCreateParams(CreateParams& params) {
  params.ClassName = L"Tessora.Control";
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_) params.Style |= WS_VISIBLE;
  if (!enabled_) params.Style |= WS_DISABLED;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  if (Parent()) {
    params.WndParent = Parent()->Handle();
  } else {
    params.WndParent = parentWindow_;
  }
  params.Cursor = LoadCursorW(nullptr, IDC_ARROW);
}

void WinControl::CreateWnd() {
  CreateParams params;
  FillCreateParams(params);
  // Asking for the parent's window may have made this one already (a parent creates its
  // children's windows); a second window would be bound to the same object.
  if (handle_) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (params.SubclassOf.empty()) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, params.ClassName.c_str(), &existing)) {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.style = params.ClassStyle;
      wc.lpfnWndProc = StaticWndProc;
      wc.hInstance = instance;
      wc.hCursor = params.Cursor;
      wc.hbrBackground = params.Background;
      wc.lpszClassName = params.ClassName.c_str();
      wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
      RegisterClassExW(&wc);
    }
    CreateWindowExW(params.ExStyle, params.ClassName.c_str(), caption_.c_str(), params.Style, params.X, params.Y,
                    params.Width, params.Height, params.WndParent, nullptr, instance, this);
  } else {
    HWND wnd = CreateWindowExW(params.ExStyle, params.SubclassOf.c_str(), caption_.c_str(), params.Style, params.X,
                               params.Y, params.Width, params.Height, params.WndParent, nullptr, instance, nullptr);
    if (wnd) {
      handle_ = wnd;
      subclassed_ = true;
      SetPropW(wnd, kControlProp, this);
      SetWindowSubclass(wnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  if (!handle_) return;
  if (font_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  HandleCreated();
  for (Control* c : controls_) {
    if (auto* w = dynamic_cast<WinControl*>(c)) w->Handle();
  }
}

void WinControl::DestroyHandle() {
  if (!handle_) return;
  for (Control* c : controls_) {
    if (auto* w = dynamic_cast<WinControl*>(c)) w->DestroyHandle();
  }
  HWND wnd = std::exchange(handle_, nullptr);
  // Unbind first, then destroy: no message may reach a half-destroyed object.
  if (subclassed_) {
    RemoveWindowSubclass(wnd, SubclassProc, kSubclassId);
    RemovePropW(wnd, kControlProp);
    subclassed_ = false;
  } else {
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
  }
  DestroyWindow(wnd);
}

void WinControl::SetParentWindow(HWND parent) {
  if (parent == parentWindow_) return;
  parentWindow_ = parent;
  // Re-parent the existing window rather than re-creating it, so its handle stays valid.
  if (handle_ && !Parent()) ::SetParent(handle_, parent);
}

LRESULT WinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  Message m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void WinControl::SetBounds(int left, int top, int width, int height) {
  const bool changed = left != left_ || top != top_ || width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (changed && handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (changed) BoundsChanged();
}

void WinControl::SetFocus() {
  if (Handle()) ::SetFocus(handle_);
}

bool WinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void WinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void WinControl::SetFont(HFONT font) {
  font_ = font;
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void WinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, enabled_);
}

void WinControl::CaptionChanged() {
  if (handle_) SetWindowTextW(handle_, caption_.c_str());
}

void WinControl::InsertControl(Control* control) { controls_.push_back(control); }

void WinControl::RemoveControl(Control* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (mouseCapture_ == control) {
    mouseCapture_ = nullptr;
    if (handle_ && GetCapture() == handle_) ReleaseCapture();
  }
  if (mouseHover_ == control) mouseHover_ = nullptr;
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<WinControl*>(cs->lpCreateParams);
    if (self) {
      self->handle_ = wnd;
      SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<WinControl*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(wnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // Destroyed from outside (with a parent window, say): forget the handle.
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  return self->Dispatch(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK WinControl::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<WinControl*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(wnd, SubclassProc, kSubclassId);
    RemovePropW(wnd, kControlProp);
    self->handle_ = nullptr;
    self->subclassed_ = false;
    return DefSubclassProc(wnd, msg, wParam, lParam);
  }
  return self->Dispatch(wnd, msg, wParam, lParam);
}

LRESULT WinControl::Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  Message m{msg, wParam, lParam, 0};
  try {
    WindowProc(m);
  } catch (...) {
    // An exception must not unwind through Windows' frames; the message counts as unhandled.
    return subclassed_ ? DefSubclassProc(wnd, msg, wParam, lParam) : DefWindowProcW(wnd, msg, wParam, lParam);
  }
  return m.Result;
}

void WinControl::DefaultHandler(Message& m) {
  if (!handle_) return;
  m.Result = subclassed_ ? DefSubclassProc(handle_, m.Msg, m.WParam, m.LParam)
                         : DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

void WinControl::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (!subclassed_) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        PaintGraphicControls(dc, ps.rcPaint);
        EndPaint(handle_, &ps);
        return;
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      if (RouteMouseToGraphicControl(m)) return;
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      UpdateMouseHover(nullptr);
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        if (HCURSOR cursor = GraphicControlCursor()) {
          ::SetCursor(cursor);
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_CAPTURECHANGED:
      if (mouseCapture_ && reinterpret_cast<HWND>(m.LParam) != handle_) mouseCapture_ = nullptr;
      break;
    case WM_SIZE:
      if (!subclassed_ && handle_) {
        RECT r;
        GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
      }
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void WinControl::PaintGraphicControls(HDC dc, const RECT& clip) {
  for (Control* c : controls_) {
    auto* g = dynamic_cast<GraphicControl*>(c);
    if (!g || !g->Visible()) continue;
    RECT r = g->BoundsRect(), inter;
    if (!IntersectRect(&inter, &r, &clip)) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    SetViewportOrgEx(dc, r.left, r.top, nullptr);
    g->Paint(dc);
    RestoreDC(dc, saved);
  }
}

void WinControl::UpdateMouseHover(Control* now) {
  if (now == mouseHover_) return;
  if (auto* old = dynamic_cast<GraphicControl*>(mouseHover_)) {
    Message leave{CM_MOUSELEAVE, 0, 0, 0};
    old->WndProc(leave);
  }
  mouseHover_ = now;
  if (auto* g = dynamic_cast<GraphicControl*>(now)) {
    Message enter{CM_MOUSEENTER, 0, 0, 0};
    g->WndProc(enter);
  }
}

GraphicControl* WinControl::GraphicControlAt(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* g = dynamic_cast<GraphicControl*>(*it);
    RECT r = (*it)->BoundsRect();
    if (g && g->Visible() && PtInRect(&r, p)) return g;
  }
  return nullptr;
}

HCURSOR WinControl::GraphicControlCursor() const {
  const GraphicControl* g = dynamic_cast<GraphicControl*>(mouseCapture_);
  if (!g) {
    POINT p;
    if (!handle_ || !GetCursorPos(&p) || !ScreenToClient(handle_, &p)) return nullptr;
    g = GraphicControlAt(p);
  }
  // A disabled control takes no input, so it leaves the pointer to its parent too.
  return g && g->Enabled() ? g->CursorHandle() : nullptr;
}

bool WinControl::RouteMouseToGraphicControl(Message& m) {
  const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  GraphicControl* target = dynamic_cast<GraphicControl*>(mouseCapture_);
  GraphicControl* under = GraphicControlAt(p);
  if (m.Msg == WM_MOUSEMOVE) {
    if (!trackingLeave_ && handle_) {
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
      trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
    }
    // While a control holds the capture, only it can be "under" the mouse.
    UpdateMouseHover(target ? (under == target ? target : nullptr) : under);
  }
  if (!target) target = under;
  if (!target || !target->Enabled()) return false;
  Message local = m;
  local.LParam = MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(p.x - target->Left())),
                            static_cast<WORD>(static_cast<SHORT>(p.y - target->Top())));
  target->WndProc(local);
  m.Result = local.Result;
  return true;
}

}  // namespace tessora::tk
