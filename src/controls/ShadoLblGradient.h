#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/LabelColor.h"
#include "controls/LeadByteText.h"

// Colour arithmetic of the shadow label's background and text gradients.
// All colours here are plain 0x00BBGGRR values: resolve system colours first
// (ResolveColor). The high byte of a colour is ignored.
namespace tessora {

enum class TTextGradation { tgNone, tg2Colors, tg3Colors };

// Colour of position index of count positions running from `from` (index 0) to
// `to` (index count - 1), each component truncated. A single position (or
// none) takes `from`. Computed exactly in integers, so that the result does not
// depend on the floating-point unit.
ColorRef GradientColorAt(ColorRef from, ColorRef to, int index, int count);

// The colours of all count positions; empty when count <= 0.
std::vector<ColorRef> GradientRamp(ColorRef from, ColorRef to, int count);

// Row stride of a 24-bit DIB: three bytes a pixel, rows padded to 4 bytes.
std::ptrdiff_t DibRowStride(int width);

// Fills a 24-bit pixel buffer (bytes blue, green, red) with the gradient:
// vertical, row y gets colour y of height; horizontal, column x gets colour x
// of width. topRow points at the top row's first byte, and row y starts at
// topRow + y * stride (stride is negative for a bottom-up DIB). Row padding is
// not touched. Nothing happens when width or height is 0 or less. The label
// passes GradationColor as from and its Color as to.
void FillGradient(std::uint8_t* topRow, std::ptrdiff_t stride, int width, int height, ColorRef from, ColorRef to,
                  bool vertical);

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Size of the strip bitmap that is filled and then stretched over a rectangle
// when the label paints without an off-screen bitmap: vertical, 1 pixel wide
// and as tall as the rectangle; horizontal, as wide as the rectangle and
// height / 20 + 1 tall. Negative sizes count as 0.
PixelSize GradientStripSize(int rectWidth, int rectHeight, bool vertical);

// One character of a gradient text and its colour; offset is into the text
// passed to the function that made it.
struct GradientCharacter {
  std::size_t offset = 0;
  std::size_t length = 0;
  ColorRef color = 0;
  friend bool operator==(const GradientCharacter&, const GradientCharacter&) = default;
};

// Colours of DrawGradientText(from, to, s): one entry per character, the first
// in `from` and the last in `to`. A one-character s gives one entry in `from`;
// that character is drawn as a whole and advances by its full text width, the
// others by their width less the font's overhang.
std::vector<GradientCharacter> GradientTextColors(std::string_view s, ColorRef from, ColorRef to,
                                                  const LeadByteTest& isLeadByte);

// One DrawGradientText call of a paint: the bytes text[offset, offset + length),
// its end colours and its characters (offsets into the whole text).
struct GradientRun {
  std::size_t offset = 0;
  std::size_t length = 0;
  ColorRef from = 0;
  ColorRef to = 0;
  std::vector<GradientCharacter> characters;
};

// The gradient runs that draw text, left to right from the text rectangle's left
// edge. Empty when mode is tgNone or the text has fewer than two characters:
// then the text is drawn plainly in the label's text colour. Two colours (or
// any two-character text) run fontColor -> endColor; three colours split the
// text at half its bytes, never inside a double-byte character: fontColor ->
// midColor, then midColor -> endColor (a one-character rest is drawn in
// endColor).
std::vector<GradientRun> PlanTextGradient(std::string_view text, TTextGradation mode, ColorRef fontColor,
                                          ColorRef midColor, ColorRef endColor, const LeadByteTest& isLeadByte);

// Byte length of the first part of a three-colour split: half the bytes,
// extended to the end of the character that holds the last byte of that half.
std::size_t ThreeColorSplit(std::string_view text, const LeadByteTest& isLeadByte);

}  // namespace tessora
