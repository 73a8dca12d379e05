#pragma once
// How a button part paints its background and border: which colours, which
// frames, and which pixels a solid or dotted frame sets.
#include <optional>
#include <vector>

#include "controls/PartTypes.h"
#include "core/Rect.h"

namespace tessora {

// The colours a part paints with; the values are the system colour indexes
// (COLOR_BTNFACE and so on), Black is plain RGB 0, 0, 0.
enum class PartColour : int {
  Face = 15,
  Shadow = 16,
  Highlight = 20,
  DarkShadow = 21,
  Light = 22,
  WindowText = 8,
  Black = -1,
};

// A frame's top-left colour (A) and bottom-right colour (B).
struct FrameColours {
  PartColour topLeft;
  PartColour bottomRight;
  friend bool operator==(const FrameColours&, const FrameColours&) = default;
};

// Colours of frame 0 or 1 for a body, sunken (pressed) or raised; none when the
// body has no such frame.
std::optional<FrameColours> FrameColoursFor(TBody body, bool sunken, int frame);

// Corners of a frame, both included: right and bottom are the last column and row.
using FrameRect = Rect;

// Frame k of a part: its rectangle inset by k; none when the part is too small.
std::optional<FrameRect> FrameRectFor(int width, int height, int frame);

enum class FrameSide : unsigned char { TopLeft, BottomRight };

struct FramePixel {
  int x = 0, y = 0;
  FrameSide side = FrameSide::TopLeft;
  friend bool operator==(const FramePixel&, const FramePixel&) = default;
};

// The pixels a frame leaves set, each once with its final colour side, ordered by
// row, then column. Solid: the top row and left column in A except the bottom-left
// corner; the right column and the bottom row in B. Dotted: the same edges, only
// where x + y is even, later edges (right, bottom) overwriting.
std::vector<FramePixel> SolidFramePixels(const FrameRect& rect);
std::vector<FramePixel> DottedFramePixels(const FrameRect& rect);

struct PartFrame {
  FrameRect rect;
  FrameColours colours;
  bool solid = true;
};

struct PartPaint {
  bool fill = false;              // fill the whole part with Face first
  std::vector<PartFrame> frames;  // in drawing order
};

// What a part paints in its current state.
PartPaint PlanPartPaint(TBody body, bool flat, bool down, bool raised, bool designing,
                        int width, int height);

}  // namespace tessora
