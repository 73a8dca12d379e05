#include "controls/PartFrame.h"

#include <map>
#include <utility>

namespace tessora {
namespace {

using C = PartColour;

struct BodyFrames {
  std::optional<FrameColours> sunken[2];
  std::optional<FrameColours> raised[2];
};

BodyFrames FramesOf(TBody body) {
  switch (body) {
    case TBody::bdFull:
      return {{FrameColours{C::Shadow, C::Highlight}, FrameColours{C::DarkShadow, C::Light}},
              {FrameColours{C::Light, C::DarkShadow}, FrameColours{C::Highlight, C::Shadow}}};
    case TBody::bdMedium:
      return {{FrameColours{C::Black, C::Highlight}, FrameColours{C::Shadow, C::Face}},
              {FrameColours{C::Highlight, C::Black}, FrameColours{C::Face, C::Shadow}}};
    case TBody::bdLight:
      return {{FrameColours{C::Shadow, C::Highlight}, std::nullopt},
              {FrameColours{C::Highlight, C::Shadow}, std::nullopt}};
    case TBody::bdNone:
      break;
  }
  return {};
}

// Final pixels keyed by (y, x), so the result comes out ordered by row.
using PixelMap = std::map<std::pair<int, int>, FrameSide>;

std::vector<FramePixel> ToPixels(const PixelMap& map) {
  std::vector<FramePixel> pixels;
  for (const auto& [at, side] : map) pixels.push_back({at.second, at.first, side});
  return pixels;
}

int Sign(int v) { return (v > 0) - (v < 0); }

// An axis-parallel pen line from (x, y) towards (toX, toY), its end pixel left out.
void PenLine(PixelMap& map, int x, int y, int toX, int toY, FrameSide side) {
  const int dx = Sign(toX - x), dy = Sign(toY - y);
  for (; x != toX || y != toY; x += dx, y += dy) map[{y, x}] = side;
}

// An axis-parallel edge with both end pixels, only where x + y is even.
void DottedEdge(PixelMap& map, int x, int y, int toX, int toY, FrameSide side) {
  const int dx = Sign(toX - x), dy = Sign(toY - y);
  for (;; x += dx, y += dy) {
    if (((x + y) & 1) == 0) map[{y, x}] = side;
    if (x == toX && y == toY) break;
  }
}

}  // namespace

std::optional<FrameColours> FrameColoursFor(TBody body, bool sunken, int frame) {
  if (frame < 0 || frame > 1) return std::nullopt;
  const BodyFrames frames = FramesOf(body);
  return sunken ? frames.sunken[frame] : frames.raised[frame];
}

std::optional<FrameRect> FrameRectFor(int width, int height, int frame) {
  if (width < 2 * frame + 1 || height < 2 * frame + 1) return std::nullopt;
  return FrameRect{frame, frame, width - 1 - frame, height - 1 - frame};
}

std::vector<FramePixel> SolidFramePixels(const FrameRect& r) {
  PixelMap map;
  PenLine(map, r.left, r.bottom, r.left, r.top, FrameSide::TopLeft);
  PenLine(map, r.left, r.top, r.right, r.top, FrameSide::TopLeft);
  PenLine(map, r.right, r.top, r.right, r.bottom, FrameSide::BottomRight);
  PenLine(map, r.right, r.bottom, r.left, r.bottom, FrameSide::BottomRight);
  map[{r.bottom, r.left}] = FrameSide::BottomRight;
  return ToPixels(map);
}

std::vector<FramePixel> DottedFramePixels(const FrameRect& r) {
  PixelMap map;
  DottedEdge(map, r.left, r.bottom, r.left, r.top, FrameSide::TopLeft);
  DottedEdge(map, r.left, r.top, r.right, r.top, FrameSide::TopLeft);
  DottedEdge(map, r.right, r.top, r.right, r.bottom, FrameSide::BottomRight);
  DottedEdge(map, r.right, r.bottom, r.left, r.bottom, FrameSide::BottomRight);
  return ToPixels(map);
}

PartPaint PlanPartPaint(TBody body, bool flat, bool down, bool raised, bool designing,
                        int width, int height) {
  PartPaint paint;
  paint.fill = !flat && body != TBody::bdNone;
  if (!down && !raised && !designing) return paint;
  for (int k = 0; k < 2; ++k) {
    const auto colours = FrameColoursFor(body, down, k);
    const auto rect = FrameRectFor(width, height, k);
    if (colours && rect) paint.frames.push_back({*rect, *colours, raised});
  }
  return paint;
}

}  // namespace tessora
