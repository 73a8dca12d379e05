#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "ScriptedRandom.h"
#include "engine/PreviewPath.h"

using namespace tessora;

namespace {

// The label "Tessora" in its font is 89 × 24 pixels.
constexpr int kLabelWidth = 89;
constexpr int kLabelHeight = 24;

TEST(PreviewPath, RangesAndStartFollowTheWindow) {
  const struct {
    int clientWidth, clientHeight;
    int horizontalRange, verticalRange;
    int left, top;
  } cases[] = {
      {152, 112, 63, 88, 31, 44},
      {194, 182, 105, 158, 52, 79},
      {90, 25, 1, 1, 0, 0},
      {89, 24, 0, 0, 0, 0},
      // Smaller than the label: the label stays centred over the window.
      {50, 20, -39, -4, -19, -2},
      {0, 0, -89, -24, -44, -12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clientWidth << " x " << c.clientHeight);
    SeededRandom random(1);
    PreviewPath path;
    path.Start(c.clientWidth, c.clientHeight, kLabelWidth, kLabelHeight, random);
    EXPECT_EQ(path.HorizontalRange(), c.horizontalRange);
    EXPECT_EQ(path.VerticalRange(), c.verticalRange);
    EXPECT_EQ(path.Left(), c.left);
    EXPECT_EQ(path.Top(), c.top);
    EXPECT_EQ(path.StepsTaken(), 0);
  }
}

struct PathCase {
  const char* name;
  std::initializer_list<std::uint64_t> target;  // x, then y
  std::int64_t stepCount;
  double stepX, stepY;
  std::vector<std::pair<int, int>> positions;  // after each tick
};

TEST(PreviewPath, LabelFollowsItsPathRoundingUp) {
  const PathCase cases[] = {
      {"nine steps to the right", {40, 44}, 9, 1.0, 0.0,
       {{32, 44}, {33, 44}, {34, 44}, {35, 44}, {36, 44}, {37, 44}, {38, 44}, {39, 44}, {40, 44}}},
      // Rounding up while moving up: the fifth sum stays a little above 40, so
      // the label ends one pixel short of the target.
      {"up and left", {28, 40}, 5, -0.6, -0.8, {{31, 44}, {30, 43}, {30, 42}, {29, 41}, {28, 41}}},
      // The fifth sum of 0.6 comes out a little above 34, so the label ends one
      // pixel beyond the target.
      {"rounding up past the target", {34, 48}, 5, 0.6, 0.8, {{32, 45}, {33, 46}, {33, 47}, {34, 48}, {35, 48}}},
      {"diagonal", {32, 45}, 1, 1.0, 1.0, {{32, 45}}},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedRandom random(c.target);
    PreviewPath path;
    path.Start(152, 112, kLabelWidth, kLabelHeight, random);
    EXPECT_EQ(random.Bounds(), (std::vector<std::uint64_t>{63, 88}));
    ASSERT_EQ(path.StepCount(), c.stepCount);
    EXPECT_DOUBLE_EQ(path.StepX(), c.stepX);
    EXPECT_DOUBLE_EQ(path.StepY(), c.stepY);

    for (std::size_t i = 0; i + 1 < c.positions.size(); ++i) {
      path.Tick(random);
      EXPECT_EQ(std::make_pair(path.Left(), path.Top()), c.positions[i]) << "tick " << i + 1;
    }
    // The last tick ends the path: the next one starts where the label stands,
    // towards a target 10 pixels below it.
    const auto [endLeft, endTop] = c.positions.back();
    ScriptedRandom next{static_cast<std::uint64_t>(endLeft), static_cast<std::uint64_t>(endTop + 10)};
    path.Tick(next);
    EXPECT_EQ(std::make_pair(path.Left(), path.Top()), c.positions.back());
    EXPECT_TRUE(next.Exhausted());
    EXPECT_EQ(path.StepsTaken(), 0);
    EXPECT_EQ(path.StepCount(), 10);
    EXPECT_DOUBLE_EQ(path.StepX(), 0.0);
    EXPECT_DOUBLE_EQ(path.StepY(), 1.0);
  }
}

TEST(PreviewPath, TargetOnTheLabelIsDrawnAgain) {
  ScriptedRandom random{31, 44, 31, 44, 40, 44};
  PreviewPath path;
  path.Start(152, 112, kLabelWidth, kLabelHeight, random);
  EXPECT_TRUE(random.Exhausted());
  EXPECT_EQ(path.StepCount(), 9);
  EXPECT_DOUBLE_EQ(path.StepX(), 1.0);
}

TEST(PreviewPath, NoRangeMeansTargetZeroWithoutDrawing) {
  // Narrower than the label: only the vertical target is drawn.
  ScriptedRandom random{60};
  PreviewPath path;
  path.Start(50, 112, kLabelWidth, kLabelHeight, random);
  EXPECT_EQ(random.Bounds(), (std::vector<std::uint64_t>{88}));
  EXPECT_EQ(path.Left(), -19);
  EXPECT_EQ(path.Top(), 44);
  EXPECT_EQ(path.StepCount(), 24);  // from (-19, 44) to (0, 60): length 24.8
}

TEST(PreviewPath, LabelWithNowhereToGoWaitsInPlace) {
  // Exactly the label's size: the only target is where the label is.
  ScriptedRandom noDraws{};
  PreviewPath path;
  path.Start(kLabelWidth, kLabelHeight, kLabelWidth, kLabelHeight, noDraws);
  EXPECT_EQ(path.StepCount(), 0);
  for (int i = 0; i < 5; ++i) {
    path.Tick(noDraws);
    EXPECT_EQ(path.Left(), 0);
    EXPECT_EQ(path.Top(), 0);
  }
  EXPECT_TRUE(noDraws.Bounds().empty());

  // A source that keeps naming the label's own point does not hold the tick.
  ScriptedRandom same{};
  same.RepeatForever(50);
  path.Start(100 + kLabelWidth, 100 + kLabelHeight, kLabelWidth, kLabelHeight, same);
  EXPECT_EQ(path.StepCount(), 0);
  path.Tick(same);
  EXPECT_EQ(path.Left(), 50);
  EXPECT_EQ(path.Top(), 50);
}

TEST(PreviewPath, SmallWindowEndsAtTheCornerAndStays) {
  SeededRandom random(3);
  PreviewPath path;
  path.Start(50, 20, kLabelWidth, kLabelHeight, random);
  for (int i = 0; i < 100; ++i) path.Tick(random);
  EXPECT_EQ(path.Left(), 0);
  EXPECT_EQ(path.Top(), 0);
}

TEST(PreviewPath, LongRunStaysInsideAndMovesAboutOnePixelPerTick) {
  SeededRandom random(99);
  PreviewPath path;
  path.Start(152, 112, kLabelWidth, kLabelHeight, random);
  std::set<std::pair<int, int>> visited;
  for (int i = 0; i < 20000; ++i) {
    const int left = path.Left();
    const int top = path.Top();
    path.Tick(random);
    ASSERT_GE(path.Left(), 0);
    ASSERT_LE(path.Left(), 63);
    ASSERT_GE(path.Top(), 0);
    ASSERT_LE(path.Top(), 88);
    ASSERT_LE(std::abs(path.Left() - left), 2);
    ASSERT_LE(std::abs(path.Top() - top), 2);
    visited.insert({path.Left(), path.Top()});
  }
  // Straight lines between random points cover a good part of the window.
  EXPECT_GT(visited.size(), 1000u);
}

}  // namespace
