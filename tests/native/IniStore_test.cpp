#include "settings/IniStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemorySettingsFileSystem.h"

using namespace tessora;

namespace {
using Lines = std::vector<std::string>;

// Shift-JIS: "テスト" (its first trail byte is 'e'), "ウ" (trail byte 'E'),
// "表" and "ソ" (trail byte '\'), "ポ" (trail byte '|').
const std::string kTesuto = "\x83\x65\x83\x58\x83\x67";
const std::string kUsuto = "\x83\x45\x83\x58\x83\x67";
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kPo = "\x83\x7C";

class IniStoreTest : public testing::Test {
 protected:
  IniStore Loaded(const std::string& text) {
    fileSystem.files["t.ini"] = text;
    IniStore store(fileSystem);
    EXPECT_TRUE(store.Open("t.ini"));
    return store;
  }

  MemorySettingsFileSystem fileSystem;
};

TEST_F(IniStoreTest, MissingFileIsAnEmptyStoreThatSavesToItsPath) {
  IniStore store(fileSystem);
  EXPECT_FALSE(store.Open("none.ini"));
  EXPECT_EQ(store.ReadString("Option", "span", "dflt"), "dflt");
  EXPECT_EQ(store.ReadInteger("Option", "span", 60), 60);
  EXPECT_TRUE(store.ReadSectionLines("Set0").empty());
  EXPECT_EQ(store.Text(), "");
  store.WriteInteger("Option", "span", 30);
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(fileSystem.files["none.ini"], "[Option]\r\nspan=30\r\n\r\n");
}

struct LoadCase {
  const char* name;
  std::string text;
  std::string section;
  Lines lines;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class IniStoreLoad : public IniStoreTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(IniStoreLoad, StoresTheLinesOfTheSection) {
  const LoadCase& c = GetParam();
  EXPECT_EQ(Loaded(c.text).ReadSectionLines(c.section), c.lines);
}

const LoadCase kLoadCases[] = {
    {"CrLf", "[S]\r\na=1\r\nb=2\r\n", "S", {"a=1", "b=2"}},
    {"Lf", "[S]\na=1\nb=2\n", "S", {"a=1", "b=2"}},
    {"Cr", "[S]\ra=1\rb=2\r", "S", {"a=1", "b=2"}},
    {"MixedAndNoFinalBreak", "[S]\r\na=1\rb=2\nc=3", "S", {"a=1", "b=2", "c=3"}},
    {"TrimsLinesKeysAndValues", "  [ S ]  \r\n\t a \t=\t 1 2 \x01\r\n", "S", {"a=1 2"}},
    {"OnlyTheFirstEqualsSplits", "[S]\r\na = b = c\r\n", "S", {"a=b = c"}},
    {"SkipsEmptyAndCommentLines", "[S]\r\n\r\n;a=1\r\n  ; b=2\r\nc=3\r\n   \r\n", "S", {"c=3"}},
    {"KeepsLinesWithoutEquals", "[S]\r\n plain text \r\na=1\r\n", "S", {"plain text", "a=1"}},
    {"IgnoresLinesBeforeTheFirstSection", "a=1\r\nloose\r\n[S]\r\nb=2\r\n", "S", {"b=2"}},
    {"EmptySectionName", "[]\r\na=1\r\n", "", {"a=1"}},
    {"BracketOnlyAtBothEnds", "[S]\r\n[a=1\r\nb=2]\r\n", "S", {"[a=1", "b=2]"}},
    {"AnyBracketedLineIsASection", "[S]\r\n[a=1]\r\nb=2\r\n", "a=1", {"b=2"}},
    {"DuplicateSectionsLastIsFound", "[S]\r\na=1\r\n[T]\r\n[s]\r\nb=2\r\n", "S", {"b=2"}},
    {"DuplicateKeysAllKept", "[S]\r\na=1\r\nA=2\r\n", "S", {"a=1", "A=2"}},
    {"ShiftJisBytesUntouched", "[" + kTesuto + "]\r\n" + kHyou + "=" + kSo + "|" + kPo + "\\\r\n", kTesuto,
     {kHyou + "=" + kSo + "|" + kPo + "\\"}},
    {"SectionNameInAnyCase", "[oPTION]\r\nspan=5\r\n", "Option", {"span=5"}},
    {"SectionWithoutLines", "[S]\r\n[T]\r\na=1\r\n", "S", {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniStoreLoad, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(IniStoreTest, ReadStringTakesTheLastMatchAndKeepsEmptyValues) {
  const IniStore store = Loaded(
      "[Option]\r\nspan=10\r\nSPAN=20\r\nrandom=\r\n"
      "[Other]\r\nspan=99\r\n"
      "[option]\r\nbgcolor=1,255\r\nSpan=30\r\nspan2=7\r\n");
  // The last [Option] section wins, and inside it the last span line.
  EXPECT_EQ(store.ReadString("OPTION", "sPaN", "x"), "30");
  EXPECT_EQ(store.ReadString("Option", "bgcolor", "x"), "1,255");
  // random sits in the first [Option] section only, which is never found.
  EXPECT_EQ(store.ReadString("Option", "random", "x"), "x");
  EXPECT_EQ(store.ReadString("Option", "spa", "x"), "x");
  EXPECT_EQ(store.ReadString("Missing", "span", "x"), "x");
}

TEST_F(IniStoreTest, EmptyValueIsTextButNoNumber) {
  const IniStore store = Loaded("[Option]\r\nspan=\r\nrandom= 0x1F \r\ncolour=-$1\r\n");
  EXPECT_EQ(store.ReadString("Option", "span", "x"), "");
  EXPECT_EQ(store.ReadInteger("Option", "span", 60), 60);
  EXPECT_EQ(store.ReadInteger("Option", "random", 0), 31);
  EXPECT_EQ(store.ReadInteger("Option", "colour", 5), 5);
}

TEST_F(IniStoreTest, LinesWithoutEqualsHaveNoKey) {
  IniStore store = Loaded("[S]\r\nabc\r\n");
  EXPECT_EQ(store.ReadString("S", "", "x"), "x");
  EXPECT_EQ(store.ReadString("S", "abc", "x"), "x");
  store.WriteString("S", "abc", "1");
  EXPECT_EQ(store.ReadSectionLines("S"), (Lines{"abc", "abc=1"}));
}

TEST_F(IniStoreTest, ShiftJisTrailBytesAreNeverFolded) {
  // Folding byte by byte would make "テ" (83 65) equal "ウ" (83 45).
  IniStore store = Loaded("[" + kTesuto + "]\r\n" + kTesuto + "=1\r\n" + kUsuto + "a=2\r\n");
  EXPECT_EQ(store.ReadString(kTesuto, kTesuto, "x"), "1");
  EXPECT_EQ(store.ReadString(kTesuto, kUsuto + "A", "x"), "2");  // the ASCII part still folds
  EXPECT_EQ(store.ReadString(kTesuto, kUsuto, "x"), "x");
  EXPECT_EQ(store.ReadString(kUsuto, kTesuto, "x"), "x");
  store.WriteString(kTesuto, kUsuto, "3");
  EXPECT_EQ(store.ReadString(kTesuto, kTesuto, "x"), "1");
  EXPECT_EQ(store.ReadSectionLines(kTesuto), (Lines{kTesuto + "=1", kUsuto + "a=2", kUsuto + "=3"}));
}

TEST_F(IniStoreTest, WriteReplacesTheLastMatchingLineInPlace) {
  IniStore store = Loaded("[S]\r\na=1\r\nb=2\r\nA=3\r\nc=4\r\n");
  store.WriteString("s", "a", "9");
  EXPECT_EQ(store.ReadSectionLines("S"), (Lines{"a=1", "b=2", "a=9", "c=4"}));
  EXPECT_EQ(store.ReadString("S", "A", "x"), "9");
  store.WriteString("S", "d", "5");
  EXPECT_EQ(store.ReadSectionLines("S"), (Lines{"a=1", "b=2", "a=9", "c=4", "d=5"}));
  store.WriteString("S", "D", "");
  EXPECT_EQ(store.ReadString("S", "d", "x"), "");
}

TEST_F(IniStoreTest, WriteGoesToTheLastSectionOfTheName) {
  IniStore store = Loaded("[S]\r\na=1\r\n[T]\r\n[S]\r\nb=2\r\n");
  store.WriteString("S", "a", "3");
  store.WriteString("U", "x", "4");
  EXPECT_EQ(store.Text(), "[S]\r\na=1\r\n\r\n[T]\r\n\r\n[S]\r\nb=2\r\na=3\r\n\r\n[U]\r\nx=4\r\n\r\n");
}

TEST_F(IniStoreTest, LineBreaksInWrittenTextCannotSplitALine) {
  IniStore store(fileSystem);
  store.Open("t.ini");
  store.WriteString("S\r\n", "a\nb", "1\r\n[Evil]\r\nx=2");
  ASSERT_TRUE(store.Save());
  IniStore reloaded(fileSystem);
  reloaded.Open("t.ini");
  EXPECT_FALSE(reloaded.SectionExists("Evil"));
  EXPECT_EQ(reloaded.ReadString("S", "a b", "x"), "1  [Evil]  x=2");
}

TEST_F(IniStoreTest, ClearThenWriteGivesTheDialogsLayoutByteForByte) {
  IniStore store = Loaded("[Savers]\r\nold=C:\\old.scr\r\n[Option]\r\nspan=5\r\n");
  store.Clear();
  EXPECT_FALSE(store.SectionExists("Savers"));
  store.WriteInteger("Option", "random", 1);
  store.WriteString("Option", "span", "");
  store.WriteString("Option", "bgcolor", "1,255");
  store.WriteInteger("SetList", "Count", 2);
  store.WriteInteger("SetList", "Current", -1);
  store.WriteString("SetList", "Item0", kTesuto);
  store.WriteString("Set0", kTesuto, "C:\\" + kHyou + "\\a.scr,0,2");
  store.WriteString("SetList", "Item1", "Empty");
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(fileSystem.files["t.ini"],
            "[Option]\r\nrandom=1\r\nspan=\r\nbgcolor=1,255\r\n\r\n"
            "[SetList]\r\nCount=2\r\nCurrent=-1\r\nItem0=" + kTesuto + "\r\nItem1=Empty\r\n\r\n"
            "[Set0]\r\n" + kTesuto + "=C:\\" + kHyou + "\\a.scr,0,2\r\n\r\n");
}

TEST_F(IniStoreTest, SavedFileLoadsBackTheSame) {
  const std::string original =
      "[Option]\r\nspan=60\r\n\r\n[Set0]\r\n" + kTesuto + "=\"C:\\a b\\" + kSo + ".scr\",30,4\r\nno equals\r\n\r\n";
  IniStore store = Loaded(original);
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(fileSystem.files["t.ini"], original);
}

TEST_F(IniStoreTest, FailedSaveReportsFalseAndKeepsTheOldFile) {
  const std::string old = "[Option]\r\nspan=5\r\n";
  IniStore store = Loaded(old);
  store.WriteInteger("Option", "span", 10);
  fileSystem.failWrites = true;
  EXPECT_FALSE(store.Save());
  EXPECT_EQ(fileSystem.files["t.ini"], old);
  // The store still holds the new state, so a later save can succeed.
  EXPECT_EQ(store.ReadInteger("Option", "span", 0), 10);
  fileSystem.failWrites = false;
  EXPECT_TRUE(store.Save());
  EXPECT_EQ(fileSystem.files["t.ini"], "[Option]\r\nspan=10\r\n\r\n");
}

TEST_F(IniStoreTest, StoreWithoutPathDoesNotSave) {
  IniStore store(fileSystem);
  store.WriteInteger("Option", "span", 10);
  EXPECT_FALSE(store.Save());
  EXPECT_EQ(fileSystem.writes, 0);
}

TEST_F(IniStoreTest, ManyKeysStayFindableWhileWritten) {
  // Enough lines to make the index grow several times between lookups.
  IniStore store(fileSystem);
  for (int i = 0; i < 3000; ++i) {
    store.WriteString("Set0", "Key" + std::to_string(i), std::to_string(i));
    if (i % 500 == 0) {
      EXPECT_EQ(store.ReadString("set0", "KEY0", "x"), "0");
    }
  }
  for (int i = 0; i < 3000; i += 7) EXPECT_EQ(store.ReadInteger("SET0", "key" + std::to_string(i), -1), i);
  EXPECT_EQ(store.ReadSectionLines("Set0").size(), 3000u);
}
}  // namespace
