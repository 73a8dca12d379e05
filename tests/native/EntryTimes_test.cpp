#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "ScriptedRandom.h"
#include "engine/EntryTimes.h"

using namespace tessora;

namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

TEST(EntryTimes, CloseIntervalOfEachEntry) {
  const struct {
    std::int32_t span;
    std::int32_t seconds;  // the entry's own; 0 for none
    std::uint32_t closeInterval;
  } cases[] = {
      {60, 5, 4900},
      {60, 0, 59900},
      {60, 1, 900},
      {1, 0, 900},
      {0, 0, 0},  // never switched: runs until it ends by itself
      {0, 5, 4900},
      {60, -5, 59900},  // negative seconds count as none
      {0, -5, 0},
      {60, kMinInt, 59900},
      {-3, 0, 0},  // a negative span counts as 0
      {-3, 7, 6900},
      {kMinInt, 0, 0},
      // The largest interval a timer takes.
      {60, 2147483, 2147482900},
      {60, 2147484, kMaxTimerInterval},
      {60, kMaxInt, kMaxTimerInterval},
      {kMaxInt, 0, kMaxTimerInterval},
      {2147484, 0, kMaxTimerInterval},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "span " << c.span << ", seconds " << c.seconds);
    EntryTimes times(c.span);
    const PlayListItem item{"C:\\Savers\\a.scr", c.seconds, 14};
    EXPECT_EQ(times.ApplyEntryTime(item), "C:\\Savers\\a.scr");
    EXPECT_EQ(times.CloseInterval(), c.closeInterval);
  }
}

TEST(EntryTimes, StartsWithTheDefaultCloseInterval) {
  const EntryTimes times(60);
  EXPECT_EQ(times.RestartDelay(), 100u);
  EXPECT_EQ(times.DefaultCloseInterval(), 59900u);
  EXPECT_EQ(times.CloseInterval(), 59900u);
  // The close interval and the restart delay make up the saver's whole seconds.
  EXPECT_EQ(times.CloseInterval() + times.RestartDelay(), 60000u);
}

TEST(EntryTimes, EachStartTakesItsOwnEntrysInterval) {
  EntryTimes times(30);
  times.ApplyEntryTime({"a", 5, 6});
  EXPECT_EQ(times.CloseInterval(), 4900u);
  times.ApplyEntryTime({"b", 0, 20});
  EXPECT_EQ(times.CloseInterval(), 29900u);
}

TEST(EntryTimes, ASingleEntryOrNoIntervalIsNeverClosed) {
  const struct {
    std::int32_t span;
    std::int32_t seconds;
    std::size_t itemCount;
    bool closes;
  } cases[] = {
      {60, 0, 1, false},
      {60, 5, 1, false},
      {60, 0, 2, true},
      {0, 0, 3, false},
      {0, 5, 3, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "span " << c.span << ", seconds " << c.seconds << ", items " << c.itemCount);
    EntryTimes times(c.span);
    times.ApplyEntryTime({"a", c.seconds, 14});
    EXPECT_EQ(times.ClosesCurrentEntry(c.itemCount), c.closes);
  }
}

// One start after another, the way the switch timer drives them, until a saver
// is left to run on its own.
std::vector<int> StartsUntilOneStays(std::int32_t span, std::initializer_list<std::int32_t> seconds, int maxStarts) {
  PlayList list;
  for (std::int32_t s : seconds) list.Add("saver.scr", s, 2);
  EntryTimes times(span);
  ScriptedRandom noDraws{};
  std::vector<int> started;
  int last = -1;
  while (static_cast<int>(started.size()) < maxStarts) {
    last = list.SelectNextEntry(last, false, noDraws);
    times.ApplyEntryTime(list[static_cast<std::size_t>(last)]);
    started.push_back(last);
    if (!times.ClosesCurrentEntry(list.Count())) break;
  }
  return started;
}

TEST(EntryTimes, SpanZeroKeepsTheFirstEntryWithoutSecondsOfItsOwn) {
  EXPECT_EQ(StartsUntilOneStays(0, {0, 5, 5}, 10), (std::vector<int>{0}));
  EXPECT_EQ(StartsUntilOneStays(0, {5, 3, 0, 7}, 10), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(StartsUntilOneStays(60, {0, 0, 0}, 7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
  EXPECT_EQ(StartsUntilOneStays(60, {5}, 10), (std::vector<int>{0}));
}

}  // namespace
