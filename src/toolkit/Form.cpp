#include "toolkit/Form.h"

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Hints.h"

namespace tessora::tk {

namespace {
// Every control inside `root`, depth first in tab order (windowless ones after the windows).
template <class F>
void ForEachControl(WinControl& root, F&& f) {
  for (WinControl* w : root.TabList()) {
    f(*w);
    ForEachControl(*w, f);
  }
  for (Control* c : root.Controls()) {
    if (!dynamic_cast<WinControl*>(c)) f(*c);
  }
}

ButtonControl* FindButton(WinControl& root, bool (ButtonControl::*marked)() const) {
  ButtonControl* found = nullptr;
  ForEachControl(root, [&](Control& c) {
    auto* b = dynamic_cast<ButtonControl*>(&c);
    if (found || !b || !(b->*marked)() || !b->HandleAllocated()) return;
    if (IsWindowVisible(b->Handle()) && IsWindowEnabled(b->Handle())) found = b;
  });
  return found;
}
}  // namespace

Form::Form(Component* owner) : WinControl(owner), color_(GetSysColor(COLOR_BTNFACE)) {
  visible_ = false;
  width_ = 320;
  height_ = 240;
}

Form::~Form() {
  // A form with automatic storage; after a delete this step has already run.
  Form::BeforeDestruction();
  if (brush_) DeleteObject(brush_);
}

void Form::BeforeDestruction() {
  lastFocus_ = nullptr;
  destroying_ = true;
  WinControl::BeforeDestruction();
  if (App().MainForm() == this) App().ForgetMainForm();
}

void Form::AfterConstruction() {
  FinishLoading();
  if (OnCreate) OnCreate();
}

void Form::SetColor(COLORREF color) {
  color_ = color;
  if (brush_) {
    DeleteObject(brush_);
    brush_ = nullptr;
  }
  Invalidate();
}

void Form::Notification(Component* component, Operation operation) {
  WinControl::Notification(component, operation);
  if (operation == Operation::Remove && component == hints_) hints_ = nullptr;
}

void Form::SetClientSize(int width, int height) {
  CreateParams params;
  FillCreateParams(params);
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
  SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

void Form::SetShowHint(bool showHint) {
  if (showHint == showHint_) return;
  showHint_ = showHint;
  if (hints_) hints_->SetActive(showHint);
  SyncHints();
}

void Form::SyncHints() {
  if (destroying_ || !HandleAllocated()) return;
  // The tooltip window comes with the first hint a shown form needs.
  if (!hints_) {
    if (!showHint_) return;
    hints_ = new HintWindow(this);
  }
  hints_->Sync(*this);
}

ButtonControl* Form::DefaultButton() { return FindButton(*this, &ButtonControl::Default); }
ButtonControl* Form::CancelButton() { return FindButton(*this, &ButtonControl::Cancel); }

void Form::UpdateDefaultLook(ButtonControl* focused) {
  if (destroying_) return;
  ForEachControl(*this, [&](Control& c) {
    if (auto* b = dynamic_cast<ButtonControl*>(&c)) b->SetDefaultLook(focused ? b == focused : b->Default());
  });
}

void Form::FocusFirstControl() {
  if (!HandleAllocated()) return;
  if (WinControl* first = FirstTabStop()) first->SetFocus();
}

// The focus goes back where it was when the form was last active, else to the first
// control in tab order; false when there is no such control (the form keeps it).
bool Form::ActivateFocus() {
  HWND wnd = Handle();
  HWND target = lastFocus_;
  if (!target || !IsWindow(target) || !IsChild(wnd, target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target)) {
    WinControl* first = FirstTabStop();
    target = first ? first->Handle() : nullptr;
  }
  if (!target) return false;
  ::SetFocus(target);
  return true;
}

void Form::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.ClassName = L"Tessora.Form";
  params.Style = WS_CLIPCHILDREN;
  switch (Border) {
    case BorderStyle::None:
      params.Style |= WS_POPUP;
      break;
    case BorderStyle::Single:
      params.Style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
      break;
    case BorderStyle::Sizeable:
      params.Style |= WS_OVERLAPPEDWINDOW;
      break;
    case BorderStyle::Dialog:
      params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
      break;
  }
  if (DialogKeys) params.ExStyle |= WS_EX_CONTROLPARENT;
  if (TopMost) params.ExStyle |= WS_EX_TOPMOST;
  if (ParentWindow()) {
    params.Style = (params.Style & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME)) | WS_CHILD;
    params.WndParent = ParentWindow();
  } else {
    params.WndParent = App().Handle();  // owned by the application window: no taskbar button of its own
  }
  if (visible_) params.Style |= WS_VISIBLE;
}

void Form::SetParentWindow(HWND parent) {
  if (parent == ParentWindow()) return;
  if (HandleAllocated()) {
    // A window changes between top-level and child only with its style bits changed first.
    HWND wnd = Handle();
    LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    style = parent ? ((style & ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_THICKFRAME)) | WS_CHILD)
                   : ((style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
    SetWindowLongPtrW(wnd, GWL_STYLE, style);
  }
  WinControl::SetParentWindow(parent);
}

void Form::Show() {
  visible_ = true;
  HWND wnd = Handle();
  if (!wnd) return;
  ShowWindow(wnd, SW_SHOW);
  SyncHints();
  HWND focus = GetFocus();
  if (GetActiveWindow() == wnd && (!focus || focus == wnd)) ActivateFocus();
  if (OnShow) OnShow();
}

void Form::Hide() {
  visible_ = false;
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

namespace {
// A named function: a lambda does not convert to the 32-bit build's stdcall callback type.
BOOL CALLBACK CollectEnabledWindow(HWND wnd, LPARAM data) {
  if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(wnd);
  return TRUE;
}
}  // namespace

int Form::ShowModal() {
  if (modal_) return mrNone;
  // Disable the thread's other enabled top-level windows, and enable them again afterwards.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND wnd : disabled) EnableWindow(wnd, FALSE);
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  SetForegroundWindow(Handle());
  if (HWND focus = GetFocus(); !focus || (focus != Handle() && !IsChild(Handle(), focus))) ActivateFocus();
  bool quit = false;
  WPARAM quitCode = 0;
  while (modalResult_ == mrNone && HandleAllocated()) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    App().DispatchOne(msg);
  }
  for (HWND wnd : disabled) {
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  }
  Hide();
  modal_ = false;
  if (quit) PostQuitMessage(static_cast<int>(quitCode));  // the outer loop must see it too
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  return modalResult_;
}

void Form::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  if (!canClose) return;
  CloseAction action = App().MainForm() == this ? CloseAction::Free : CloseAction::Hide;
  if (OnClose) OnClose(action);
  if (action == CloseAction::None) return;
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  if (App().MainForm() == this) {
    Hide();
    App().Terminate();
  } else if (action == CloseAction::Free) {
    Release();
  } else {
    Hide();
  }
}

void Form::Release() {
  if (HandleAllocated()) {
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
  } else {
    delete this;
  }
}

void Form::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      delete this;  // nothing of this object may be touched after this line
      return;
    case WM_ERASEBKGND: {
      if (!brush_) brush_ = CreateSolidBrush(color_);
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_);
      m.Result = 1;
      return;
    }
    case WM_COMMAND:
      // Dialog keys: Enter and Escape arrive as IDOK and IDCANCEL from no control when
      // no focused button takes them. Only the form's own buttons answer them.
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && (LOWORD(m.WParam) == IDOK || LOWORD(m.WParam) == IDCANCEL)) {
        ButtonControl* button = LOWORD(m.WParam) == IDOK ? DefaultButton() : CancelButton();
        if (button) button->Click();
        return;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (!HIWORD(m.WParam) && ActivateFocus()) {
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  WinControl::WndProc(m);
}

}  // namespace tessora::tk
