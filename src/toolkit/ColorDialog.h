#pragma once
// The system's colour dialog as a component of a form.
#include <windows.h>

#include <array>

#include "toolkit/Component.h"

namespace tessora::tk {

class ColorDialog : public Component {
 public:
  explicit ColorDialog(Component* owner);

  // The colour the dialog opens on, and after a confirmed Execute the one chosen. A
  // system-colour code (0x80000000 + COLOR_xxx) opens on that colour as it is now.
  DWORD Color = 0;
  // Only colours the display shows without dithering.
  bool SolidColor = false;
  // Every colour, not only those of the palette, even on a palette display.
  bool AnyColor = false;
  // Opens with the part for defining colours already shown.
  bool FullOpen = false;
  // The dialog's custom colours, kept from one Execute to the next.
  std::array<COLORREF, 16> CustomColors;

  // Shows the dialog modally over `owner` (the active window when null). True when the
  // user confirmed; false on cancel, and Color stays as it was.
  bool Execute(HWND owner = nullptr);
};

}  // namespace tessora::tk
