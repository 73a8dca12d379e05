#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/ArrowGeometry.h"

namespace tessora {
namespace {

TEST(ArrowGeometryThirds, JustBelowAThirdAndTwoThirds) {
  struct Case {
    int n, third, twoThirds;
  } cases[] = {{0, 0, 0},  {1, 0, 0},  {2, 0, 1},  {3, 0, 1},  {4, 1, 2},    {5, 1, 3},
               {8, 2, 5},  {9, 2, 5},  {12, 3, 7}, {16, 5, 10}, {-3, 0, -1}, {-4, -1, -2}};
  for (const Case& c : cases) {
    EXPECT_EQ(Third(c.n), c.third) << c.n;
    EXPECT_EQ(TwoThirds(c.n), c.twoThirds) << c.n;
  }
}

TEST(ArrowGeometryThirds, OneLessThanExactDivisionOnPositiveMultiplesOfThree) {
  for (int n = 0; n <= 3000; ++n) {
    const int less = (n > 0 && n % 3 == 0) ? 1 : 0;
    ASSERT_EQ(Third(n), n / 3 - less) << n;
    ASSERT_EQ(TwoThirds(n), 2 * n / 3 - less) << n;
  }
}

struct SizeCase {
  int width, height;
  TBody body;
  int expected;
};

class ArrowGeometrySize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ArrowGeometrySize, SmallerOfWidthAndHeightTerms) {
  const SizeCase& c = GetParam();
  EXPECT_EQ(ArrowSize({c.width, c.height}, c.body), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArrowGeometrySize,
    ::testing::Values(SizeCase{12, 9, TBody::bdFull, 2}, SizeCase{12, 8, TBody::bdFull, 2},
                      SizeCase{12, 12, TBody::bdFull, 3}, SizeCase{13, 20, TBody::bdFull, 4},
                      SizeCase{12, 9, TBody::bdMedium, 3}, SizeCase{12, 9, TBody::bdLight, 3},
                      SizeCase{12, 9, TBody::bdNone, 4}, SizeCase{5, 5, TBody::bdFull, 1},
                      SizeCase{4, 4, TBody::bdFull, 0}, SizeCase{3, 3, TBody::bdFull, -1}));

TEST(ArrowGeometryBox, StackedButtonsShareTheLowerHeight) {
  const PartRect up{0, 0, 12, 9}, down{0, 11, 12, 10};
  const PartRect parts[] = {up, down};
  EXPECT_EQ(CommonArrowBox(up, parts), (ArrowBox{12, 9}));
  EXPECT_EQ(CommonArrowBox(down, parts), (ArrowBox{12, 9}));
}

TEST(ArrowGeometryBox, ButtonsInARowShareTheNarrowerWidth) {
  const PartRect left{0, 0, 14, 9}, right{14, 0, 11, 9}, elsewhere{40, 3, 5, 5};
  const PartRect parts[] = {left, right, elsewhere};
  EXPECT_EQ(CommonArrowBox(left, parts), (ArrowBox{11, 9}));
  EXPECT_EQ(CommonArrowBox(elsewhere, parts), (ArrowBox{5, 5}));
}

struct ShapeCase {
  int width, height, size;
  TButtonType type;
  bool down;
  PartPoint baseLeft, baseRight, apex;
};

class ArrowGeometryShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ArrowGeometryShape, Corners) {
  const ShapeCase& c = GetParam();
  const ArrowShape arrow = ArrowFor(c.width, c.height, c.size, c.type, c.down);
  EXPECT_TRUE(arrow.Visible());
  EXPECT_EQ(arrow.baseLeft, c.baseLeft);
  EXPECT_EQ(arrow.baseRight, c.baseRight);
  EXPECT_EQ(arrow.apex, c.apex);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArrowGeometryShape,
    ::testing::Values(ShapeCase{12, 9, 2, TButtonType::btUp, false, {4, 5}, {6, 5}, {5, 4}},
                      ShapeCase{12, 9, 2, TButtonType::btDown, false, {4, 3}, {6, 3}, {5, 4}},
                      ShapeCase{12, 9, 2, TButtonType::btUp, true, {5, 6}, {7, 6}, {6, 5}},
                      ShapeCase{12, 9, 2, TButtonType::btDown, true, {5, 4}, {7, 4}, {6, 5}},
                      ShapeCase{12, 9, 1, TButtonType::btUp, false, {5, 4}, {5, 4}, {5, 4}},
                      // Size 10 lifts the base by one row.
                      ShapeCase{30, 30, 10, TButtonType::btUp, false, {5, 18}, {23, 18}, {14, 9}},
                      ShapeCase{30, 30, 10, TButtonType::btDown, false, {5, 11}, {23, 11}, {14, 20}}));

TEST(ArrowGeometryShape, BelowOneDrawsNothing) {
  for (int size : {0, -1, -5}) {
    const ArrowShape arrow = ArrowFor(12, 9, size, TButtonType::btUp, false);
    EXPECT_FALSE(arrow.Visible());
    EXPECT_TRUE(ArrowPixels(arrow).empty());
  }
}

std::vector<PartPoint> Sorted(std::vector<PartPoint> points) {
  std::sort(points.begin(), points.end(),
            [](PartPoint a, PartPoint b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  return points;
}

TEST(ArrowGeometryPixels, WorkedExampleAndSinglePixel) {
  EXPECT_EQ(Sorted(ArrowPixels(ArrowFor(12, 9, 2, TButtonType::btUp, false))),
            (std::vector<PartPoint>{{5, 4}, {4, 5}, {5, 5}, {6, 5}}));
  EXPECT_EQ(Sorted(ArrowPixels(ArrowFor(12, 9, 2, TButtonType::btDown, false))),
            (std::vector<PartPoint>{{4, 3}, {5, 3}, {6, 3}, {5, 4}}));
  EXPECT_EQ(ArrowPixels(ArrowFor(12, 9, 1, TButtonType::btDown, true)), (std::vector<PartPoint>{{6, 5}}));
  const auto big = ArrowPixels(ArrowFor(30, 30, 10, TButtonType::btUp, false));
  EXPECT_EQ(big.size(), 100u);  // 19 + 17 + ... + 1
}

}  // namespace
}  // namespace tessora
