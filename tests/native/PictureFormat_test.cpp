#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "controls/PictureFormat.h"

namespace tessora {
namespace {

struct FormatCase {
  std::string format;
  long double value;
  std::string expected;
};

class PictureFormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormatTable, WritesThePicture) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << static_cast<double>(c.value);
}

INSTANTIATE_TEST_SUITE_P(
    WholeSeconds, PictureFormatTable,
    ::testing::Values(FormatCase{"0", 0, "0"}, FormatCase{"0", 86400, "86400"}, FormatCase{"0", 1, "1"},
                      FormatCase{"0", 1.5L, "2"}, FormatCase{"0", 2.5L, "3"}, FormatCase{"0", -2.5L, "-3"},
                      FormatCase{"0", 2.4999999L, "2"}, FormatCase{"0", -0.4L, "0"},
                      FormatCase{"0", -0.0L, "0"}, FormatCase{"0", 0x1p100L, "1267650600228229401496703205376"}));

INSTANTIATE_TEST_SUITE_P(
    TwoDecimals, PictureFormatTable,
    ::testing::Values(FormatCase{"#,##0.00", 1234.5L, "1,234.50"}, FormatCase{"#,##0.00", 0, "0.00"},
                      FormatCase{"#,##0.00", 1, "1.00"}, FormatCase{"#,##0.00", 100, "100.00"},
                      FormatCase{"#,##0.00", 1000, "1,000.00"}, FormatCase{"#,##0.00", -1234.5L, "-1,234.50"},
                      FormatCase{"#,##0.00", 1234567.25L, "1,234,567.25"},
                      FormatCase{"#,##0.00", 0.125L, "0.13"}, FormatCase{"#,##0.00", -0.125L, "-0.13"},
                      // Just below the half in binary: rounds down, though 0.125 would round up.
                      FormatCase{"#,##0.00", 0.125L - 0x1p-60L, "0.12"},
                      FormatCase{"#,##0.00", 999.9990234375L, "1,000.00"},
                      FormatCase{"#,##0.00", -0.001L, "0.00"},
                      FormatCase{"#,##0", 0x1p100L, "1,267,650,600,228,229,401,496,703,205,376"},
                      FormatCase{"#,##0.00", LDBL_TRUE_MIN, "0.00"}));

INSTANTIATE_TEST_SUITE_P(
    Placeholders, PictureFormatTable,
    ::testing::Values(FormatCase{"#", 0, ""}, FormatCase{"#", 5, "5"}, FormatCase{"#", 123, "123"},
                      FormatCase{"#.##", 1.5L, "1.5"}, FormatCase{"#.##", 1, "1"},
                      FormatCase{"#.##", 0.25L, ".25"}, FormatCase{"0.##", 2, "2"},
                      FormatCase{"0.0#", 2, "2.0"}, FormatCase{"00.0", 5, "05.0"},
                      FormatCase{"000", 1234, "1234"}, FormatCase{"#0#", 5, "05"},
                      FormatCase{".00", 12.5L, "12.50"}, FormatCase{".00", 0.5L, ".50"},
                      FormatCase{"0.0.0", 1.25L, "1.25"}, FormatCase{"0.00,0", 1.25L, "1.250"},
                      FormatCase{"", 1234.5L, "1234.5"}, FormatCase{"", 0x1p-10L, "0.0009765625"},
                      FormatCase{"", -3, "-3"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, PictureFormatTable,
    ::testing::Values(FormatCase{"0 s", 5, "5 s"}, FormatCase{"\"$\"#,##0", 1234, "$1,234"},
                      FormatCase{"'#'0", 7, "#7"}, FormatCase{"0 \"sec", 7, "7 sec"},
                      FormatCase{"\"$\"#,##0", -1234, "-$1,234"}, FormatCase{"abc", 7, "abc"}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, PictureFormatTable,
    ::testing::Values(FormatCase{"0", std::numeric_limits<long double>::infinity(), "INF"},
                      FormatCase{"0", -std::numeric_limits<long double>::infinity(), "-INF"},
                      FormatCase{"0", std::numeric_limits<long double>::quiet_NaN(), "NAN"}));

TEST(PictureFormatPunctuation, UsesTheSystemsSeparators) {
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5L, {".", ","}), "1.234,50");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5L, {"\xa0", ","}), "1\xa0" "234\xa0" "567,50");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5L, {"", "."}), "1234.50");
  EXPECT_EQ(FormatFloat("0", 1234.5L, {".", ","}), "1235");
}

}  // namespace
}  // namespace tessora
