#include "toolkit/PictureButton.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "toolkit/Handles.h"
#include "toolkit/WinCalls.h"

namespace tessora::tk {

void DrawButtonPicture(HDC dc, const RECT& face, const Picture& picture, const Picture& disabledPicture, bool enabled,
                       bool pushed) {
  const Picture& shown = !enabled && !disabledPicture.Empty() ? disabledPicture : picture;
  if (shown.Empty()) return;
  const int shift = pushed ? 1 : 0;
  const int x = face.left + (face.right - face.left - shown.Width()) / 2 + shift;
  const int y = face.top + (face.bottom - face.top - shown.Height()) / 2 + shift;
  if (enabled || !disabledPicture.Empty()) {
    shown.Draw(dc, x, y);
  } else {
    shown.DrawDisabled(dc, x, y);
  }
}

// ---- PictureButton

PictureButton::PictureButton(Component* owner) : ButtonControl(owner) {
  width_ = 24;
  height_ = 24;
}

void PictureButton::SetPicture(int resourceId) {
  picture_ = Picture::FromResource(GetModuleHandleW(nullptr), resourceId);
  Invalidate();
}

void PictureButton::SetDisabledPicture(int resourceId) {
  disabledPicture_ = Picture::FromResource(GetModuleHandleW(nullptr), resourceId);
  Invalidate();
}

void PictureButton::SetDefaultLook(bool look) {
  if (look == defaultLook_) return;
  ButtonControl::SetDefaultLook(look);
  Invalidate();
}

void PictureButton::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = L"BUTTON";
  params.Style = (params.Style & ~static_cast<DWORD>(WS_CLIPCHILDREN)) | BS_OWNERDRAW;
}

void PictureButton::WndProc(Message& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      // While focused it is the button Enter presses, as a focused push button is.
      m.Result = DLGC_BUTTON | (Focused() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return;
    case BM_SETSTYLE:
      // The dialog manager's default-button styles would turn it into a plain push button.
      m.Result = 0;
      return;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button reports a second quick click as a double click, not as a click.
      m.Msg = WM_LBUTTONDOWN;
      break;
    default:
      break;
  }
  ButtonControl::WndProc(m);
}

bool PictureButton::HandleReflected(Message& m) {
  if (m.Msg == WM_DRAWITEM) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = TRUE;
    return true;
  }
  return ButtonControl::HandleReflected(m);
}

namespace {
// Bound at run time: systems before XP have no uxtheme.dll, and importing it would keep
// the program from starting there at all.
struct ThemeCalls {
  decltype(&OpenThemeData) open = nullptr;
  decltype(&CloseThemeData) close = nullptr;
  decltype(&DrawThemeBackground) background = nullptr;
  decltype(&DrawThemeParentBackground) parentBackground = nullptr;
  bool Ready() const { return open && close && background && parentBackground; }
};

const ThemeCalls& Themes() {
  static const ThemeCalls calls = [] {
    ThemeCalls c;
    HMODULE module = LoadLibraryW(L"uxtheme.dll");
    c.open = ProcAddress<decltype(&OpenThemeData)>(module, "OpenThemeData");
    c.close = ProcAddress<decltype(&CloseThemeData)>(module, "CloseThemeData");
    c.background = ProcAddress<decltype(&DrawThemeBackground)>(module, "DrawThemeBackground");
    c.parentBackground = ProcAddress<decltype(&DrawThemeParentBackground)>(module, "DrawThemeParentBackground");
    return c;
  }();
  return calls;
}
}  // namespace

void PictureButton::Draw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  const bool focused = item.itemState & ODS_FOCUS;
  const bool asDefault = enabled && (defaultLook_ || focused);
  const ThemeCalls& themes = Themes();
  if (HTHEME theme = themes.Ready() ? themes.open(item.hwndItem, L"BUTTON") : nullptr) {
    const int state = !enabled ? PBS_DISABLED : pushed ? PBS_PRESSED : asDefault ? PBS_DEFAULTED : PBS_NORMAL;
    themes.parentBackground(item.hwndItem, dc, &r);
    themes.background(theme, dc, BP_PUSHBUTTON, state, &r, nullptr);
    themes.close(theme);
  } else {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (asDefault) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&r, -1, -1);
    }
    if (pushed && asDefault) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    }
  }
  DrawButtonPicture(dc, item.rcItem, picture_, disabledPicture_, enabled, pushed);
  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

// ---- SpeedButton

SpeedButton::SpeedButton(Component* owner) : GraphicControl(owner) {
  width_ = 23;
  height_ = 22;
}

void SpeedButton::SetPicture(int resourceId) {
  picture_ = Picture::FromResource(GetModuleHandleW(nullptr), resourceId);
  Invalidate();
}

void SpeedButton::SetDisabledPicture(int resourceId) {
  disabledPicture_ = Picture::FromResource(GetModuleHandleW(nullptr), resourceId);
  Invalidate();
}

void SpeedButton::Paint(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
  DrawButtonPicture(dc, ClientRect(), picture_, disabledPicture_, Enabled(), pressed_);
}

void SpeedButton::MouseDown(MouseButton button, WPARAM, int, int) {
  if (button != MouseButton::Left) return;
  held_ = true;
  pressed_ = true;
  SetMouseCapture(true);
  Repaint();
}

void SpeedButton::MouseMove(WPARAM keys, int x, int y) {
  if (!held_) return;
  if (!(keys & MK_LBUTTON)) {
    // The release went elsewhere (the capture was taken away).
    held_ = pressed_ = false;
    SetMouseCapture(false);
    Repaint();
    return;
  }
  const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
  if (inside != pressed_) {
    pressed_ = inside;
    Repaint();
  }
}

void SpeedButton::MouseUp(MouseButton button, WPARAM, int x, int y) {
  if (button != MouseButton::Left || !held_) return;
  held_ = false;
  SetMouseCapture(false);
  const bool click = x >= 0 && y >= 0 && x < width_ && y < height_;
  pressed_ = false;
  Repaint();
  if (click && OnClick) OnClick();
}

}  // namespace tessora::tk
