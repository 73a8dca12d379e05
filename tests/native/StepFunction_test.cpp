#include <gtest/gtest.h>

#include <cmath>

#include "controls/StepFunction.h"

namespace tessora {
namespace {

// ln and exp leave a few units in the last place of the extended result.
void ExpectClose(long double actual, long double expected) {
  EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
              1e-15 * std::fmax(1.0, std::fabs(static_cast<double>(expected))));
}

struct MoveCase {
  TFunctionKind kind;
  long double rate;
  long double value;
  long double steps;
  long double expected;
};

class StepFunctionMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(StepFunctionMove, MovesByStepsFromValue) {
  const MoveCase& c = GetParam();
  TSUDFunctions functions;
  functions.SetKind(c.kind);
  functions.SetRate(c.rate);
  ExpectClose(functions.Move(c.value, c.steps), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StepFunctionMove,
    ::testing::Values(MoveCase{TFunctionKind::fkLinear, 1, 5, 1, 6},
                      MoveCase{TFunctionKind::fkLinear, 1, 5, -3, 2},
                      MoveCase{TFunctionKind::fkLinear, 0.5L, 5, 2, 6},
                      MoveCase{TFunctionKind::fkLinear, 0, 5, 3, 0},
                      MoveCase{TFunctionKind::fkLinear, 0, -7, -1, 0},
                      MoveCase{TFunctionKind::fkExponential, 2, 8, 1, 16},
                      MoveCase{TFunctionKind::fkExponential, 2, 8, -1, 4},
                      MoveCase{TFunctionKind::fkExponential, 2, 0, 1, 2},
                      MoveCase{TFunctionKind::fkExponential, 1, 8, 3, 1},
                      MoveCase{TFunctionKind::fkExponential, 1, 123, -2, 1},
                      MoveCase{TFunctionKind::fkExponential, 0.5L, 8, 2, 2},
                      MoveCase{TFunctionKind::fkExponential, 0, 8, 1, 0},
                      MoveCase{TFunctionKind::fkExponential, -2, 8, 1, 0},
                      // A negative value has no exponential inverse: counted from 0 steps.
                      MoveCase{TFunctionKind::fkExponential, 2, -8, 3, 8}));

struct RateCase {
  TFunctionKind kind;
  long double position, quantity, increment;
  long double expected;
};

class StepFunctionRateFromIncrement : public ::testing::TestWithParam<RateCase> {};

TEST_P(StepFunctionRateFromIncrement, GivesTheRateOrZeroOutsideTheDomain) {
  const RateCase& c = GetParam();
  TSUDFunctions functions;
  functions.SetKind(c.kind);
  ExpectClose(functions.RateFromIncrement(c.position, c.quantity, c.increment), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StepFunctionRateFromIncrement,
    ::testing::Values(RateCase{TFunctionKind::fkLinear, 5, 2, 1, 0.5L},
                      RateCase{TFunctionKind::fkLinear, 5, 0, 1, 0},
                      RateCase{TFunctionKind::fkLinear, -5, 4, -2, -0.5L},
                      RateCase{TFunctionKind::fkExponential, 100, 1, 100, 2},
                      RateCase{TFunctionKind::fkExponential, 100, 2, 300, 2},
                      RateCase{TFunctionKind::fkExponential, 0, 1, 100, 0},
                      RateCase{TFunctionKind::fkExponential, -4, 1, 100, 0},
                      RateCase{TFunctionKind::fkExponential, 100, 1, -100, 0},
                      RateCase{TFunctionKind::fkExponential, 100, 1, -150, 0},
                      RateCase{TFunctionKind::fkExponential, 100, 0, 100, 0}));

TEST(StepFunctionDomain, OutsideTheDomainEverythingIsZero) {
  TSUDExponential exponential;
  EXPECT_EQ(exponential.Rate(), 2);
  EXPECT_EQ(exponential.Inverse(0), 0);
  EXPECT_EQ(exponential.Inverse(-1), 0);
  exponential.SetRate(1);
  EXPECT_EQ(exponential.Inverse(50), 0);
  exponential.SetRate(-3);
  EXPECT_EQ(exponential.Evaluate(2), 0);

  TSUDLinear linear;
  EXPECT_EQ(linear.Rate(), 1);
  linear.SetRate(0);
  EXPECT_EQ(linear.Inverse(42), 0);

  TSUDFunction base;
  EXPECT_EQ(base.Rate(), 0);
  EXPECT_EQ(base.Evaluate(3), 0);
  EXPECT_EQ(base.Inverse(3), 0);
  EXPECT_EQ(base.RateFromIncrement(1, 1, 1), 0);
}

TEST(StepFunctionCollection, StartsLinearWithRateOne) {
  TSUDFunctions functions;
  EXPECT_EQ(functions.Kind(), TFunctionKind::fkLinear);
  EXPECT_NE(dynamic_cast<const TSUDLinear*>(&functions.Function()), nullptr);
  EXPECT_EQ(functions.Rate(), 1);
}

TEST(StepFunctionCollection, KindChangeReplacesTheFunctionAndKeepsTheRate) {
  TSUDFunctions functions;
  functions.SetKind(TFunctionKind::fkExponential);
  EXPECT_NE(dynamic_cast<const TSUDExponential*>(&functions.Function()), nullptr);
  EXPECT_EQ(functions.Rate(), 1);  // not the exponential's own starting 2
  functions.SetRate(3);
  const TSUDFunction* before = &functions.Function();
  functions.SetKind(TFunctionKind::fkExponential);
  EXPECT_NE(&functions.Function(), before);
  EXPECT_EQ(functions.Rate(), 3);
  functions.SetKind(TFunctionKind::fkLinear);
  EXPECT_EQ(functions.Rate(), 3);
  EXPECT_EQ(functions.Move(2, 1), 5);
}

TEST(StepFunctionCollection, UnknownKindFallsBackToTheBaseFunction) {
  TSUDFunctions functions;
  functions.SetRate(4);
  functions.SetKind(static_cast<TFunctionKind>(7));
  EXPECT_EQ(functions.Kind(), static_cast<TFunctionKind>(7));
  EXPECT_EQ(functions.Rate(), 4);
  EXPECT_EQ(functions.Move(10, 1), 0);
}

TEST(StepFunctionCollection, AssignTakesKindAndRate) {
  TSUDFunctions source;
  source.SetKind(TFunctionKind::fkExponential);
  source.SetRate(1.5L);
  TSUDFunctions target;
  target.Assign(source);
  EXPECT_EQ(target.Kind(), TFunctionKind::fkExponential);
  EXPECT_EQ(target.Rate(), 1.5L);
  target.Assign(target);
  EXPECT_EQ(target.Rate(), 1.5L);
}

TEST(StepFunctionCollection, CreateMakesTheSameClassWithItsStartingRate) {
  TSUDExponential exponential;
  exponential.SetRate(9);
  const auto made = exponential.Create();
  EXPECT_NE(dynamic_cast<TSUDExponential*>(made.get()), nullptr);
  EXPECT_EQ(made->Rate(), 2);
}

}  // namespace
}  // namespace tessora
