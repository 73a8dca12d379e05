#pragma once
// A control without a window: its parent paints it into the parent's DC and hands it
// the mouse messages that fall on it (or all of them while it holds the capture).
#include <windows.h>

#include "toolkit/Control.h"

namespace tessora::tk {

enum class MouseButton { Left, Right, Middle };

class GraphicControl : public Control {
 public:
  explicit GraphicControl(Component* owner);

  // Paints the control; the DC's origin is the control's top-left corner.
  virtual void Paint(HDC dc) = 0;
  void Invalidate() override;
  // Repaints at once instead of waiting for WM_PAINT.
  void Repaint();
  // Paints the control at its place into a DC in its parent's client coordinates,
  // clipped to its bounds; the DC's state is put back afterwards.
  void PaintInParent(HDC dc);

  // Mouse input in the control's own coordinates.
  virtual void MouseDown(MouseButton button, WPARAM keys, int x, int y);
  virtual void MouseMove(WPARAM keys, int x, int y);
  virtual void MouseUp(MouseButton button, WPARAM keys, int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // Another window took the mouse while this control held it; no button-up follows.
  virtual void MouseCaptureLost() {}
  // The pointer over the control; null leaves the parent's.
  virtual HCURSOR CursorHandle() const { return nullptr; }

  // While captured, every mouse message of the parent goes to this control.
  void SetMouseCapture(bool capture);
  bool MouseCaptured() const;

  // Posts or sends a message to this control through its parent window.
  void Perform(Message& message) { WndProc(message); }

 protected:
  virtual void WndProc(Message& message);
  void BoundsChanged() override { Invalidate(); }
  void VisibleChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }
  void CaptionChanged() override { Invalidate(); }

 private:
  friend class WinControl;
};

}  // namespace tessora::tk
