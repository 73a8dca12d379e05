#include "settings/CaseFold.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessora;

namespace {
struct FoldCase {
  std::string a;
  std::string b;
  bool equal;
};

void PrintTo(const FoldCase& c, std::ostream* os) { *os << testing::PrintToString(c.a) << " vs " << testing::PrintToString(c.b); }

class CaseFold : public testing::TestWithParam<FoldCase> {};

TEST_P(CaseFold, FoldsAsciiLettersOnly) {
  const FoldCase& c = GetParam();
  EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal);
  EXPECT_EQ(EqualsIgnoringCase(c.b, c.a), c.equal);
  // Equal names must hash alike, or the store's index would miss them; the
  // unequal pairs here differ in one folded byte and do not collide.
  EXPECT_EQ(HashIgnoringCase(c.a) == HashIgnoringCase(c.b), c.equal);
}

const FoldCase kFoldCases[] = {
    {"Option", "oPTION", true},
    {"span", "SPAN", true},
    {"", "", true},
    {"Set1", "Set10", false},
    {"a", "b", false},
    {"@", "`", false},  // neighbours of the letters do not fold
    {"[", "{", false},
    {"\x83\x65", "\x83\x65", true},
    {"\x83\x65", "\x83\x45", false},              // テ and ウ: trail bytes 'e' and 'E'
    {"\x83\x58\x83\x67", "\x83\x78\x83\x67", false},  // trail bytes 'X' and 'x'
    {"\x95\x5C" "a", "\x95\x5C" "A", true},          // ASCII after a double-byte character still folds
    {"\xB1" "a", "\xB1" "A", true},                   // half-width katakana is a single byte
    {"x\x83", "X\x83", true},                          // a lone lead byte at the end
};

INSTANTIATE_TEST_SUITE_P(Cases, CaseFold, testing::ValuesIn(kFoldCases));
}  // namespace
