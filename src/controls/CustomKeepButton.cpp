#include "controls/CustomKeepButton.h"

#include "controls/PartFrame.h"
#include "toolkit/Canvas.h"

namespace tessora {

KeyboardRepeatSettings SystemKeyboardRepeat() {
  KeyboardRepeatSettings settings;
  UINT value = 0;
  if (SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &value, 0)) settings.delay = value;
  value = 0;
  if (SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &value, 0)) settings.speed = value;
  return settings;
}

namespace {

COLORREF ColourOf(PartColour colour) {
  return colour == PartColour::Black ? RGB(0, 0, 0) : GetSysColor(static_cast<int>(colour));
}

}  // namespace

TCustomKeepButton::TCustomKeepButton(tk::Component* owner) : GraphicControl(owner) {
  width_ = 25;
  height_ = 25;
  logic_.OnClick = [this] {
    if (OnClick) OnClick(this);
  };
  logic_.OnRepaint = [this] { ShowState(); };
  logic_.OnTimerInterval = [this](unsigned ms) {
    if (repeatTimer_) repeatTimer_->SetInterval(ms);
  };
  logic_.OnTimerEnabled = [this](bool enabled) {
    if (repeatTimer_) repeatTimer_->SetEnabled(enabled);
  };
  SetSystemRepeatTime(true);
}

void TCustomKeepButton::SetAutoRepeat(bool on) {
  if (on == logic_.AutoRepeat()) return;
  if (on && !repeatTimer_) {
    repeatTimer_ = new tk::Timer(this);
    repeatTimer_->SetEnabled(false);
    repeatTimer_->OnTimer = [this] { logic_.Tick(); };
  }
  logic_.SetAutoRepeat(on);
  if (!on && repeatTimer_) {
    tk::Component::Free(repeatTimer_);
    repeatTimer_ = nullptr;
  }
}

void TCustomKeepButton::ShowState() {
  // Through the parent's paint, so the parts stacked above this one stay on top.
  Invalidate();
  if (Parent() && Parent()->HandleAllocated()) UpdateWindow(Parent()->Handle());
}

bool TCustomKeepButton::PointerInside() const {
  if (!Parent() || !Parent()->HandleAllocated()) return false;
  POINT p;
  if (!GetCursorPos(&p)) return false;
  POINT origin{left_, top_};
  ClientToScreen(Parent()->Handle(), &origin);
  const RECT r{origin.x, origin.y, origin.x + width_, origin.y + height_};
  return PtInRect(&r, p) != FALSE;
}

void TCustomKeepButton::Paint(HDC dc) {
  tk::Canvas canvas(dc);
  const PartPaint plan = PlanPartPaint(Body(), Flat(), Down(), Raised(), false, width_, height_);
  if (plan.fill) canvas.FillRect(ClientRect(), ColourOf(PartColour::Face));
  for (const PartFrame& frame : plan.frames) {
    const COLORREF a = ColourOf(frame.colours.topLeft), b = ColourOf(frame.colours.bottomRight);
    for (const FramePixel& p : frame.solid ? SolidFramePixels(frame.rect) : DottedFramePixels(frame.rect))
      canvas.Pixel(p.x, p.y, p.side == FrameSide::TopLeft ? a : b);
  }
}

void TCustomKeepButton::MouseDown(tk::MouseButton button, WPARAM keys, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, keys, x, y);
  if (button != tk::MouseButton::Left) return;
  SetMouseCapture(true);
  logic_.Press();
}

void TCustomKeepButton::MouseMove(WPARAM keys, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, keys, x, y);
}

void TCustomKeepButton::MouseUp(tk::MouseButton button, WPARAM keys, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, keys, x, y);
  // Any release ends a hold, the right button's too.
  SetMouseCapture(false);
  logic_.Release(PointerInside());
}

void TCustomKeepButton::SetCursor(int number) {
  cursor_ = number;
  // The system has no split pointer of its own; the up-down sizing one says the same.
  if (number == crVSplit && !tk::ScreenCursor(crVSplit)) tk::SetScreenCursor(crVSplit, LoadCursorW(nullptr, IDC_SIZENS));
}

HCURSOR TCustomKeepButton::CursorHandle() const { return tk::ScreenCursor(cursor_); }

void TCustomKeepButton::MouseEnter() { logic_.PointerEnter(); }
void TCustomKeepButton::MouseLeave() { logic_.PointerLeave(); }
void TCustomKeepButton::MouseCaptureLost() { logic_.CancelHold(); }

}  // namespace tessora
