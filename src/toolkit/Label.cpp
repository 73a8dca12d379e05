#include "toolkit/Label.h"

#include "toolkit/Form.h"
#include "toolkit/Handles.h"

namespace tessora::tk {

namespace {
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP;

HFONT FontOrDefault(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
}  // namespace

Label::Label(Component* owner) : GraphicControl(owner) {}

void Label::FontChanged() {
  AdjustSize();
  Invalidate();
}

void Label::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Invalidate();
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

void Label::CaptionChanged() {
  AdjustSize();
  GraphicControl::CaptionChanged();
}

void Label::AdjustSize() {
  if (!autoSize_) return;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  RECT r{0, 0, 0, 0};
  {
    ScopedSelect font(dc, FontOrDefault(Font()));
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, kTextFormat | DT_CALCRECT);
  }
  DeleteDC(dc);
  SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

void Label::MouseDown(MouseButton button, WPARAM keys, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, keys, x, y);
}

void Label::MouseUp(MouseButton button, WPARAM keys, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, keys, x, y);
}

void Label::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter();
}

void Label::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave();
}

void Label::Paint(HDC dc) {
  RECT r = ClientRect();
  if (!transparent_) {
    const COLORREF back = Parent() ? Parent()->BackColor() : GetSysColor(COLOR_BTNFACE);
    GdiObject brush(CreateSolidBrush(back));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
  }
  ScopedSelect font(dc, FontOrDefault(Font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, fontColor_);
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, kTextFormat);
}

}  // namespace tessora::tk
