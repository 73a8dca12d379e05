#pragma once
// Size and position of the filled arrow an up or down button part draws.
#include <span>
#include <vector>

#include "controls/PartTypes.h"

namespace tessora {

// n times a constant just below 1/3 (2/3), truncated toward zero, in extended
// precision: n div 3 ((2n) div 3) for small n >= 0, but one less for positive
// multiples of 3.
int Third(int n);
int TwoThirds(int n);

// Border margin the arrow keeps: bdFull 4, bdMedium 3, bdLight 2, bdNone 0.
int ArrowMargin(TBody body);

// The width and height an arrow's size is taken from: the smallest of the up-down
// parts sharing this part's column (for the height) or row (for the width).
struct ArrowBox {
  int minWidth = 0;
  int minHeight = 0;
  friend bool operator==(const ArrowBox&, const ArrowBox&) = default;
};
ArrowBox CommonArrowBox(const PartRect& part, std::span<const PartRect> upDownParts);

// The arrow size e (half the base width plus one, and the height).
int ArrowSize(const ArrowBox& box, TBody body);

// Where an arrow of a given size sits in a part. size < 1 draws nothing, size 1 one
// pixel at base, larger sizes a filled triangle (outline included) with corners
// baseLeft, baseRight and apex.
struct ArrowShape {
  int size = 0;
  PartPoint baseLeft, baseRight, apex;
  bool Visible() const { return size >= 1; }
};
ArrowShape ArrowFor(int width, int height, int size, TButtonType type, bool down);

// The pixels such an arrow sets: its rows of 2e - 1, 2e - 3, ... 1 pixels.
std::vector<PartPoint> ArrowPixels(const ArrowShape& arrow);

}  // namespace tessora
