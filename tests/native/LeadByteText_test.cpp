#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "controls/LeadByteText.h"

namespace tessora {
namespace {

// Parameterised cases print as their names.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

TEST(LeadByteText, ShiftJisLeadByteRanges) {
  struct Case {
    unsigned char byte;
    bool lead;
  };
  const Case cases[] = {{0x00, false}, {0x41, false}, {0x7F, false}, {0x80, false}, {0x81, true},
                        {0x9F, true},  {0xA0, false}, {0xB1, false}, {0xDF, false}, {0xE0, true},
                        {0xFC, true},  {0xFD, false}, {0xFF, false}};
  for (const Case& c : cases) EXPECT_EQ(IsShiftJisLeadByte(c.byte), c.lead) << std::hex << int{c.byte};
}

struct SplitCase {
  const char* name;
  std::string text;
  bool shiftJis;
  std::vector<TextSpan> spans;
};

class LeadByteSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(LeadByteSplit, SplitsAndCounts) {
  const SplitCase& c = GetParam();
  const LeadByteTest isLead = c.shiftJis ? LeadByteTest(IsShiftJisLeadByte) : LeadByteTest();
  EXPECT_EQ(SplitCharacters(c.text, isLead), c.spans);
  EXPECT_EQ(CountCharacters(c.text, isLead), c.spans.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadByteSplit,
    testing::Values(
        SplitCase{"Empty", "", true, {}},
        SplitCase{"Ascii", "abc", true, {{0, 1}, {1, 1}, {2, 1}}},
        // "あい"
        SplitCase{"DoubleByte", "\x82\xA0\x82\xA2", true, {{0, 2}, {2, 2}}},
        // "aあb"
        SplitCase{"Mixed", "a\x82\xA0" "b", true, {{0, 1}, {1, 2}, {3, 1}}},
        // "ンン": the trail byte 0x93 is itself a lead-byte value and must not start a character
        SplitCase{"TrailInLeadRange", "\x83\x93\x83\x93", true, {{0, 2}, {2, 2}}},
        // "表": trail byte 0x5C is the ASCII backslash
        SplitCase{"BackslashTrail", "\x95\x5C", true, {{0, 2}}},
        // half-width katakana are single bytes
        SplitCase{"HalfWidthKana", "\xB1\xB2", true, {{0, 1}, {1, 1}}},
        SplitCase{"LeadByteAtEnd", "a\x82", true, {{0, 1}, {1, 1}}},
        SplitCase{"LoneLeadByte", "\x82", true, {{0, 1}}},
        SplitCase{"NoLeadByteTest", "\x82\xA0", false, {{0, 1}, {1, 1}}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(LeadByteText, CharacterLengthAtAndPastTheEnd) {
  const std::string text = "\x82\xA0z";
  EXPECT_EQ(CharacterLength(text, 0, IsShiftJisLeadByte), 2u);
  EXPECT_EQ(CharacterLength(text, 2, IsShiftJisLeadByte), 1u);
  EXPECT_EQ(CharacterLength(text, 3, IsShiftJisLeadByte), 0u);
  EXPECT_EQ(CharacterLength(text, 99, IsShiftJisLeadByte), 0u);
}

}  // namespace
}  // namespace tessora
