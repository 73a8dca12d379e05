#include <gtest/gtest.h>

#include <vector>

#include "controls/PartFrame.h"

namespace tessora {
namespace {

using C = PartColour;
constexpr FrameSide A = FrameSide::TopLeft;
constexpr FrameSide B = FrameSide::BottomRight;

TEST(PartFrameColours, TableOfBodies) {
  struct Case {
    TBody body;
    bool sunken;
    int frame;
    std::optional<FrameColours> expected;
  } cases[] = {
      {TBody::bdFull, true, 0, FrameColours{C::Shadow, C::Highlight}},
      {TBody::bdFull, true, 1, FrameColours{C::DarkShadow, C::Light}},
      {TBody::bdFull, false, 0, FrameColours{C::Light, C::DarkShadow}},
      {TBody::bdFull, false, 1, FrameColours{C::Highlight, C::Shadow}},
      {TBody::bdMedium, true, 0, FrameColours{C::Black, C::Highlight}},
      {TBody::bdMedium, true, 1, FrameColours{C::Shadow, C::Face}},
      {TBody::bdMedium, false, 0, FrameColours{C::Highlight, C::Black}},
      {TBody::bdMedium, false, 1, FrameColours{C::Face, C::Shadow}},
      {TBody::bdLight, true, 0, FrameColours{C::Shadow, C::Highlight}},
      {TBody::bdLight, true, 1, std::nullopt},
      {TBody::bdLight, false, 0, FrameColours{C::Highlight, C::Shadow}},
      {TBody::bdLight, false, 1, std::nullopt},
      {TBody::bdNone, true, 0, std::nullopt},
      {TBody::bdNone, false, 0, std::nullopt},
      {TBody::bdFull, false, 2, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FrameColoursFor(c.body, c.sunken, c.frame), c.expected)
        << static_cast<int>(c.body) << c.sunken << c.frame;
}

TEST(PartFrameRect, InsetAndTooSmall) {
  EXPECT_EQ(FrameRectFor(4, 3, 0), (FrameRect{0, 0, 3, 2}));
  EXPECT_EQ(FrameRectFor(4, 3, 1), (FrameRect{1, 1, 2, 1}));
  EXPECT_EQ(FrameRectFor(2, 3, 1), std::nullopt);
  EXPECT_EQ(FrameRectFor(3, 2, 1), std::nullopt);
  EXPECT_EQ(FrameRectFor(1, 1, 0), (FrameRect{0, 0, 0, 0}));
  EXPECT_EQ(FrameRectFor(0, 5, 0), std::nullopt);
}

struct PixelCase {
  FrameRect rect;
  std::vector<FramePixel> solid;
  std::vector<FramePixel> dotted;
};

class PartFramePixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PartFramePixels, SolidAndDotted) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(SolidFramePixels(c.rect), c.solid);
  EXPECT_EQ(DottedFramePixels(c.rect), c.dotted);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PartFramePixels,
    ::testing::Values(
        // A part of 4 x 3.
        PixelCase{{0, 0, 3, 2},
                  {{0, 0, A}, {1, 0, A}, {2, 0, A}, {3, 0, B}, {0, 1, A}, {3, 1, B},
                   {0, 2, B}, {1, 2, B}, {2, 2, B}, {3, 2, B}},
                  {{0, 0, A}, {2, 0, A}, {3, 1, B}, {0, 2, B}, {2, 2, B}}},
        // Frame 1 of a 5 x 5 part.
        PixelCase{{1, 1, 3, 3},
                  {{1, 1, A}, {2, 1, A}, {3, 1, B}, {1, 2, A}, {3, 2, B}, {1, 3, B}, {2, 3, B}, {3, 3, B}},
                  {{1, 1, A}, {3, 1, B}, {1, 3, B}, {3, 3, B}}},
        // Degenerate frames: one pixel, one column, one row.
        PixelCase{{0, 0, 0, 0}, {{0, 0, B}}, {{0, 0, B}}},
        PixelCase{{0, 0, 0, 2}, {{0, 0, B}, {0, 1, B}, {0, 2, B}}, {{0, 0, B}, {0, 2, B}}},
        PixelCase{{0, 0, 2, 0}, {{0, 0, B}, {1, 0, B}, {2, 0, B}}, {{0, 0, B}, {2, 0, B}}}));

TEST(PartFramePlan, WhatEachStatePaints) {
  struct Case {
    TBody body;
    bool flat, down, raised, designing;
    int width, height;
    bool fill;
    std::vector<std::pair<FrameColours, bool>> frames;  // colours, solid
  } cases[] = {
      {TBody::bdFull, false, false, true, false, 12, 9, true,
       {{{C::Light, C::DarkShadow}, true}, {{C::Highlight, C::Shadow}, true}}},
      {TBody::bdFull, false, true, true, false, 12, 9, true,
       {{{C::Shadow, C::Highlight}, true}, {{C::DarkShadow, C::Light}, true}}},
      {TBody::bdLight, false, false, true, false, 12, 2, true, {{{C::Highlight, C::Shadow}, true}}},
      {TBody::bdFull, false, false, true, false, 2, 2, true, {{{C::Light, C::DarkShadow}, true}}},
      {TBody::bdNone, false, true, true, false, 12, 9, false, {}},
      // Flat and not hovered: nothing at all, but a designer shows a dotted border.
      {TBody::bdMedium, true, false, false, false, 12, 9, false, {}},
      {TBody::bdMedium, true, false, false, true, 12, 9, false,
       {{{C::Highlight, C::Black}, false}, {{C::Face, C::Shadow}, false}}},
      {TBody::bdMedium, true, true, false, false, 12, 9, false,
       {{{C::Black, C::Highlight}, false}, {{C::Shadow, C::Face}, false}}},
      {TBody::bdMedium, true, false, true, false, 12, 9, false,
       {{{C::Highlight, C::Black}, true}, {{C::Face, C::Shadow}, true}}},
  };
  for (const Case& c : cases) {
    const PartPaint paint = PlanPartPaint(c.body, c.flat, c.down, c.raised, c.designing, c.width, c.height);
    EXPECT_EQ(paint.fill, c.fill);
    ASSERT_EQ(paint.frames.size(), c.frames.size());
    for (std::size_t k = 0; k < c.frames.size(); ++k) {
      EXPECT_EQ(paint.frames[k].colours, c.frames[k].first);
      EXPECT_EQ(paint.frames[k].solid, c.frames[k].second);
      EXPECT_EQ(paint.frames[k].rect, FrameRectFor(c.width, c.height, static_cast<int>(k)));
    }
  }
}

}  // namespace
}  // namespace tessora
