#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "controls/Confine.h"

namespace tessora {
namespace {

TfConfine Limits(long double min, long double max, bool wrap) {
  TfConfine confine;
  confine.SetWrap(wrap);
  confine.SetMax(max);
  confine.SetMin(min);
  return confine;
}

TEST(TfConfineLimits, SettingOneLimitPastTheOtherDragsItAlong) {
  TfConfine confine = Limits(0, 100, false);
  confine.SetMin(200);
  EXPECT_EQ(confine.Min(), 200);
  EXPECT_EQ(confine.Max(), 200);

  confine = Limits(0, 100, false);
  confine.SetMax(-5);
  EXPECT_EQ(confine.Min(), -5);
  EXPECT_EQ(confine.Max(), -5);

  confine = Limits(0, 100, false);
  confine.SetMin(50);
  EXPECT_EQ(confine.Max(), 100);
}

TEST(TfConfineLimits, NanLimitIsIgnored) {
  TfConfine confine = Limits(0, 100, false);
  confine.SetMin(NAN);
  confine.SetMax(NAN);
  EXPECT_EQ(confine.Min(), 0);
  EXPECT_EQ(confine.Max(), 100);
}

struct ConfineCase {
  long double min, max;
  bool wrap;
  long double value;
  long double expected;
};

class TfConfineTable : public ::testing::TestWithParam<ConfineCase> {};

TEST_P(TfConfineTable, BringsTheValueIntoRange) {
  const ConfineCase& c = GetParam();
  EXPECT_EQ(Limits(c.min, c.max, c.wrap).Confine(c.value), c.expected);
}

constexpr long double kInf = std::numeric_limits<long double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Clamp, TfConfineTable,
    ::testing::Values(ConfineCase{0, 100, false, -5, 0}, ConfineCase{0, 100, false, 150, 100},
                      ConfineCase{0, 100, false, 100, 100}, ConfineCase{0, 100, false, 0, 0},
                      ConfineCase{0, 100, false, 42.5L, 42.5L},
                      ConfineCase{0, 100, false, kInf, 100}, ConfineCase{0, 100, false, -kInf, 0},
                      ConfineCase{0, 100, false, NAN, 0}));

INSTANTIATE_TEST_SUITE_P(
    Wrap, TfConfineTable,
    ::testing::Values(ConfineCase{0, 10, true, 11, 1}, ConfineCase{0, 10, true, 20, 10},
                      ConfineCase{0, 10, true, 25, 5}, ConfineCase{0, 10, true, -1, 9},
                      ConfineCase{0, 10, true, -10, 0}, ConfineCase{0, 10, true, 0, 0},
                      ConfineCase{0, 10, true, 10, 10}, ConfineCase{0, 10, true, -25, 5},
                      ConfineCase{0, 10, true, 0x1p100L, 6}, ConfineCase{1, 86400, true, 0, 86399},
                      ConfineCase{5, 5, true, 7, 5}, ConfineCase{5, 5, true, -7, 5},
                      ConfineCase{5, 5, true, 5, 5}, ConfineCase{0, 10, true, kInf, 0},
                      ConfineCase{0, 10, true, -kInf, 0}, ConfineCase{0, 10, true, NAN, 0}));

// The one-step wrap must agree with adding or subtracting whole periods; with
// eighths the loop's arithmetic is exact, so the results must be identical.
TEST(TfConfineWrap, AgreesWithRepeatedPeriods) {
  const TfConfine confine = Limits(-2.5L, 5.25L, true);
  const long double period = confine.Max() - confine.Min();
  for (long double x = -100; x <= 100; x += 0.125L) {
    long double looped = x;
    while (looped < confine.Min()) looped += period;
    while (looped > confine.Max()) looped -= period;
    ASSERT_EQ(confine.Confine(x), looped) << static_cast<double>(x);
  }
}

TEST(TfConfineWrap, TinyPeriodAgainstHugeValueEndsInRange) {
  for (const long double x : {LDBL_MAX, -LDBL_MAX, 1e300L, -1e-300L}) {
    const TfConfine confine = Limits(0, 1e-3L, true);
    const long double result = confine.Confine(x);
    EXPECT_GE(result, confine.Min());
    EXPECT_LE(result, confine.Max());
  }
}

TEST(TfConfineWrap, DistanceBeyondTheExtendedRangeGivesMin) {
  const TfConfine confine = Limits(LDBL_MAX / 2, LDBL_MAX / 2 + LDBL_MAX / 4, true);
  EXPECT_EQ(confine.Confine(-LDBL_MAX), confine.Min());
}

}  // namespace
}  // namespace tessora
