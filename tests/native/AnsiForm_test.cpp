#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "controls/AnsiForm.h"
#include "controls/ShadoLblGradient.h"

namespace tessora {

void PrintTo(const WideSpan& span, std::ostream* os) { *os << "wide " << span.offset << "+" << span.length; }

namespace {

// Parameterised cases print as their names.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// A few characters of code page 932; what is not listed has no ANSI form.
std::string ShiftJis(std::wstring_view character) {
  static const std::map<wchar_t, std::string> table = {
      {L'テ', "\x83\x65"}, {L'ス', "\x83\x58"}, {L'ト', "\x83\x67"},
      {L'ン', "\x83\x93"}, {L'ｱ', "\xB1"},      {L'あ', "\x82\xA0"},
  };
  if (character.size() != 1) return "?";  // a surrogate pair: outside the code page
  if (character[0] < 0x80) return std::string(1, static_cast<char>(character[0]));
  const auto it = table.find(character[0]);
  return it == table.end() ? std::string() : it->second;
}

// A code page with three-byte characters (as UTF-8 has): nothing counts as a lead byte.
std::string ThreeBytes(std::wstring_view character) {
  if (character.size() == 1 && character[0] < 0x80) return std::string(1, static_cast<char>(character[0]));
  return "\xE3\x81\x82";
}

struct MapCase {
  const char* name;
  std::wstring text;
  AnsiEncoder encode;
  std::string bytes;
  // Byte range -> wide range.
  std::vector<std::pair<TextSpan, WideSpan>> spans;
};

class AnsiFormMap : public testing::TestWithParam<MapCase> {};

TEST_P(AnsiFormMap, BytesAndWideRanges) {
  const MapCase& c = GetParam();
  const AnsiForm form(c.text, c.encode);
  EXPECT_EQ(form.Bytes(), c.bytes);
  for (const auto& [bytes, wide] : c.spans)
    EXPECT_EQ(form.Wide(bytes.offset, bytes.length), wide) << "bytes " << bytes.offset << "+" << bytes.length;
}

const std::wstring kSurrogatePair = {static_cast<wchar_t>(0xD842), static_cast<wchar_t>(0xDFB7)};

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiFormMap,
    testing::Values(
        MapCase{"Ascii", L"Tessora", ShiftJis, "Tessora", {{{0, 1}, {0, 1}}, {{6, 1}, {6, 1}}, {{2, 5}, {2, 5}}}},
        MapCase{"DoubleByte",
                L"aテスト",
                ShiftJis,
                "a\x83\x65\x83\x58\x83\x67",
                {{{0, 1}, {0, 1}}, {{1, 2}, {1, 1}}, {{3, 4}, {2, 2}}, {{0, 7}, {0, 4}}}},
        MapCase{"HalfWidthKatakanaIsOneByte", L"ｱa", ShiftJis, "\xB1" "a", {{{0, 1}, {0, 1}}, {{1, 1}, {1, 1}}}},
        MapCase{"NotInTheCodePage", L"a€b", ShiftJis, "a?b", {{{1, 1}, {1, 1}}, {{2, 1}, {2, 1}}}},
        MapCase{"SurrogatePairIsOneCharacter",
                L"a" + kSurrogatePair + L"b",
                ShiftJis,
                "a?b",
                {{{1, 1}, {1, 2}}, {{2, 1}, {3, 1}}}},
        MapCase{"ThreeByteCharactersNeverShared",
                L"aあb",
                ThreeBytes,
                "a\xE3\x81\x82" "b",
                // A boundary inside the character moves to its end: the character
                // belongs to the range that holds its first byte.
                {{{0, 2}, {0, 2}}, {{2, 2}, {2, 0}}, {{1, 1}, {1, 1}}, {{4, 1}, {2, 1}}}},
        MapCase{"RangesPastTheEnd", L"ab", ShiftJis, "ab", {{{1, 9}, {1, 1}}, {{5, 1}, {2, 0}}}},
        MapCase{"Empty", L"", ShiftJis, "", {{{0, 0}, {0, 0}}, {{0, 3}, {0, 0}}}}));

// The gradient runs, planned on the ANSI bytes, land on whole wide characters.
TEST(AnsiForm, GradientRunsLandOnWideCharacters) {
  const std::wstring text = L"abテ";
  const AnsiForm form(text, ShiftJis);
  const auto runs = PlanTextGradient(form.Bytes(), TTextGradation::tg3Colors, 1, 2, 3, IsShiftJisLeadByte);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(form.Wide(runs[0].offset, runs[0].length), (WideSpan{0, 2}));
  EXPECT_EQ(form.Wide(runs[1].offset, runs[1].length), (WideSpan{2, 1}));
  ASSERT_EQ(runs[1].characters.size(), 1u);
  EXPECT_EQ(runs[1].characters[0].color, 3u) << "a one-character rest is drawn in the end colour";

  // "ン" ends in a byte that is a lead-byte value: the split must not take it for one.
  const std::wstring tricky = L"aンンa";
  const AnsiForm trickyForm(tricky, ShiftJis);
  const auto trickyRuns =
      PlanTextGradient(trickyForm.Bytes(), TTextGradation::tg3Colors, 1, 2, 3, IsShiftJisLeadByte);
  ASSERT_EQ(trickyRuns.size(), 2u);
  EXPECT_EQ(trickyForm.Wide(trickyRuns[0].offset, trickyRuns[0].length), (WideSpan{0, 2}));
  EXPECT_EQ(trickyForm.Wide(trickyRuns[1].offset, trickyRuns[1].length), (WideSpan{2, 2}));
}

}  // namespace
}  // namespace tessora
