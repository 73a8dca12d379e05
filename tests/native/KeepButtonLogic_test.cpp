#include <gtest/gtest.h>

#include <vector>

#include "controls/KeepButtonLogic.h"

namespace tessora {
namespace {

TEST(KeepButtonRepeatTimes, FromTheKeyboardSettings) {
  const unsigned delays[][2] = {{0, 250}, {1, 500}, {2, 750}, {3, 1000}, {4, 1000}, {0xFFFFFFFF, 1000}};
  for (const auto& d : delays) EXPECT_EQ(KeyboardDelayMs(d[0]), d[1]) << d[0];
  const unsigned speeds[][2] = {{0, 549}, {5, 195}, {15, 77}, {31, 33},
                                {100, 33}, {0xFFFFFFFD, 33}, {0xFFFFFFFF, 33}};
  for (const auto& s : speeds) EXPECT_EQ(KeyboardSpeedMs(s[0]), s[1]) << s[0];
}

// A part wired to a timer that behaves like the toolkit's: enabling it or giving it
// a new interval restarts the countdown; an interval of 0 never ticks.
class KeepButtonRig : public ::testing::Test {
 protected:
  void SetUp() override {
    part.OnClick = [this] { clicks.push_back({now, part.RepeatCount()}); };
    part.OnRepaint = [this] { ++repaints; };
    part.OnTimerInterval = [this](unsigned ms) {
      interval = ms;
      due = now + static_cast<int>(ms);
    };
    part.OnTimerEnabled = [this](bool on) {
      enabled = on;
      due = now + static_cast<int>(interval);
    };
  }

  void MakeArrowButton(unsigned delay, unsigned speed) {
    part.SetSystemRepeatTime(false, {});
    part.SetDelay(delay);
    part.SetSpeed(speed);
    part.SetAutoRepeat(true);
    part.SetBody(TBody::bdFull);
  }

  void Run(int until) {
    while (enabled && interval > 0 && due <= until) {
      now = due;
      due = now + static_cast<int>(interval);
      part.Tick();
    }
    now = until;
  }

  struct Click {
    int at;
    int repeatCount;
    friend bool operator==(const Click&, const Click&) = default;
  };

  KeepButtonLogic part;
  std::vector<Click> clicks;
  int repaints = 0;
  int now = 0;
  int due = 0;
  unsigned interval = 0;
  bool enabled = false;
};

TEST_F(KeepButtonRig, ReleasedWithinTheDelayClicksOnceOnThePress) {
  MakeArrowButton(500, 33);
  part.Press();
  Run(499);
  part.Release(true);
  Run(2000);
  EXPECT_EQ(clicks, (std::vector<Click>{{0, 0}}));
  EXPECT_FALSE(enabled);
  EXPECT_FALSE(part.Held());
  EXPECT_FALSE(part.Down());
}

TEST_F(KeepButtonRig, HeldRepeatsAfterTheDelayThenAtTheSpeed) {
  MakeArrowButton(500, 33);
  part.Press();
  Run(600);
  EXPECT_EQ(clicks, (std::vector<Click>{{0, 0}, {500, 1}, {533, 2}, {566, 3}, {599, 4}}));
  part.Release(true);
  // The next press waits the whole delay again.
  clicks.clear();
  now = 1000;
  part.Press();
  Run(1540);
  EXPECT_EQ(clicks, (std::vector<Click>{{1000, 0}, {1500, 1}, {1533, 2}}));
}

TEST_F(KeepButtonRig, DraggedOffStopsClickingAndCountsOnWhenBack) {
  MakeArrowButton(500, 33);
  part.Press();
  Run(540);
  part.PointerLeave();
  EXPECT_FALSE(part.Down());
  Run(800);
  EXPECT_EQ(clicks.size(), 3u);
  part.PointerEnter();
  EXPECT_TRUE(part.Down());
  Run(830);
  ASSERT_EQ(clicks.size(), 4u);
  EXPECT_EQ(clicks.back().repeatCount, 3);
  part.PointerLeave();
  part.Release(false);
  EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(KeepButtonRig, ZeroDelayClicksOnceOnly) {
  MakeArrowButton(0, 33);
  part.Press();
  Run(5000);
  EXPECT_EQ(clicks, (std::vector<Click>{{0, 0}}));
}

TEST_F(KeepButtonRig, SliderKeepsLookingPressedAndClicksOnRelease) {
  part.SetBody(TBody::bdLight);
  part.SetKeepDownOnLeave(true);
  part.Press();
  EXPECT_TRUE(clicks.empty());
  part.PointerLeave();
  EXPECT_TRUE(part.Down());
  part.Release(false);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_FALSE(part.Down());
}

TEST_F(KeepButtonRig, PartWithoutRepeatReleasedOffItDoesNotClick) {
  part.Press();
  part.PointerLeave();
  part.Release(false);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(KeepButtonRig, FlatBorderFollowsThePointer) {
  part.SetFlat(true);
  EXPECT_FALSE(part.Raised());
  part.PointerEnter();
  EXPECT_TRUE(part.Raised());
  part.PointerLeave();
  EXPECT_FALSE(part.Raised());

  // While held the border stays; the release corrects it from the real pointer.
  part.PointerEnter();
  part.Press();
  part.PointerLeave();
  EXPECT_TRUE(part.Raised());
  part.Release(false);
  EXPECT_FALSE(part.Raised());

  part.SetFlat(false);
  EXPECT_TRUE(part.Raised());
}

TEST_F(KeepButtonRig, FlatChangesRepaintEvenWhenTheBorderStays) {
  part.SetFlat(true);
  part.PointerEnter();
  const int before = repaints;
  part.SetFlat(false);  // Raised stays true, but the fill comes back
  EXPECT_EQ(repaints, before + 1);
  EXPECT_TRUE(part.Raised());
}

TEST_F(KeepButtonRig, SystemRepeatTimeAndItsFailures) {
  part.SetSystemRepeatTime(true, {1, 31});
  EXPECT_TRUE(part.SystemRepeatTime());
  EXPECT_EQ(part.Delay(), 500u);
  EXPECT_EQ(part.Speed(), 33u);
  part.SetDelay(100);  // ignored at run time
  EXPECT_EQ(part.Delay(), 500u);

  part.SetSystemRepeatTime(true, {std::nullopt, 0});
  EXPECT_FALSE(part.SystemRepeatTime());
  EXPECT_EQ(part.Delay(), 500u);
  EXPECT_EQ(part.Speed(), 549u);
  part.SetDelay(100);
  EXPECT_EQ(part.Delay(), 100u);

  part.SetSystemRepeatTime(true, {3, std::nullopt});
  EXPECT_FALSE(part.SystemRepeatTime());
  EXPECT_EQ(part.Delay(), 1000u);
  EXPECT_EQ(part.Speed(), 549u);

  part.SetSystemRepeatTime(true, {0, 0});
  part.SetSpeed(20, /*designing=*/true);
  EXPECT_FALSE(part.SystemRepeatTime());
  EXPECT_EQ(part.Speed(), 20u);
}

TEST_F(KeepButtonRig, NewTimesApplyFromTheNextPress) {
  MakeArrowButton(500, 33);
  part.Press();
  Run(100);
  part.SetDelay(200);
  Run(450);
  EXPECT_EQ(clicks.size(), 1u);
  part.Release(true);
  clicks.clear();
  now = 1000;
  part.Press();
  Run(1210);
  EXPECT_EQ(clicks, (std::vector<Click>{{1000, 0}, {1200, 1}}));
}

}  // namespace
}  // namespace tessora
