#pragma once
// Push buttons that show a picture instead of a caption. PictureButton is a window: it
// takes the focus (Tab, Space, Enter while focused) and can show a second picture
// while disabled. SpeedButton has no window and never takes the focus; it is pressed
// with the mouse only.
#include <windows.h>

#include <functional>

#include "toolkit/Button.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Picture.h"

namespace tessora::tk {

class PictureButton : public ButtonControl {
 public:
  explicit PictureButton(Component* owner);

  // Bitmaps of the program's resources (24-bit, background = bottom-left pixel).
  void SetPicture(int resourceId);
  // Shown while disabled; without one the picture is drawn embossed in grey.
  void SetDisabledPicture(int resourceId);
  const Picture& GetPicture() const { return picture_; }

  void SetDefaultLook(bool look) override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void WndProc(Message& message) override;
  bool HandleReflected(Message& message) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item);

  Picture picture_;
  Picture disabledPicture_;
};

class SpeedButton : public GraphicControl {
 public:
  explicit SpeedButton(Component* owner);

  void SetPicture(int resourceId);
  void SetDisabledPicture(int resourceId);
  const Picture& GetPicture() const { return picture_; }
  // Drawn pushed in: the left button went down on it and is over it still.
  bool Pressed() const { return pressed_; }

  // The left button released over the button it was pressed on.
  std::function<void()> OnClick;

  void Paint(HDC dc) override;
  void MouseDown(MouseButton button, WPARAM keys, int x, int y) override;
  void MouseMove(WPARAM keys, int x, int y) override;
  void MouseUp(MouseButton button, WPARAM keys, int x, int y) override;

 private:
  Picture picture_;
  Picture disabledPicture_;
  bool held_ = false;
  bool pressed_ = false;
};

// Draws a picture centred in a button face, one pixel down and right while pushed.
void DrawButtonPicture(HDC dc, const RECT& face, const Picture& picture, const Picture& disabledPicture,
                       bool enabled, bool pushed);

}  // namespace tessora::tk
