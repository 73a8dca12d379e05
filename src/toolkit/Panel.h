#pragma once
// A panel: a plain area in its own colour, framed by an outer and an inner bevel, that
// holds controls and paints the windowless ones (labels) on itself. Made a tab stop it
// takes the focus (shown by a focus rectangle) and Space clicks it, so a panel used as
// a colour swatch works from the keyboard as well.
#include <windows.h>

#include <functional>

#include "toolkit/Control.h"

namespace tessora::tk {

enum class BevelCut { None, Lowered, Raised };

class Panel : public WinControl {
 public:
  explicit Panel(Component* owner);

  BevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(BevelCut cut);
  BevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(BevelCut cut);
  // The colour inside the bevels (0x00BBGGRR).
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  COLORREF BackColor() const override { return color_; }

  // A press and release of the left button over the panel, or Space while focused.
  std::function<void()> OnClick;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void WndProc(Message& message) override;

 private:
  void Paint(HDC dc, const RECT& clip);

  BevelCut bevelOuter_ = BevelCut::Raised;
  BevelCut bevelInner_ = BevelCut::None;
  COLORREF color_;
  bool pressed_ = false;
};

}  // namespace tessora::tk
