#include "controls/URLLabel.h"

#include <shellapi.h>

#include "toolkit/Control.h"
#include "toolkit/Cursors.h"

namespace tessora {

TURLLabel::TURLLabel(tk::Component* owner) : tk::Label(owner) {
  tk::SetScreenCursor(URLLabelState::kHandPointCursor, LoadCursorW(GetModuleHandleW(nullptr), L"HANDPOINT"));
}

void TURLLabel::SetHotTrack(bool value) { Apply(state_.SetHotTrack(value)); }
void TURLLabel::SetHotColor(ColorRef value) { Apply(state_.SetHotColor(value)); }
void TURLLabel::SetPushedColor(ColorRef value) { Apply(state_.SetPushedColor(value)); }

HCURSOR TURLLabel::CursorHandle() const { return tk::ScreenCursor(cursor_); }

void TURLLabel::MouseEnter() {
  tk::Label::MouseEnter();
  Apply(state_.MouseEnter(FontColor()));
}

void TURLLabel::MouseLeave() {
  tk::Label::MouseLeave();
  Apply(state_.MouseLeave());
}

void TURLLabel::MouseDown(tk::MouseButton button, WPARAM keys, int x, int y) {
  tk::Label::MouseDown(button, keys, x, y);
  // The release belongs to this label wherever the pointer goes meanwhile.
  SetMouseCapture(true);
  const URLLabelReaction reaction = state_.MouseDown(FontColor());
  Apply(reaction);
  // Every press opens the link again, before the button is released; whether the
  // shell could open it is not looked at.
  if (reaction.openLink) ShellExecuteW(nullptr, L"OPEN", caption_.c_str(), L"", L"", SW_SHOW);
}

void TURLLabel::MouseUp(tk::MouseButton button, WPARAM keys, int x, int y) {
  tk::Label::MouseUp(button, keys, x, y);
  if (!(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) SetMouseCapture(false);
  if (HotTrack()) Apply(state_.MouseUp(PointerInside(), FontColor()));
}

bool TURLLabel::PointerInside() const {
  tk::WinControl* parent = Parent();
  POINT p;
  if (!parent || !parent->HandleAllocated() || !GetCursorPos(&p)) return false;
  ScreenToClient(parent->Handle(), &p);
  p.x -= left_;
  p.y -= top_;
  const RECT client = ClientRect();
  return PtInRect(&client, p) != FALSE;
}

void TURLLabel::Apply(const URLLabelReaction& reaction) {
  if (reaction.fontColor) SetFontColor(*reaction.fontColor);
  if (!reaction.repaint) return;
  Invalidate();
  // Repaint now rather than at the next idle moment, as a pressed link should show at once.
  if (tk::WinControl* parent = Parent(); parent && parent->HandleAllocated()) UpdateWindow(parent->Handle());
}

}  // namespace tessora
