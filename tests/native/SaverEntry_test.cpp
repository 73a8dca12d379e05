#include "settings/SaverEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemorySettingsFileSystem.h"
#include "settings/BackgroundOption.h"
#include "settings/IniStore.h"

using namespace tessora;

namespace {
using Lines = std::vector<std::string>;
using Fields = std::vector<std::string>;

const std::string kTesuto = "\x83\x65\x83\x58\x83\x67";  // テスト
const std::string kHyou = "\x95\x5C";                     // 表, trail byte '\'

struct QuotingCase {
  std::string line;
  std::string quoted;
};

void PrintTo(const QuotingCase& c, std::ostream* os) { *os << '[' << c.line << ']'; }

class EntryQuoting : public testing::TestWithParam<QuotingCase> {};

TEST_P(EntryQuoting, QuotesTheBarePath) { EXPECT_EQ(ApplyEntryQuoting(GetParam().line), GetParam().quoted); }

const QuotingCase kQuotingCases[] = {
    {"W=C:\\My Savers\\Waves.scr,30,4", "W=\"C:\\My Savers\\Waves.scr\",30,4"},
    {"W=C:\\a.scr", "W=\"C:\\a.scr\""},
    {"W=", "W=\"\""},
    {"W=\"C:\\a b.scr\",30,4", "W=\"C:\\a b.scr\",30,4"},  // already quoted by the joining rule
    {"W=C:\\a\"b,1", "W=C:\\a\"b,1"},                     // any quote leaves the value alone
    {"no equals", "no equals"},
    {"a,b=C:\\x.scr,5", "a,b=\"C:\\x.scr\",5"},  // a comma in the name does not count
    {"a=b=c,1", "a=\"b=c\",1"},
    {kTesuto + "=C:\\" + kHyou + "\\" + kTesuto + ".scr,0,2", kTesuto + "=\"C:\\" + kHyou + "\\" + kTesuto + ".scr\",0,2"},
};

INSTANTIATE_TEST_SUITE_P(Cases, EntryQuoting, testing::ValuesIn(kQuotingCases));

struct EntryCase {
  const char* name;
  Lines lines;
  std::vector<SaverEntry> entries;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

SaverEntry Entry(std::string name, Fields fields, std::int32_t seconds, int level) {
  SaverEntry entry;
  entry.displayName = std::move(name);
  entry.path = fields.empty() ? std::string() : fields[0];
  entry.fields = std::move(fields);
  entry.seconds = seconds;
  entry.level = level;
  return entry;
}

class SaverEntryRead : public testing::TestWithParam<EntryCase> {};

TEST_P(SaverEntryRead, GivesTheEntries) {
  const std::vector<SaverEntry> entries = ReadSaverEntries(GetParam().lines);
  ASSERT_EQ(entries.size(), GetParam().entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const SaverEntry& got = entries[i];
    const SaverEntry& want = GetParam().entries[i];
    EXPECT_EQ(got.displayName, want.displayName) << i;
    EXPECT_EQ(got.fields, want.fields) << i;
    EXPECT_EQ(got.path, want.path) << i;
    EXPECT_EQ(got.seconds, want.seconds) << i;
    EXPECT_EQ(got.level, want.level) << i;
  }
}

const EntryCase kEntryCases[] = {
    {"BarePathWithBlanks", {"W=C:\\My Savers\\Waves.scr,30,4"},
     {Entry("W", {"C:\\My Savers\\Waves.scr", "30", "4"}, 30, 4)}},
    {"WrittenByTheDialog", {"W=\"C:\\My Savers\\Waves.scr\",0,1"},
     {Entry("W", {"C:\\My Savers\\Waves.scr", "0", "1"}, 0, 1)}},
    {"PathAlone", {"W=C:\\a b.scr"}, {Entry("W", {"C:\\a b.scr"}, 0, 2)}},
    {"PathAndSeconds", {"W=C:\\a.scr,45"}, {Entry("W", {"C:\\a.scr", "45"}, 45, 2)}},
    {"NotNumbers", {"W=C:\\a.scr,soon,high"}, {Entry("W", {"C:\\a.scr", "soon", "high"}, 0, 2)}},
    {"HexAndBlanksInNumbers", {"W=\"C:\\a.scr\", $1E , 3"}, {Entry("W", {"C:\\a.scr", "$1E", "3"}, 30, 3)}},
    {"LevelsOutsideTheTable", {"A=a,0,5", "B=b,0,-1", "C=c,0,0", "D=d,0,4"},
     {Entry("A", {"a", "0", "5"}, 0, 2), Entry("B", {"b", "0", "-1"}, 0, 2), Entry("C", {"c", "0", "0"}, 0, 0),
      Entry("D", {"d", "0", "4"}, 0, 4)}},
    {"NegativeSecondsAreKept", {"W=a,-5"}, {Entry("W", {"a", "-5"}, -5, 2)}},
    {"FieldsAfterTheThirdIgnored", {"W=a,1,3,x,y"}, {Entry("W", {"a", "1", "3", "x", "y"}, 1, 3)}},
    {"EmptyValueIsAnEmptyPath", {"W="}, {Entry("W", {""}, 0, 2)}},
    {"NameWithCommaAndQuote", {"a,\"b=C:\\x y.scr,7"}, {Entry("a,\"b", {"C:\\x y.scr", "7"}, 7, 2)}},
    {"LineWithoutEqualsIsSkipped", {"loose text", "W=a"}, {Entry("W", {"a"}, 0, 2)}},
    {"LineWithoutEqualsTakesTheEmptyKeysValue", {"=first", "loose text"},
     {Entry("", {"first"}, 0, 2), Entry("", {"first"}, 0, 2)}},
    // A line without "=" is not the first line with the empty key: the "=" line below it is.
    {"LineWithoutEqualsBeforeTheEmptyKey", {"loose", "=x"}, {Entry("", {"x"}, 0, 2), Entry("", {"x"}, 0, 2)}},
    {"SeveralLinesWithoutEqualsBeforeTheEmptyKey", {"loose", "W=a", "other", "=x,5,3", "=y"},
     {Entry("", {"x", "5", "3"}, 5, 3), Entry("W", {"a"}, 0, 2), Entry("", {"x", "5", "3"}, 5, 3),
      Entry("", {"x", "5", "3"}, 5, 3), Entry("", {"x", "5", "3"}, 5, 3)}},
    {"LinesWithoutEqualsAndNoEmptyKey", {"loose", "other", "W=a"}, {Entry("W", {"a"}, 0, 2)}},
    {"RepeatedNameTakesTheFirstValue", {"W=a,1,1", "X=b", "w=c,3,3"},
     {Entry("W", {"a", "1", "1"}, 1, 1), Entry("X", {"b"}, 0, 2), Entry("w", {"a", "1", "1"}, 1, 1)}},
    {"ShiftJis", {kTesuto + "=C:\\" + kHyou + "\\" + kTesuto + " x.scr,10,3"},
     {Entry(kTesuto, {"C:\\" + kHyou + "\\" + kTesuto + " x.scr", "10", "3"}, 10, 3)}},
    {"ShiftJisNamesAreNotFolded", {"\x83\x65=a", "\x83\x45=b"}, {Entry("\x83\x65", {"a"}, 0, 2), Entry("\x83\x45", {"b"}, 0, 2)}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SaverEntryRead, testing::ValuesIn(kEntryCases),
                         [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST(SaverEntryRead, FromTheStoreSectionInAnyCase) {
  MemorySettingsFileSystem fileSystem;
  fileSystem.files["t.ini"] = "[set2]\r\nW = C:\\My Savers\\Waves.scr , 30 , 4\r\n";
  IniStore store(fileSystem);
  store.Open("t.ini");
  const std::vector<SaverEntry> entries = ReadSaverEntries(store, "Set2");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, "C:\\My Savers\\Waves.scr ");  // the path ends at the comma
  EXPECT_EQ(entries[0].seconds, 30);
  EXPECT_EQ(entries[0].level, 4);
  EXPECT_TRUE(ReadSaverEntries(store, "Set3").empty());
}

TEST(SaverEntryWrite, JoinsPathSecondsAndLevel) {
  EXPECT_EQ(SaverEntryValue("C:\\a.scr", "", 2), "C:\\a.scr,0,2");
  EXPECT_EQ(SaverEntryValue("C:\\My Savers\\Waves.scr", "30", 4), "\"C:\\My Savers\\Waves.scr\",30,4");
  EXPECT_EQ(SaverEntryLine("a,\"b", "C:\\x.scr", "5", 0), "a,\"b=C:\\x.scr,5,0");
  // What is written reads back as the same entry.
  const std::vector<SaverEntry> back =
      ReadSaverEntries(Lines{SaverEntryLine(kTesuto, "C:\\" + kHyou + " \"q\".scr", "", 3)});
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].displayName, kTesuto);
  EXPECT_EQ(back[0].path, "C:\\" + kHyou + " \"q\".scr");
  EXPECT_EQ(back[0].seconds, 0);
  EXPECT_EQ(back[0].level, 3);
}

TEST(SaverEntryWrite, RepeatedNameKeepsOneLineWithTheFirstValue) {
  MemorySettingsFileSystem fileSystem;
  IniStore store(fileSystem);
  WriteSaverLines(store, "Set0", {"A=a,0,2", "B=b,0,2", "a=c,5,4", "loose", "C=\"x y\",0,1"});
  EXPECT_EQ(store.ReadSectionLines("Set0"), (Lines{"a=a,0,2", "B=b,0,2", "C=\"x y\",0,1"}));
}

TEST(SaverEntryWrite, ALineWithoutEqualsDoesNotHideTheEmptyKeysValue) {
  MemorySettingsFileSystem fileSystem;
  IniStore store(fileSystem);
  WriteSaverLines(store, "Set0", {"loose", "=x,0,2", "A=a,0,2"});
  EXPECT_EQ(store.ReadSectionLines("Set0"), (Lines{"=x,0,2", "A=a,0,2"}));
}

struct BackgroundCase {
  const char* value;  // nullptr: no bgcolor key
  bool solid;
  std::int32_t colour;
};

class BackgroundRead : public testing::TestWithParam<BackgroundCase> {};

TEST_P(BackgroundRead, OnlyTheText1SwitchesItOn) {
  MemorySettingsFileSystem fileSystem;
  IniStore store(fileSystem);
  if (GetParam().value != nullptr) store.WriteString("Option", "bgcolor", GetParam().value);
  const BackgroundOption option = ReadBackgroundOption(store);
  EXPECT_EQ(option.solid, GetParam().solid);
  EXPECT_EQ(option.colour, GetParam().colour);
}

const BackgroundCase kBackgroundCases[] = {
    {"1,255", true, 255},   {"01,255", false, 255}, {"", false, 0},        {nullptr, false, 0},
    {"1", true, 0},         {"0,16711680", false, 16711680},              {"1,red", true, 0},
    {"1 , $FF00", true, 0xFF00}, {"\"1\",-2147483633", true, -2147483633}, {" 1,5", true, 5},
};

INSTANTIATE_TEST_SUITE_P(Cases, BackgroundRead, testing::ValuesIn(kBackgroundCases));

TEST(BackgroundWrite, FlagCommaDecimalColour) {
  EXPECT_EQ(BackgroundOptionValue({true, 255}), "1,255");
  EXPECT_EQ(BackgroundOptionValue({false, 0}), "0,0");
  EXPECT_EQ(BackgroundOptionValue({true, static_cast<std::int32_t>(0x8000000F)}), "1,-2147483633");
}
}  // namespace
