#include <gtest/gtest.h>

#include <string>

#include "controls/NumeralText.h"

namespace tessora {
namespace {

constexpr NumeralStyle kDecimal{TNumericalType::Decimal, 8, false};
constexpr NumeralStyle kDecimalFour{TNumericalType::Decimal, 8, true};
constexpr NumeralStyle kHex8{TNumericalType::HexDecimal, 8, false};
constexpr NumeralStyle kHex8Four{TNumericalType::HexDecimal, 8, true};
constexpr NumeralStyle kHex2{TNumericalType::HexDecimal, 2, false};

TEST(NumeralTextFilter, KeepsDigitsAndControlCharacters) {
  EXPECT_EQ(FilterDecimal("-12a3 4.5\t\x7f\xb1"), "12345\t");
  EXPECT_EQ(FilterHex("$0a_Fg:G@`f\x01\xc1"), "0aFf\x01");
  EXPECT_EQ(FilterDecimal(""), "");
}

TEST(NumeralTextPlaces, DigitCounts) {
  EXPECT_EQ(HexDigitCount(TNumericalPlace::places2), 2);
  EXPECT_EQ(HexDigitCount(TNumericalPlace::places4), 4);
  EXPECT_EQ(HexDigitCount(TNumericalPlace::places8), 8);
}

struct NormalizeCase {
  std::string text;
  int digitCount;
  std::string expected;
};

class NumeralTextNormalize : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(NumeralTextNormalize, GivesTheCanonicalTextOrZero) {
  const NormalizeCase& c = GetParam();
  EXPECT_EQ(NormalizeNumber(c.text, c.digitCount), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, NumeralTextNormalize,
    ::testing::Values(NormalizeCase{"2147483647", 8, "2147483647"}, NormalizeCase{"2147483648", 8, "0"},
                      NormalizeCase{"0000000001", 8, "1"}, NormalizeCase{"00000000001", 8, "0"},
                      NormalizeCase{"1999999999", 8, "1999999999"}, NormalizeCase{"3000000000", 8, "0"},
                      NormalizeCase{"2200000000", 8, "0"}, NormalizeCase{"-2147483647", 8, "-2147483647"},
                      NormalizeCase{"-2147483648", 8, "0"}, NormalizeCase{"-12", 8, "-12"},
                      NormalizeCase{"-0", 8, "0"}, NormalizeCase{"-007", 8, "-7"},
                      NormalizeCase{"007", 8, "7"}, NormalizeCase{"", 8, "0"}, NormalizeCase{"-", 8, "0"},
                      NormalizeCase{"--1", 8, "0"}, NormalizeCase{"12a", 8, "0"},
                      NormalizeCase{"abc", 8, "0"}, NormalizeCase{"1_234", 8, "0"},
                      NormalizeCase{"12\t", 8, "0"}));

INSTANTIATE_TEST_SUITE_P(
    Hex, NumeralTextNormalize,
    ::testing::Values(NormalizeCase{"$ff", 8, "$000000FF"}, NormalizeCase{"$123456789", 8, "$00000000"},
                      NormalizeCase{"$00000000000FF", 8, "$000000FF"},
                      NormalizeCase{"$FFFFFFFF", 8, "$FFFFFFFF"}, NormalizeCase{"$80000000", 8, "$80000000"},
                      NormalizeCase{"$", 8, "$00000000"}, NormalizeCase{"$0", 8, "$00000000"},
                      NormalizeCase{"$fg", 8, "$00000000"}, NormalizeCase{"$-1", 8, "$00000000"},
                      NormalizeCase{"$a", 4, "$000A"}, NormalizeCase{"$FF", 2, "$FF"},
                      NormalizeCase{"$100", 2, "$00"}, NormalizeCase{"$12345", 4, "$0000"}));

struct GroupCase {
  std::string text;
  std::string grouped;
};

class NumeralTextGroup : public ::testing::TestWithParam<GroupCase> {};

TEST_P(NumeralTextGroup, GroupsInFoursFromTheRightAndUngroupsBack) {
  const GroupCase& c = GetParam();
  EXPECT_EQ(GroupDigits(c.text, true), c.grouped);
  EXPECT_EQ(GroupDigits(c.text, false), c.text);
  EXPECT_EQ(UngroupDigits(c.grouped), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumeralTextGroup,
    ::testing::Values(GroupCase{"", ""}, GroupCase{"0", "0"}, GroupCase{"1234", "1234"},
                      GroupCase{"86400", "8_6400"}, GroupCase{"12345678", "1234_5678"},
                      GroupCase{"123456789", "1_2345_6789"}, GroupCase{"2147483647", "21_4748_3647"},
                      GroupCase{"12345678901", "123_4567_8901"}, GroupCase{"$000000FF", "$0000_00FF"},
                      GroupCase{"$FF", "$FF"}, GroupCase{"$12345", "$1_2345"},
                      GroupCase{"-1234", "-1234"}, GroupCase{"-12345", "-1_2345"}));

TEST(NumeralTextRead, WholeNumbers) {
  EXPECT_EQ(ReadWholeNumber("$FF"), 255);
  EXPECT_EQ(ReadWholeNumber("$FFFFFFFF"), -1);
  EXPECT_EQ(ReadWholeNumber("$0000000080000000"), INT32_MIN);
  EXPECT_EQ(ReadWholeNumber("$100000000"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("-2147483648"), INT32_MIN);
  EXPECT_EQ(ReadWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("99999999999999999999"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("0012"), 12);
  EXPECT_EQ(ReadWholeNumber(""), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("$"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("12x"), std::nullopt);
}

struct SettingCase {
  std::string text;
  NumeralStyle style;
  std::string expected;
};

class NumeralTextSetText : public ::testing::TestWithParam<SettingCase> {};

TEST_P(NumeralTextSetText, ShowsTheNormalizedGroupedText) {
  const SettingCase& c = GetParam();
  const std::string shown = NumeralTextFor(c.text, c.style);
  EXPECT_EQ(shown, c.expected);
  // What the Text property reads back.
  EXPECT_EQ(UngroupDigits(shown).find('_'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumeralTextSetText,
    ::testing::Values(SettingCase{"ff", kHex8, "$000000FF"}, SettingCase{"$123456789", kHex8, "$00000000"},
                      SettingCase{"", kHex8, "$00000000"}, SettingCase{"ff", kHex8Four, "$0000_00FF"},
                      SettingCase{"-12", kDecimal, "-12"}, SettingCase{"86400", kDecimalFour, "8_6400"},
                      SettingCase{"12345678", kDecimalFour, "1234_5678"},
                      SettingCase{"-12345", kDecimalFour, "-1_2345"},
                      SettingCase{"$ff", kDecimal, "$000000FF"}));

class NumeralTextSwitchOn : public ::testing::TestWithParam<SettingCase> {};

TEST_P(NumeralTextSwitchOn, ReExpressesWithoutNormalizingAgain) {
  const SettingCase& c = GetParam();
  EXPECT_EQ(NumeralOnlyText(c.text, c.style), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumeralTextSwitchOn,
    ::testing::Values(SettingCase{"abc", kDecimal, "0"}, SettingCase{"abc", kHex8, "$00000000"},
                      SettingCase{"0", kHex8, "$00000000"}, SettingCase{"255", kHex8Four, "$0000_00FF"},
                      SettingCase{"256", kHex2, "$100"}, SettingCase{"-1", kHex2, "$FFFFFFFF"},
                      SettingCase{"ff", kHex8, "$00000000"}, SettingCase{"$0000_00FF", kDecimal, "255"}));

class NumeralTextReexpress : public ::testing::TestWithParam<SettingCase> {};

TEST_P(NumeralTextReexpress, ReExpressesAndNormalizes) {
  const SettingCase& c = GetParam();
  EXPECT_EQ(ReexpressedText(c.text, c.style), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumeralTextReexpress,
    ::testing::Values(SettingCase{"$000000FF", kHex2, "$FF"}, SettingCase{"$00000100", kHex2, "$00"},
                      SettingCase{"$00000000", kDecimal, "0"}, SettingCase{"255", kHex8, "$000000FF"},
                      SettingCase{"-1", kHex8, "$FFFFFFFF"}, SettingCase{"$FFFFFFFF", kDecimal, "-1"},
                      SettingCase{"$80000000", kDecimal, "0"}, SettingCase{"86400", kDecimalFour, "8_6400"},
                      SettingCase{"8_6400", kDecimal, "86400"}, SettingCase{"$0000_00FF", kDecimal, "255"},
                      SettingCase{"abc", kHex8, "$00000000"}));

// How a form's stored values reach the program's seconds field.
TEST(NumeralTextLifecycle, StoredTextThenNumeralOnlyThenDecimal) {
  std::string text = "0";  // set while NumeralOnly is still off
  text = NumeralOnlyText(text, kHex8);
  EXPECT_EQ(text, "$00000000");
  text = ReexpressedText(text, kDecimal);
  EXPECT_EQ(text, "0");
}

// A tiny stand-in for the edit control: a typed character replaces the selection
// (Backspace deletes), then the field rebuilds its text.
class NumeralField {
 public:
  NumeralField(std::string text, int caret, NumeralStyle style)
      : text_(std::move(text)), start_(caret), end_(caret), style_(style) {}

  void Select(int start, int end) {
    start_ = start;
    end_ = end;
  }

  void Type(char c) {
    if (c == '\b') {
      if (start_ == end_ && start_ > 0) --start_;
      text_.erase(static_cast<std::size_t>(start_), static_cast<std::size_t>(end_ - start_));
    } else {
      text_.replace(static_cast<std::size_t>(start_), static_cast<std::size_t>(end_ - start_), 1, c);
      ++start_;
    }
    end_ = start_;
    const ReformatResult result = Reformat(text_, start_, end_, style_);
    text_ = result.text;
    start_ = result.selStart;
    end_ = result.selEnd;
  }

  const std::string& Text() const { return text_; }
  int Start() const { return start_; }
  int End() const { return end_; }

 private:
  std::string text_;
  int start_, end_;
  NumeralStyle style_;
};

struct TypingCase {
  std::string name;
  std::string text;
  int caret;
  NumeralStyle style;
  std::string typed;
  std::string expected;
  int expectedCaret;
};

class NumeralTextTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(NumeralTextTyping, RebuildsAndKeepsTheCaretsDistanceFromTheEnd) {
  const TypingCase& c = GetParam();
  NumeralField field(c.text, c.caret, c.style);
  for (char typed : c.typed) field.Type(typed);
  EXPECT_EQ(field.Text(), c.expected);
  EXPECT_EQ(field.Start(), c.expectedCaret);
  EXPECT_EQ(field.End(), c.expectedCaret);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumeralTextTyping,
    ::testing::Values(
        TypingCase{"DigitAppends", "60", 2, kDecimal, "5", "605", 3},
        TypingCase{"LetterVanishes", "605", 3, kDecimal, "x", "605", 3},
        TypingCase{"NeverEmpty", "605", 3, kDecimal, "\b\b\b", "0", 1},
        TypingCase{"NoLeadingZero", "605", 3, kDecimal, "\b\b\b7", "7", 1},
        TypingCase{"MinusVanishes", "12", 2, kDecimal, "-", "12", 2},
        TypingCase{"MinusAtStartVanishes", "12", 0, kDecimal, "-", "12", 0},
        TypingCase{"TooLargeBecomesZero", "214748364", 9, kDecimal, "8", "0", 1},
        TypingCase{"GroupAppears", "1234", 2, kDecimalFour, "5", "1_2534", 4},
        TypingCase{"GroupGoes", "1_2534", 6, kDecimalFour, "\b", "1253", 4},
        TypingCase{"HexShiftsIn", "$000000FF", 9, kHex8, "1", "$00000FF1", 9},
        TypingCase{"HexGrouped", "$0000_00FF", 10, kHex8Four, "a", "$0000_0FFA", 10},
        TypingCase{"HexOverflowIsZero", "$12345678", 9, kHex8, "9", "$00000000", 9},
        TypingCase{"HexInvalidLetterVanishes", "$000000FF", 9, kHex8, "g", "$000000FF", 9},
        // Eleven digits turn into "0"; the caret's distance would put it before the start.
        TypingCase{"CaretKeptInside", "1234567890", 0, kDecimal, "9", "0", 0}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return info.param.name; });

TEST(NumeralTextReformat, SelectionKeepsItsDistanceFromTheEnd) {
  NumeralField field("12345", 0, kDecimalFour);
  field.Select(1, 3);
  field.Type('9');
  EXPECT_EQ(field.Text(), "1945");
  EXPECT_EQ(field.Start(), 2);

  const ReformatResult result = Reformat("1234567", 2, 5, kDecimalFour);
  EXPECT_EQ(result, (ReformatResult{"123_4567", 3, 6}));
}

}  // namespace
}  // namespace tessora
