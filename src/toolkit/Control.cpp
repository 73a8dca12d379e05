#include "toolkit/Control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "toolkit/Commands.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Reflection.h"

namespace tessora::tk {

// ---- Control

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
  RemoveFromOwner();
  if (parent_) {
    Form* form = ParentForm();
    parent_->RemoveControl(this);
    if (form) form->SyncHints();
  }
}

void Control::operator delete(Control* control, std::destroying_delete_t) {
  // The complete object's address, for the deallocation of what new gave.
  void* storage = dynamic_cast<void*>(control);
  control->BeforeDestruction();
  control->~Control();
  ::operator delete(storage);
}

void Control::BeforeDestruction() {
  DestroyComponents();
  RemoveFromOwner();
}

void Control::SetParent(WinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Form* form = ParentForm();
    parent_->RemoveControl(this);
    parent_ = nullptr;
    if (form) form->SyncHints();
  }
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    UpdateFont();
    HintsChanged();
  }
}

Form* Control::ParentForm() const {
  const Control* top = this;
  while (top->parent_) top = top->parent_;
  return dynamic_cast<Form*>(const_cast<Control*>(top));
}

void Control::SetFont(HFONT font) { SetFont(BorrowFont(font)); }

void Control::SetFont(FontRef font) {
  ownFont_ = std::move(font);
  UpdateFont();
}

void Control::SetParentFont(bool parentFont) {
  if (parentFont == ParentFont()) return;
  ownFont_ = parentFont ? nullptr : usedFont_;
  UpdateFont();
}

void Control::UpdateFont() {
  FontRef next = ownFont_ ? ownFont_ : (parent_ ? parent_->usedFont_ : nullptr);
  const bool changed = next.get() != usedFont_.get();
  // The old font stays alive until the window and the children have the new one.
  FontRef old = std::exchange(usedFont_, std::move(next));
  if (changed) FontChanged();
}

void Control::SetHint(const std::wstring& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  HintsChanged();
}

void Control::HintsChanged() {
  if (Form* form = ParentForm()) form->SyncHints();
}

void Control::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();  // the old area
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  if (!hint_.empty()) HintsChanged();  // a windowless control's tool covers its bounds
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
}  // namespace

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl() { TearDown(); }

void WinControl::BeforeDestruction() { TearDown(); }

void WinControl::TearDown() {
  if (tornDown_) return;
  tornDown_ = true;
  // A message handled right now (the one that destroys this control) stops here.
  *alive_ = false;
  // Owned components and the owner's other components may hold on to this window's
  // hooks; they are told while it is still whole.
  Control::BeforeDestruction();
  // Children first: they are Components of the form, but their windows live in ours.
  const std::vector<Control*> children = controls_;
  for (Control* c : children) c->SetParent(nullptr);
  DestroyHandle();
}

WinControl* WinControl::FromHandle(HWND wnd) { return BoundObject<WinControl>(wnd); }

HWND WinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void WinControl::FillCreateParams(CreateParams& params) {
  params.ClassName = L"Tessora.Control";
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_) params.Style |= WS_VISIBLE;
  if (!enabled_) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
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
  HMENU menu = nullptr;
  if (params.Style & WS_CHILD) {
    // Above the dialog-box IDs; the command IDs of menus lie higher still.
    static int nextId = 0x1000;
    if (params.Id == 0) params.Id = nextId < 0x3FFF ? nextId++ : 0x1000;
    menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.Id));
  }
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
                    params.Width, params.Height, params.WndParent, menu, instance, this);
  } else {
    HWND wnd = CreateWindowExW(params.ExStyle, params.SubclassOf.c_str(), caption_.c_str(), params.Style, params.X,
                               params.Y, params.Width, params.Height, params.WndParent, menu, instance, nullptr);
    if (wnd) {
      handle_ = wnd;
      subclassed_ = true;
      BindWindow(wnd, this);
      SetWindowSubclass(wnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  if (!handle_) return;
  // Standard controls start in the system font, which no form of ours wants.
  HFONT font = Font();
  if (!font && subclassed_) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (font) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HandleCreated();
  for (Control* c : controls_) {
    if (auto* w = dynamic_cast<WinControl*>(c)) w->Handle();
  }
  if (Parent()) Parent()->ApplyTabOrder();
  HintsChanged();
}

void WinControl::DestroyHandle() {
  if (!handle_) return;
  for (Control* c : controls_) {
    if (auto* w = dynamic_cast<WinControl*>(c)) w->DestroyHandle();
  }
  HandleDestroying();
  HWND wnd = std::exchange(handle_, nullptr);
  // Unbind first, then destroy: no message may reach a half-destroyed object.
  if (subclassed_) {
    RemoveWindowSubclass(wnd, SubclassProc, kSubclassId);
    subclassed_ = false;
  }
  UnbindWindow(wnd);
  DestroyWindow(wnd);
}

void WinControl::SetParentWindow(HWND parent) {
  if (parent == parentWindow_) return;
  parentWindow_ = parent;
  // Re-parent the existing window rather than re-creating it, so its handle stays valid.
  if (handle_ && !Parent()) ::SetParent(handle_, parent);
}

MessageHookRegistration WinControl::AddMessageHook(MessageHook hook) { return hooks_.Add(std::move(hook)); }

LRESULT WinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  Message m{msg, wParam, lParam, 0};
  Deliver(m);
  return m.Result;
}

void WinControl::Deliver(Message& m) {
  // A copy: the object (and this token's owner) may be destroyed by a hook.
  const std::shared_ptr<bool> alive = alive_;
  if (hooks_.Run(m, alive)) return;
  if (*alive) WndProc(m);
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

void WinControl::FontChanged() {
  if (handle_) {
    HFONT font = Font();
    if (!font && subclassed_) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  for (Control* c : controls_) c->UpdateFont();
}

void WinControl::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  if (!handle_) return;
  LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
  style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrW(handle_, GWL_STYLE, style);
}

int WinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void WinControl::SetTabOrder(int order) {
  WinControl* parent = Parent();
  if (!parent) return;
  auto& list = parent->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
  parent->ApplyTabOrder();
}

void WinControl::ApplyTabOrder() {
  if (!handle_) return;
  HWND after = HWND_TOP;
  for (WinControl* w : tabList_) {
    if (!w->handle_ || GetParent(w->handle_) != handle_) continue;
    SetWindowPos(w->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = w->handle_;
  }
}

WinControl* WinControl::FirstTabStop() {
  for (WinControl* w : tabList_) {
    // The windows' own styles, as the dialog keys see them (some controls set WS_TABSTOP themselves).
    if (!w->handle_ || !IsWindowVisible(w->handle_) || !IsWindowEnabled(w->handle_)) continue;
    if (GetWindowLongPtrW(w->handle_, GWL_STYLE) & WS_TABSTOP) return w;
    if (WinControl* inner = w->FirstTabStop()) return inner;
  }
  return nullptr;
}

std::vector<HWND> WinControl::HintWindows() {
  if (!handle_) return {};
  return {handle_};
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

void WinControl::InsertControl(Control* control) {
  controls_.push_back(control);
  if (auto* w = dynamic_cast<WinControl*>(control)) tabList_.push_back(w);
}

void WinControl::RemoveControl(Control* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
  if (mouseCapture_ == control) {
    mouseCapture_ = nullptr;
    if (handle_ && GetCapture() == handle_) ReleaseCapture();
  }
  if (mouseHover_ == control) mouseHover_ = nullptr;
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    // Only CreateWnd makes windows of our classes, and it passes the object.
    if (auto* self = static_cast<WinControl*>(cs->lpCreateParams)) {
      self->handle_ = wnd;
      BindWindow(wnd, self);
    }
  }
  WinControl* self = FromHandle(wnd);
  if (!self) return DefWindowProcW(wnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // Destroyed from outside (with a parent window, say): forget the handle.
    self->HandleDestroying();
    UnbindWindow(wnd);
    self->handle_ = nullptr;
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  return self->Dispatch(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK WinControl::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<WinControl*>(data);
  if (msg == WM_NCDESTROY) {
    self->HandleDestroying();
    RemoveWindowSubclass(wnd, SubclassProc, kSubclassId);
    UnbindWindow(wnd);
    self->handle_ = nullptr;
    self->subclassed_ = false;
    return DefSubclassProc(wnd, msg, wParam, lParam);
  }
  return self->Dispatch(wnd, msg, wParam, lParam);
}

LRESULT WinControl::Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  Message m{msg, wParam, lParam, 0};
  try {
    Deliver(m);
  } catch (...) {
    // An exception must not unwind through Windows' frames, and the message it broke off
    // must not get the default handling instead: that could do what the handler was
    // there to prevent (a WM_CLOSE would destroy the window). The message ends here.
    // A paint that ended early would otherwise be asked for again at once, forever.
    if (msg == WM_PAINT) ValidateRect(wnd, nullptr);
    return 0;
  }
  return m.Result;
}

void WinControl::DefaultHandler(Message& m) {
  if (!handle_) return;
  m.Result = subclassed_ ? DefSubclassProc(handle_, m.Msg, m.WParam, m.LParam)
                         : DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

void WinControl::WndProc(Message& m) {
  if (ReflectToChild(m)) return;
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
    case WM_COMMAND:
      // Menus and accelerators name an ID, not a control.
      if (m.LParam == 0 && InvokeCommand(LOWORD(m.WParam))) return;
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
      // Taken by another window (Alt+Tab during a hold, a menu): the control holding the
      // mouse lets go, or it would go on as if the button were still down.
      if (mouseCapture_ && reinterpret_cast<HWND>(m.LParam) != handle_) {
        auto* holder = dynamic_cast<GraphicControl*>(std::exchange(mouseCapture_, nullptr));
        if (holder) {
          Message lost{CM_CAPTURELOST, 0, 0, 0};
          holder->WndProc(lost);
        }
      }
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

bool WinControl::HandleReflected(Message& m) {
  if (m.Msg == WM_COMMAND && OnCommand) return OnCommand(HIWORD(m.WParam));
  return false;
}

bool WinControl::ReflectToChild(Message& m) {
  HWND source = NotificationSource(m, handle_);
  if (!source) return false;
  WinControl* child = FromHandle(source);
  if (!child || child == this) return false;
  return child->HandleReflected(m);
}

void WinControl::PaintGraphicControls(HDC dc, const RECT& clip) {
  for (Control* c : controls_) {
    auto* g = dynamic_cast<GraphicControl*>(c);
    if (!g || !g->Visible()) continue;
    RECT r = g->BoundsRect(), inter;
    if (!IntersectRect(&inter, &r, &clip)) continue;
    g->PaintInParent(dc);
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
