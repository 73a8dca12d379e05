#pragma once
#include <string>
#include <string_view>

#include "controls/LabelColor.h"
#include "core/Rect.h"

// The shadow label's paint decisions that need no device context: the text
// and DrawText flags, where the background comes from, where the three copies
// go and in which colours. Measuring and drawing stay with the Win32 label.
namespace tessora {

enum class TEllipsis { elNone, elEnd, elPath };

// The label's Alignment and Layout, under names of their own so they do not
// meet the toolkit's.
enum class LabelAlignment { taLeftJustify, taRightJustify, taCenter };
enum class LabelLayout { tlTop, tlCenter, tlBottom };

// DrawText flags, by value (this file does not see <windows.h>).
inline constexpr unsigned kDtLeft = 0x0;
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtRight = 0x2;
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtExpandTabs = 0x40;
inline constexpr unsigned kDtCalcRect = 0x400;
inline constexpr unsigned kDtNoPrefix = 0x800;
inline constexpr unsigned kDtPathEllipsis = 0x4000;
inline constexpr unsigned kDtEndEllipsis = 0x8000;

// The text that is painted: the caption, with a blank added when it is empty
// or, with the accelerator prefix shown, only "&" (so the measurement still
// gives a line height).
std::string PaintText(std::string_view caption, bool showAccelChar);
std::wstring PaintText(std::wstring_view caption, bool showAccelChar);

// Flags for DrawTextExA/DrawTextA (the measurement adds kDtCalcRect).
unsigned DrawTextFormat(LabelAlignment alignment, bool wordWrap, bool showAccelChar, TEllipsis ellipsis);

// How far the text rectangle moves down from the client top for the layout;
// the centre shift is truncated toward zero (negative when the text is taller).
int LayoutShift(LabelLayout layout, int labelHeight, int textHeight);

using LabelRect = Rect;

LabelRect OffsetRect(LabelRect rect, int dx, int dy);

// Where the text and its two displaced copies are drawn.
struct LabelCopyRects {
  LabelRect text;
  LabelRect shadow;
  LabelRect highlight;
  friend bool operator==(const LabelCopyRects&, const LabelCopyRects&) = default;
};

// client: the label's client rectangle; textHeight: the measured height.
LabelCopyRects PlaceCopies(LabelRect client, LabelLayout layout, int textHeight, int shadowOffsetLeft,
                           int shadowOffsetTop, int highlightOffsetLeft, int highlightOffsetTop);

// Colours of the copies. A disabled label draws them in clGray, clBtnHighlight
// and clBtnShadow (system-colour codes, resolved by whoever draws). A text
// gradient ignores the text colour and starts from the font colour even then.
struct LabelCopyColors {
  ColorRef shadow = 0;
  ColorRef highlight = 0;
  ColorRef text = 0;
  friend bool operator==(const LabelCopyColors&, const LabelCopyColors&) = default;
};

LabelCopyColors ChooseCopyColors(bool enabled, ColorRef shadowColor, ColorRef highlightColor, ColorRef fontColor);

// What is painted under the text, and into what.
enum class LabelBackground {
  None,            // transparent: nothing
  Solid,           // fill the client rectangle with Color
  GradientBitmap,  // FillGradient over the whole off-screen bitmap
  GradientStrip,   // fill a strip (GradientStripSize) and stretch it over the client rectangle
};

// Painting goes through an off-screen bitmap only for an opaque flickerless label.
bool UsesOffscreenBitmap(bool flickerless, bool transparent);

LabelBackground ChooseBackground(bool transparent, bool gradation, bool flickerless);

}  // namespace tessora
