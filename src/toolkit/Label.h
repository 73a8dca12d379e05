#pragma once
// A text label without a window, drawn by its parent.
#include <windows.h>

#include <functional>

#include "toolkit/GraphicControl.h"

namespace tessora::tk {

class Label : public GraphicControl {
 public:
  explicit Label(Component* owner);

  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);
  // Without a background of its own the label fills its area in the parent's colour.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The size follows the caption and the font.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);

  void Paint(HDC dc) override;

  // Raised by the mouse handlers below; a subclass's override calls them first.
  std::function<void(MouseButton button, WPARAM keys, int x, int y)> OnMouseDown;
  std::function<void(MouseButton button, WPARAM keys, int x, int y)> OnMouseUp;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;

  void MouseDown(MouseButton button, WPARAM keys, int x, int y) override;
  void MouseUp(MouseButton button, WPARAM keys, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 protected:
  void CaptionChanged() override;
  void FontChanged() override;
  // Fits the bounds to the caption when AutoSize is on; labels that measure their
  // text differently replace it.
  virtual void AdjustSize();

 private:
  COLORREF fontColor_ = RGB(0, 0, 0);
  bool transparent_ = false;
  bool autoSize_ = true;
};

}  // namespace tessora::tk
