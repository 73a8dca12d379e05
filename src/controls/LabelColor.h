#pragma once
// Colour values of the display labels (see core/ColorCode.h for their form).
#include "core/ColorCode.h"

namespace tessora {

// The label colours by their toolkit names. Kept in their own namespace so that
// a toolkit header declaring the same names cannot collide with these.
namespace lblcolor {
inline constexpr ColorRef clGreen = 0x008000;
inline constexpr ColorRef clGray = 0x808080;
inline constexpr ColorRef clMedGray = 0xA4A0A0;
inline constexpr ColorRef clSilver = 0xC0C0C0;
inline constexpr ColorRef clWhite = 0xFFFFFF;
inline constexpr ColorRef clBlue = 0xFF0000;
inline constexpr ColorRef clMaroon = 0x000080;
inline constexpr ColorRef clNavy = 0x800000;
inline constexpr ColorRef clBtnShadow = kSystemColorFlag | 0x10;     // COLOR_BTNSHADOW
inline constexpr ColorRef clBtnHighlight = kSystemColorFlag | 0x14;  // COLOR_BTNHIGHLIGHT
}  // namespace lblcolor

constexpr int RedOf(ColorRef color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(ColorRef color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef color) { return static_cast<int>((color >> 16) & 0xFF); }

constexpr ColorRef MakeColor(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
         (static_cast<ColorRef>(blue & 0xFF) << 16);
}

}  // namespace tessora
