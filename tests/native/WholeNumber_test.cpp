#include "settings/WholeNumber.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

using namespace tessora;

namespace {
struct NumberCase {
  std::string text;
  std::optional<std::int32_t> expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class WholeNumberRead : public testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumberRead, FollowsTheRule) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(ParseWholeNumber(c.text), c.expected);
  EXPECT_EQ(ReadWholeNumber(c.text, 4711), c.expected.value_or(4711));
}

const NumberCase kNumberCases[] = {
    {"0", 0},
    {"60", 60},
    {"007", 7},
    {"+15", 15},
    {"-1", -1},
    {"   42", 42},
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"$ff", 255},
    {"$FFFFFFFF", -1},
    {"0x80000005", static_cast<std::int32_t>(0x80000005u)},
    {"0XaB", 0xAB},
    {"x10", 16},
    {"X10", 16},
    {"  $10", 16},
    {"$000000000001", 1},  // leading zeros do not count against the 32 bits
    // Not whole numbers: the caller's default applies.
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"$100000000", std::nullopt},
    {"12 ", std::nullopt},
    {"12a", std::nullopt},
    {"\t12", std::nullopt},
    {"- 1", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"-$10", std::nullopt},
    {"-0x10", std::nullopt},
    {"$1g", std::nullopt},
    {"1.5", std::nullopt},
    {"1,5", std::nullopt},
    {"\x82\x50", std::nullopt},  // full-width digit one
};

INSTANTIATE_TEST_SUITE_P(Cases, WholeNumberRead, testing::ValuesIn(kNumberCases));

TEST(WholeNumberWrite, PlainDecimalThatReadsBack) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0"}, {60, "60"}, {-1, "-1"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(WholeNumberText(value), text);
    EXPECT_EQ(ParseWholeNumber(WholeNumberText(value)), value);
  }
}
}  // namespace
