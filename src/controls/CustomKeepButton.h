#pragma once
// A button part without a window, drawn on its parent: it shows a pressed look
// while the left button is held on it and can repeat its click while held, after
// a delay and then at a steady rate, like a held key.
#include <windows.h>

#include <functional>

#include "controls/KeepButtonLogic.h"
#include "controls/PartTypes.h"
#include "toolkit/Cursors.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Timer.h"

namespace tessora {

// The pointer number of the vertical split pointer, entered in the screen cursor table by
// the first part that takes it.
constexpr int crVSplit = -14;

// The system's keyboard delay and speed settings; a setting that cannot be read is left out.
KeyboardRepeatSettings SystemKeyboardRepeat();

class TCustomKeepButton : public tk::GraphicControl {
 public:
  explicit TCustomKeepButton(tk::Component* owner);

  TBody Body() const { return logic_.Body(); }
  void SetBody(TBody body) { logic_.SetBody(body); }
  bool Flat() const { return logic_.Flat(); }
  void SetFlat(bool flat) { logic_.SetFlat(flat); }
  bool Held() const { return logic_.Held(); }
  bool Down() const { return logic_.Down(); }
  bool Raised() const { return logic_.Raised(); }
  bool KeepDownOnLeave() const { return logic_.KeepDownOnLeave(); }
  bool AutoRepeat() const { return logic_.AutoRepeat(); }
  unsigned Delay() const { return logic_.Delay(); }
  void SetDelay(unsigned ms) { logic_.SetDelay(ms); }
  unsigned Speed() const { return logic_.Speed(); }
  void SetSpeed(unsigned ms) { logic_.SetSpeed(ms); }
  unsigned CurrentInterval() const { return logic_.CurrentInterval(); }
  bool SystemRepeatTime() const { return logic_.SystemRepeatTime(); }
  void SetSystemRepeatTime(bool on) { logic_.SetSystemRepeatTime(on, SystemKeyboardRepeat()); }
  int RepeatCount() const { return logic_.RepeatCount(); }
  tk::Timer* RepeatTimer() const { return repeatTimer_; }

  // Pointer number in the screen cursor table; tk::crDefault leaves the parent's.
  int Cursor() const { return cursor_; }
  void SetCursor(int number);
  HCURSOR CursorHandle() const override;

  std::function<void(TCustomKeepButton* sender)> OnClick;
  std::function<void(TCustomKeepButton* sender, tk::MouseButton button, WPARAM keys, int x, int y)> OnMouseDown;
  std::function<void(TCustomKeepButton* sender, WPARAM keys, int x, int y)> OnMouseMove;
  std::function<void(TCustomKeepButton* sender, tk::MouseButton button, WPARAM keys, int x, int y)> OnMouseUp;

  void Paint(HDC dc) override;

  void MouseDown(tk::MouseButton button, WPARAM keys, int x, int y) override;
  void MouseMove(WPARAM keys, int x, int y) override;
  void MouseUp(tk::MouseButton button, WPARAM keys, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseCaptureLost() override;

 protected:
  void SetKeepDownOnLeave(bool keep) { logic_.SetKeepDownOnLeave(keep); }
  // Switching on creates the repeat timer (owned by the part), off releases it.
  void SetAutoRepeat(bool on);

 private:
  void ShowState();
  bool PointerInside() const;

  KeepButtonLogic logic_;
  tk::Timer* repeatTimer_ = nullptr;
  int cursor_ = tk::crDefault;
};

}  // namespace tessora
