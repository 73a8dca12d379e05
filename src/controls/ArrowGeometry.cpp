#include "controls/ArrowGeometry.h"

#include <algorithm>
#include <limits>

namespace tessora {
namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the arrow constants need the 80-bit extended type");

// Mantissa 1010...10 (64 bits): just below 1/3 and 2/3, where the nearest
// extended numbers lie just above.
constexpr long double kThird = 0xAAAAAAAAAAAAAAAAp-65L;
constexpr long double kTwoThirds = 0xAAAAAAAAAAAAAAAAp-64L;

int Truncated(long double value) { return static_cast<int>(value); }

}  // namespace

int Third(int n) { return Truncated(static_cast<long double>(n) * kThird); }
int TwoThirds(int n) { return Truncated(static_cast<long double>(n) * kTwoThirds); }

int ArrowMargin(TBody body) {
  switch (body) {
    case TBody::bdFull:
      return 4;
    case TBody::bdMedium:
      return 3;
    case TBody::bdLight:
      return 2;
    case TBody::bdNone:
      break;
  }
  return 0;
}

ArrowBox CommonArrowBox(const PartRect& part, std::span<const PartRect> upDownParts) {
  ArrowBox box{part.width, part.height};
  for (const PartRect& other : upDownParts) {
    if (other.left == part.left && other.width == part.width)
      box.minHeight = std::min(box.minHeight, other.height);
    if (other.top == part.top && other.height == part.height)
      box.minWidth = std::min(box.minWidth, other.width);
  }
  return box;
}

int ArrowSize(const ArrowBox& box, TBody body) {
  const int margin = ArrowMargin(body);
  const int w = box.minWidth - margin;
  const int h = box.minHeight - margin;
  return std::min((w - Third(w) + 1) / 2, h - TwoThirds(h));
}

ArrowShape ArrowFor(int width, int height, int size, TButtonType type, bool down) {
  ArrowShape arrow;
  arrow.size = size;
  if (size < 1) return arrow;
  int cx = (width - 1) / 2;
  const int lift = Truncated(static_cast<long double>(size) * 0.1L);
  const int upBase = (height - 1 + size) / 2 - lift;
  int by = type == TButtonType::btUp ? upBase : (height - 1) - upBase;
  if (down) {
    ++cx;
    ++by;
  }
  const int apexY = type == TButtonType::btUp ? by - (size - 1) : by + (size - 1);
  arrow.baseLeft = {cx - (size - 1), by};
  arrow.baseRight = {cx + (size - 1), by};
  arrow.apex = {cx, apexY};
  return arrow;
}

std::vector<PartPoint> ArrowPixels(const ArrowShape& arrow) {
  std::vector<PartPoint> pixels;
  if (!arrow.Visible()) return pixels;
  const int step = arrow.apex.y < arrow.baseLeft.y ? -1 : 1;
  for (int row = 0; row < arrow.size; ++row) {
    const int half = arrow.size - 1 - row;
    for (int x = arrow.apex.x - half; x <= arrow.apex.x + half; ++x)
      pixels.push_back({x, arrow.baseLeft.y + step * row});
  }
  return pixels;
}

}  // namespace tessora
