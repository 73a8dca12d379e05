#include "settings/CommaText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessora;

namespace {
using Fields = std::vector<std::string>;

struct SplitCase {
  std::string text;
  Fields fields;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << '[' << c.text << ']'; }

class CommaTextSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CommaTextSplit, GivesTheFields) { EXPECT_EQ(SplitCommaText(GetParam().text), GetParam().fields); }

const SplitCase kSplitCases[] = {
    {"", {}},
    {"   ", {}},
    {"\t\r\n", {}},
    {"a", {"a"}},
    {"a,b,c", {"a", "b", "c"}},
    {"  a , b ", {"a", "b"}},
    {"a b", {"a", "b"}},  // a blank outside quotes separates
    {"a,,b", {"a", "", "b"}},
    {"a,", {"a", ""}},  // a comma at the very end gives a final empty field
    {"a, ", {"a"}},     // ...but not when blanks follow it
    {",", {"", ""}},
    {",a", {"", "a"}},
    {"\"\"", {""}},
    {"\"\",\"\"", {"", ""}},
    {"\"a b\",30,4", {"a b", "30", "4"}},
    {"\"C:\\My Savers\\Waves.scr\",30,4", {"C:\\My Savers\\Waves.scr", "30", "4"}},
    {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
    {"\"\"\"\"", {"\""}},
    {"\"a\"b", {"a", "b"}},  // text right after a closing quote starts a new field
    {"\"a\" ,b", {"a", "b"}},
    {"ab\"c,d", {"ab\"c", "d"}},  // a quote inside a bare field is a plain character
    {"\"open ended", {"open ended"}},
    {"\"open \"\"", {"open \""}},
    {"a\x01" "b", {"a", "b"}},
    {std::string("a\0b", 3), {"a"}},  // the text ends at a NUL
    {std::string("\0a", 2), {}},
    // Shift-JIS passes through; trail bytes 0x5C and 0x7C are no separators.
    {"\x83\x65\x83\x58\x83\x67,\x95\x5C\x83\x7C", {"\x83\x65\x83\x58\x83\x67", "\x95\x5C\x83\x7C"}},
    {"\"C:\\\x83\x5C\x83\x74\x83\x67\\a b.scr\",0,2", {"C:\\\x83\x5C\x83\x74\x83\x67\\a b.scr", "0", "2"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CommaTextSplit, testing::ValuesIn(kSplitCases));

struct JoinCase {
  Fields fields;
  std::string text;
};

void PrintTo(const JoinCase& c, std::ostream* os) { *os << '[' << c.text << ']'; }

class CommaTextJoin : public testing::TestWithParam<JoinCase> {};

TEST_P(CommaTextJoin, GivesTheTextThatSplitsBack) {
  const JoinCase& c = GetParam();
  EXPECT_EQ(JoinCommaText(c.fields), c.text);
  EXPECT_EQ(SplitCommaText(c.text), c.fields);
}

const JoinCase kJoinCases[] = {
    {{}, ""},
    {{""}, "\"\""},
    {{"a"}, "a"},
    {{"a", "b"}, "a,b"},
    {{"a", ""}, "a,"},
    {{"", "a"}, ",a"},
    {{"", ""}, ","},
    {{"a b"}, "\"a b\""},
    {{"a,b"}, "\"a,b\""},
    {{"a\"b"}, "\"a\"\"b\""},
    {{"a\tb"}, "\"a\tb\""},
    {{"C:\\My Savers\\Waves.scr", "30", "4"}, "\"C:\\My Savers\\Waves.scr\",30,4"},
    {{"C:\\\x83\x65\x83\x58\x83\x67\\\x95\x5C.scr", "0", "2"}, "C:\\\x83\x65\x83\x58\x83\x67\\\x95\x5C.scr,0,2"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CommaTextJoin, testing::ValuesIn(kJoinCases));
}  // namespace
