#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "controls/ExtractNumber.h"

namespace tessora {
namespace {

struct ExtractCase {
  std::string text;
  bool found;
  long double value;
};

class ExtractNumberTable : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractNumberTable, FindsTheNumber) {
  const ExtractCase& c = GetParam();
  const ExtractedNumber number = ExtractNumber(c.text);
  EXPECT_EQ(number.found, c.found) << c.text;
  EXPECT_EQ(number.value, c.value) << c.text;
  EXPECT_FALSE(std::signbit(number.value) && number.value == 0) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExtractNumberTable,
    ::testing::Values(ExtractCase{"1,234.50", true, 1234.5L}, ExtractCase{"12 s", true, 12},
                      ExtractCase{"-0.5", true, -0.5L}, ExtractCase{".5", true, 0.5L},
                      ExtractCase{"007", true, 7}, ExtractCase{"1.", true, 1},
                      ExtractCase{"1e", true, 1}, ExtractCase{"1e-05", true, 1e-5L},
                      ExtractCase{"12-3", true, 123}, ExtractCase{"--5", true, -5},
                      ExtractCase{"0", true, 0}, ExtractCase{"", false, 0},
                      ExtractCase{"abc", false, 0}));

INSTANTIATE_TEST_SUITE_P(
    More, ExtractNumberTable,
    ::testing::Values(ExtractCase{"-0.0", true, 0}, ExtractCase{"-0", true, 0},
                      ExtractCase{"-", false, 0}, ExtractCase{"-.", false, 0},
                      ExtractCase{"1E3", true, 1000}, ExtractCase{"2e+3", true, 2000},
                      ExtractCase{"1e5.5", true, 1e55L}, ExtractCase{"1e5e3", true, 1e53L},
                      ExtractCase{"1e-5-", true, 1e-5L}, ExtractCase{"e5", true, 5},
                      ExtractCase{"1.2.3", true, 1.23L}, ExtractCase{"0.1", true, 0.1L},
                      ExtractCase{"100", true, 100}, ExtractCase{"$1,234,567", true, 1234567},
                      ExtractCase{"86400 sec", true, 86400},
                      // Shift-JIS full-width "1": both bytes are skipped.
                      ExtractCase{"\x82\x50", false, 0},
                      ExtractCase{"1e99999", true, LDBL_MAX}, ExtractCase{"-1e99999", true, -LDBL_MAX},
                      ExtractCase{"1e99999999999999999999", true, LDBL_MAX},
                      ExtractCase{"1e-99999", true, 0}, ExtractCase{"1e-99999999999999999999", true, 0},
                      ExtractCase{std::string(6000, '9') + "e-5999", true, 1e1L}));

}  // namespace
}  // namespace tessora
