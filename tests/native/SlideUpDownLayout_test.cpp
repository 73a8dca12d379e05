#include <gtest/gtest.h>

#include "controls/SlideUpDownLayout.h"

namespace tessora {
namespace {

TEST(SlideUpDownLayoutParts, ButtonsAroundTheSliderGap) {
  struct Case {
    int width, height, sliderHeight;
    PartRect up, down;
  } cases[] = {
      {12, 20, 2, {0, 0, 12, 9}, {0, 11, 12, 9}},
      {12, 20, 3, {0, 0, 12, 8}, {0, 11, 12, 9}},
      {16, 21, 0, {0, 0, 16, 10}, {0, 10, 16, 11}},
      {12, 2, 3, {0, 0, 12, 0}, {0, 3, 12, 0}},
  };
  for (const Case& c : cases) {
    const SlideUpDownParts parts = LayOutSlideUpDown(c.width, c.height, c.sliderHeight);
    EXPECT_EQ(parts.slider, (PartRect{0, 0, c.width, c.height}));
    EXPECT_EQ(parts.up, c.up) << c.height << " " << c.sliderHeight;
    EXPECT_EQ(parts.down, c.down) << c.height << " " << c.sliderHeight;
  }
}

TEST(SlideUpDownLayoutAlign, AlignedBesideTheAssociate) {
  const PartRect edit{10, 20, 60, 20};
  struct Case {
    TAlignButton alignment;
    PartRect control;
    bool aligned;
    std::optional<PartRect> bounds;
  } cases[] = {
      {TAlignButton::sudRight, {70, 20, 12, 20}, true, std::nullopt},
      {TAlignButton::sudRight, {75, 20, 12, 20}, false, PartRect{70, 20, 12, 20}},
      {TAlignButton::sudRight, {70, 21, 12, 20}, false, PartRect{70, 20, 12, 20}},
      {TAlignButton::sudRight, {300, 5, 12, 18}, false, PartRect{70, 20, 12, 20}},
      {TAlignButton::sudLeft, {-2, 20, 12, 20}, true, std::nullopt},
      {TAlignButton::sudLeft, {70, 20, 12, 20}, false, PartRect{-2, 20, 12, 20}},
      {TAlignButton::sudNone, {300, 20, 12, 20}, true, std::nullopt},
      {TAlignButton::sudNone, {300, 5, 12, 18}, false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAligned(c.alignment, c.control, edit), c.aligned) << static_cast<int>(c.alignment);
    EXPECT_EQ(AlignedBounds(c.alignment, c.control, edit), c.bounds) << static_cast<int>(c.alignment);
  }
}

TEST(SlideUpDownLayoutAlign, ClassifiesWhereTheControlStands) {
  const PartRect edit{10, 20, 60, 20};
  struct Case {
    PartRect control;
    TAlignButton expected;
  } cases[] = {
      {{70, 20, 12, 20}, TAlignButton::sudRight},
      {{74, 20, 12, 20}, TAlignButton::sudRight},  // a gap of 4
      {{75, 20, 12, 20}, TAlignButton::sudNone},
      {{65, 20, 12, 20}, TAlignButton::sudRight},  // overlapping the right edge
      {{-2, 20, 12, 20}, TAlignButton::sudLeft},
      {{-6, 20, 12, 20}, TAlignButton::sudLeft},   // a gap of 4
      {{-7, 20, 12, 20}, TAlignButton::sudNone},
      {{30, 20, 12, 20}, TAlignButton::sudNone},   // inside
      {{70, 0, 12, 20}, TAlignButton::sudNone},    // middle row 10 above the edit
      {{70, 30, 12, 20}, TAlignButton::sudRight},  // middle row 40 on its bottom edge
      {{70, 31, 12, 20}, TAlignButton::sudNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyBeside(c.control, edit), c.expected) << c.control.left << "," << c.control.top;
}

}  // namespace
}  // namespace tessora
