#include "controls/SlideUpDownLayout.h"

#include <algorithm>

namespace tessora {

SlideUpDownParts LayOutSlideUpDown(int width, int height, int sliderHeight) {
  const int t = std::max(0, (height - sliderHeight) / 2);
  SlideUpDownParts parts;
  parts.slider = {0, 0, width, height};
  parts.up = {0, 0, width, t};
  parts.down = {0, t + sliderHeight, width, std::max(0, height - t - sliderHeight)};
  return parts;
}

bool IsAligned(TAlignButton alignment, const PartRect& control, const PartRect& associate) {
  if (associate.top != control.top || associate.height != control.height) return false;
  switch (alignment) {
    case TAlignButton::sudRight:
      return associate.left + associate.width == control.left;
    case TAlignButton::sudLeft:
      return associate.left - control.width == control.left;
    case TAlignButton::sudNone:
      break;
  }
  return true;
}

std::optional<PartRect> AlignedBounds(TAlignButton alignment, const PartRect& control,
                                      const PartRect& associate) {
  if (IsAligned(alignment, control, associate)) return std::nullopt;
  switch (alignment) {
    case TAlignButton::sudRight:
      return PartRect{associate.left + associate.width, associate.top, control.width, associate.height};
    case TAlignButton::sudLeft:
      return PartRect{associate.left - control.width, associate.top, control.width, associate.height};
    case TAlignButton::sudNone:
      break;
  }
  return std::nullopt;
}

TAlignButton ClassifyBeside(const PartRect& control, const PartRect& other) {
  const int middle = control.height / 2 + control.top;
  if (middle < other.top || middle > other.top + other.height) return TAlignButton::sudNone;
  const int right = control.left + control.width;
  if (right >= other.left + other.width && other.left + other.width + 4 >= control.left)
    return TAlignButton::sudRight;
  if (right >= other.left - 4 && other.left >= control.left) return TAlignButton::sudLeft;
  return TAlignButton::sudNone;
}

}  // namespace tessora
