#pragma once
// Where a slide up-down control puts its parts, and how it stands beside its
// associate edit field.
#include <optional>

#include "controls/PartTypes.h"

namespace tessora {

struct SlideUpDownParts {
  PartRect slider;  // the whole control, below the buttons
  PartRect up;
  PartRect down;
};

// The up button above, the down button below, the slider showing in the gap of
// sliderHeight rows between them. Sizes never go below 0.
SlideUpDownParts LayOutSlideUpDown(int width, int height, int sliderHeight);

// Whether control stands as alignment asks beside a living associate: same top and
// height, and flush against its right (sudRight) or left (sudLeft) edge.
bool IsAligned(TAlignButton alignment, const PartRect& control, const PartRect& associate);

// The bounds that align control to associate; none when it is aligned already or
// alignment is sudNone.
std::optional<PartRect> AlignedBounds(TAlignButton alignment, const PartRect& control,
                                      const PartRect& associate);

// How control stands relative to other: at its right edge, at its left edge (a gap
// of up to 4 pixels allowed), or neither; its middle row must lie within other.
TAlignButton ClassifyBeside(const PartRect& control, const PartRect& other);

}  // namespace tessora
