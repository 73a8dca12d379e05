#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "ScriptedRandom.h"
#include "engine/PlayList.h"

using namespace tessora;

namespace {

PlayList ListOfLevels(std::initializer_list<std::int32_t> levels) {
  PlayList list;
  int n = 0;
  for (std::int32_t level : levels) list.Add("C:\\Savers\\s" + std::to_string(n++) + ".scr", 0, level);
  return list;
}

TEST(LevelWeight, FollowsTheTableAndTreatsStrayLevelsAsDefault) {
  const struct {
    std::int32_t level;
    std::uint32_t weight;
  } cases[] = {
      {0, 6}, {1, 10}, {2, 14}, {3, 26}, {4, 43},
      {-1, 14}, {5, 14}, {100, 14}, {std::numeric_limits<std::int32_t>::min(), 14}, {std::numeric_limits<std::int32_t>::max(), 14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    EXPECT_EQ(LevelWeight(c.level), c.weight);
  }
}

TEST(PlayList, ItemsCarryCumulativeWeights) {
  const PlayList list = ListOfLevels({0, 2, 4, 7});
  ASSERT_EQ(list.Count(), 4u);
  EXPECT_EQ(list[0].cumulativeWeight, 6u);
  EXPECT_EQ(list[1].cumulativeWeight, 20u);
  EXPECT_EQ(list[2].cumulativeWeight, 63u);
  EXPECT_EQ(list[3].cumulativeWeight, 77u);
  EXPECT_EQ(list.TotalWeight(), 77u);
}

TEST(PlayList, BuiltFromEntriesWhoseFileExists) {
  std::vector<SaverEntry> entries(5);
  entries[0].path = "C:\\a.scr";
  entries[0].level = 4;
  entries[1].path = "C:\\gone.scr";
  entries[1].level = 4;
  entries[2].path = "";
  entries[3].path = "C:\\My Savers\\b.scr";
  entries[3].seconds = 30;
  entries[3].level = 0;
  entries[4].path = "C:\\c.scr";
  const std::set<std::string> files{"C:\\a.scr", "C:\\My Savers\\b.scr", "C:\\c.scr", ""};
  const PlayList list = BuildPlayList(entries, [&](const std::string& path) { return files.count(path) != 0; });

  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list[0].path, "C:\\a.scr");
  EXPECT_EQ(list[1].path, "C:\\My Savers\\b.scr");
  EXPECT_EQ(list[1].seconds, 30);
  EXPECT_EQ(list[2].path, "C:\\c.scr");
  EXPECT_EQ(list.TotalWeight(), 43u + 6u + 14u);

  // List order goes from the entry before a missing one straight to the one after.
  ScriptedRandom noDraws{};
  EXPECT_EQ(list.SelectNextEntry(0, false, noDraws), 1);
}

TEST(SelectNextEntry, ListOrderWraps) {
  ScriptedRandom noDraws{};
  const PlayList three = ListOfLevels({2, 0, 4});
  std::vector<int> order;
  int last = -1;
  for (int i = 0; i < 7; ++i) order.push_back(last = three.SelectNextEntry(last, false, noDraws));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));

  const PlayList one = ListOfLevels({2});
  EXPECT_EQ(one.SelectNextEntry(-1, false, noDraws), 0);
  EXPECT_EQ(one.SelectNextEntry(0, false, noDraws), 0);

  // A last index that is not one of the items starts over at the first.
  EXPECT_EQ(three.SelectNextEntry(5, false, noDraws), 0);
  EXPECT_EQ(three.SelectNextEntry(-7, false, noDraws), 0);
  EXPECT_TRUE(noDraws.Bounds().empty());
}

TEST(SelectNextEntry, EmptyListHasNoEntry) {
  ScriptedRandom noDraws{};
  const PlayList empty;
  EXPECT_EQ(empty.SelectNextEntry(-1, false, noDraws), -1);
  EXPECT_EQ(empty.SelectNextEntry(-1, true, noDraws), -1);
}

TEST(SelectNextEntry, RandomDrawMapsOntoCumulativeWeights) {
  // Levels 0, 2, 4: cumulative 6, 20, 63.
  const PlayList list = ListOfLevels({0, 2, 4});
  for (std::uint64_t r = 0; r < 63; ++r) {
    SCOPED_TRACE(r);
    ScriptedRandom random{r};
    const int expected = r < 6 ? 0 : (r < 20 ? 1 : 2);
    EXPECT_EQ(list.SelectNextEntry(-1, true, random), expected);
    EXPECT_EQ(random.Bounds(), (std::vector<std::uint64_t>{63}));
  }
}

TEST(SelectNextEntry, RandomDrawRepeatsWhileItHitsTheLastEntry) {
  const PlayList list = ListOfLevels({0, 2, 4});
  const struct {
    int last;
    std::initializer_list<std::uint64_t> draws;
    int expected;
  } cases[] = {
      {2, {30, 10}, 1},
      {2, {62, 20, 40, 5}, 0},
      {0, {3, 5, 0, 19}, 1},
      {1, {6, 19, 62}, 2},
      {-1, {0}, 0},
  };
  for (const auto& c : cases) {
    ScriptedRandom random(c.draws);
    EXPECT_EQ(list.SelectNextEntry(c.last, true, random), c.expected);
    EXPECT_TRUE(random.Exhausted());
    EXPECT_EQ(random.Bounds().size(), c.draws.size());
  }
}

// A broken source that always gives the same end of the range.
class StuckRandom : public RandomSource {
 public:
  explicit StuckRandom(bool top) : top_(top) {}
  std::uint64_t Below(std::uint64_t bound) override { return top_ ? bound - 1 : 0; }

 private:
  bool top_;
};

TEST(SelectNextEntry, RandomOrderEndsEvenWithASourceStuckOnTheLastEntry) {
  const PlayList list = ListOfLevels({0, 2, 4});
  StuckRandom bottom(false);
  StuckRandom top(true);
  EXPECT_EQ(list.SelectNextEntry(0, true, bottom), 1);
  EXPECT_EQ(list.SelectNextEntry(2, true, top), 1);
  // A single item has nothing else to draw and is taken again.
  const PlayList one = ListOfLevels({3});
  EXPECT_EQ(one.SelectNextEntry(0, true, bottom), 0);
}

TEST(SelectNextEntry, RandomOrderNeverRepeatsTheLastEntry) {
  SeededRandom random(20240611);
  const PlayList two = ListOfLevels({0, 4});
  int last = -1;
  for (int i = 0; i < 1000; ++i) {
    const int next = two.SelectNextEntry(last, true, random);
    if (last != -1) {
      ASSERT_EQ(next, 1 - last) << "two entries must alternate strictly";
    }
    last = next;
  }

  const PlayList five = ListOfLevels({0, 1, 2, 3, 4});
  std::array<int, 5> seen{};
  last = -1;
  for (int i = 0; i < 20000; ++i) {
    const int next = five.SelectNextEntry(last, true, random);
    ASSERT_NE(next, last);
    ++seen[static_cast<std::size_t>(next)];
    last = next;
  }
  for (int count : seen) EXPECT_GT(count, 0);
}

// Shares of many draws with a seeded source. Tolerance: each share lies within
// one percentage point of its weight's share (with 63000 draws the standard
// error of a share is at most 0.2 points).
TEST(SelectNextEntry, RandomDrawsFollowTheWeights) {
  constexpr double kTolerance = 0.01;
  constexpr int kDraws = 63000;
  SeededRandom random(7);
  const PlayList list = ListOfLevels({0, 2, 4});

  // The first draw of a run: all three by weight, 6 : 14 : 43.
  std::array<int, 3> first{};
  for (int i = 0; i < kDraws; ++i) ++first[static_cast<std::size_t>(list.SelectNextEntry(-1, true, random))];
  EXPECT_NEAR(first[0] / double(kDraws), 6.0 / 63, kTolerance);
  EXPECT_NEAR(first[1] / double(kDraws), 14.0 / 63, kTolerance);
  EXPECT_NEAR(first[2] / double(kDraws), 43.0 / 63, kTolerance);

  // After the heaviest one: the other two by weight, 6 : 14.
  std::array<int, 3> afterLast{};
  for (int i = 0; i < kDraws; ++i) ++afterLast[static_cast<std::size_t>(list.SelectNextEntry(2, true, random))];
  EXPECT_EQ(afterLast[2], 0);
  EXPECT_NEAR(afterLast[0] / double(kDraws), 6.0 / 20, kTolerance);
  EXPECT_NEAR(afterLast[1] / double(kDraws), 14.0 / 20, kTolerance);

  // After the lightest one: 14 : 43.
  std::array<int, 3> afterFirst{};
  for (int i = 0; i < kDraws; ++i) ++afterFirst[static_cast<std::size_t>(list.SelectNextEntry(0, true, random))];
  EXPECT_EQ(afterFirst[0], 0);
  EXPECT_NEAR(afterFirst[1] / double(kDraws), 14.0 / 57, kTolerance);
  EXPECT_NEAR(afterFirst[2] / double(kDraws), 43.0 / 57, kTolerance);
}

}  // namespace
