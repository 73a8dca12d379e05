#include "toolkit/ColorDialog.h"

#include <commdlg.h>

#include "toolkit/Canvas.h"

namespace tessora::tk {

ColorDialog::ColorDialog(Component* owner) : Component(owner) { CustomColors.fill(RGB(255, 255, 255)); }

bool ColorDialog::Execute(HWND owner) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner ? owner : GetActiveWindow();
  cc.rgbResult = ColorToRgb(Color);
  cc.lpCustColors = CustomColors.data();
  cc.Flags = CC_RGBINIT;
  if (SolidColor) cc.Flags |= CC_SOLIDCOLOR;
  if (AnyColor) cc.Flags |= CC_ANYCOLOR;
  if (FullOpen) cc.Flags |= CC_FULLOPEN;
  if (!ChooseColorW(&cc)) return false;
  Color = cc.rgbResult;
  return true;
}

}  // namespace tessora::tk
