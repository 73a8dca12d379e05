#pragma once
// TURLLabel: a label that acts as a web link. It shows the hand pointer, takes a hover
// and a pressed colour, and asks the shell to open its caption when pressed.
#include <windows.h>

#include "controls/LabelColor.h"
#include "controls/URLLabelState.h"
#include "toolkit/Label.h"

namespace tessora {

class TURLLabel : public tk::Label {
 public:
  // Loads the program's "HANDPOINT" cursor into the screen cursor table (again for every
  // label: the later entry replaces the earlier one) and takes it as the label's pointer.
  explicit TURLLabel(tk::Component* owner);

  // Pointer number in the screen cursor table; tk::crDefault leaves the parent's.
  int Cursor() const { return cursor_; }
  void SetCursor(int number) { cursor_ = number; }

  // Pressing any mouse button opens the caption with the shell.
  bool Executable() const { return state_.Executable(); }
  void SetExecutable(bool value) { state_.SetExecutable(value); }
  // The text colour follows the pointer: HotColor over the label, PushedColor while pressed.
  bool HotTrack() const { return state_.HotTrack(); }
  void SetHotTrack(bool value);
  ColorRef HotColor() const { return state_.HotColor(); }
  void SetHotColor(ColorRef value);
  ColorRef PushedColor() const { return state_.PushedColor(); }
  void SetPushedColor(ColorRef value);
  // The font colour taken when the pointer entered, put back when it leaves.
  ColorRef SavedColor() const { return state_.SavedColor(); }

  void MouseDown(tk::MouseButton button, WPARAM keys, int x, int y) override;
  void MouseUp(tk::MouseButton button, WPARAM keys, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  HCURSOR CursorHandle() const override;

 private:
  void Apply(const URLLabelReaction& reaction);
  bool PointerInside() const;

  URLLabelState state_;
  int cursor_ = URLLabelState::kHandPointCursor;
};

}  // namespace tessora
