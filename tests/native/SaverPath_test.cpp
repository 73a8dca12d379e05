// Saver paths spelled one way, compared, cut to their file name, with Shift-JIS
// characters whose second byte looks like a separator or a letter.
#include "config/SaverPath.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessora;

namespace {
// Shift-JIS: "ソ" and "表" end in the byte of "\", "テ" and "ウ" in those of "e" and "E".
const std::string kSo = "\x83\x5C";
const std::string kHyou = "\x95\x5C";
const std::string kTe = "\x83\x65";
const std::string kU = "\x83\x45";

struct PathCase {
  std::string path;
  std::string canonical;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << testing::PrintToString(c.path); }

class CanonicalPath : public testing::TestWithParam<PathCase> {};

TEST_P(CanonicalPath, SpellsThePathOneWay) { EXPECT_EQ(CanonicalPathText(GetParam().path), GetParam().canonical); }

const PathCase kCanonicalCases[] = {
    {"C:\\Savers\\a.scr", "C:\\Savers\\a.scr"},
    {"C:/Savers/a.scr", "C:\\Savers\\a.scr"},
    {"C:\\Savers\\\\a.scr", "C:\\Savers\\a.scr"},
    {"C:\\Savers\\.\\a.scr", "C:\\Savers\\a.scr"},
    {"C:\\Savers\\old\\..\\a.scr", "C:\\Savers\\a.scr"},
    {"C:\\..\\..\\a.scr", "C:\\a.scr"},  // ".." never climbs above the drive
    {"C:\\Savers\\", "C:\\Savers"},
    {"C:\\", "C:\\"},
    {"C:\\.", "C:\\"},
    {"c:\\SAVERS\\A.Scr", "c:\\SAVERS\\A.Scr"},  // letter case is for the comparison
    {"\\\\server\\share\\a.scr", "\\\\server\\share\\a.scr"},
    {"//server/share/x/../a.scr", "\\\\server\\share\\a.scr"},
    {"\\\\server\\share\\..\\a.scr", "\\\\server\\share\\a.scr"},  // nor above the share
    {"\\Savers\\..\\a.scr", "\\a.scr"},
    {"a\\..\\..\\b.scr", "..\\b.scr"},  // a relative path keeps what climbs out of it
    {"..\\..\\b.scr", "..\\..\\b.scr"},
    {"", ""},
    // The second byte of ソ is no separator, so ".." after it is part of the name.
    {"C:\\" + kSo + "..\\a.scr", "C:\\" + kSo + "..\\a.scr"},
    {"C:\\" + kHyou + "\\x\\..\\a.scr", "C:\\" + kHyou + "\\a.scr"},
    {"C:\\" + kSo, "C:\\" + kSo},  // not taken for a trailing separator
};

INSTANTIATE_TEST_SUITE_P(Cases, CanonicalPath, testing::ValuesIn(kCanonicalCases));

struct SameCase {
  std::string a;
  std::string b;
  bool same;
};

void PrintTo(const SameCase& c, std::ostream* os) {
  *os << testing::PrintToString(c.a) << " vs " << testing::PrintToString(c.b);
}

class SamePath : public testing::TestWithParam<SameCase> {};

TEST_P(SamePath, ComparesSpellings) {
  EXPECT_EQ(SamePathText(GetParam().a, GetParam().b), GetParam().same);
  EXPECT_EQ(SamePathText(GetParam().b, GetParam().a), GetParam().same);
}

const SameCase kSameCases[] = {
    {"C:\\Tessora\\Tessora.scr", "c:\\tessora\\TESSORA.SCR", true},
    {"C:\\Tessora\\Tessora.scr", "C:/Tessora/./Tessora.scr", true},
    {"C:\\Tessora\\Tessora.scr", "C:\\Other\\..\\Tessora\\Tessora.scr", true},
    {"C:\\Tessora\\Tessora.scr", "D:\\Tessora\\Tessora.scr", false},
    {"C:\\Tessora\\Tessora.scr", "C:\\Tessora\\Tessora.scr2", false},
    {"C:\\Tessora\\Tessora.scr", "C:\\Tessora\\Tessora", false},
    {"\\\\pc\\s\\a.scr", "\\\\PC\\S\\A.SCR", true},
    // Letter-like second bytes are not letters: テ and ウ are different characters.
    {"C:\\" + kTe + ".scr", "C:\\" + kU + ".scr", false},
    {"C:\\" + kTe + "a.scr", "C:\\" + kTe + "A.SCR", true},
    // ソ followed by "..\" is not "C:\" after climbing out of a folder.
    {"C:\\" + kSo + "..\\a.scr", "C:\\a.scr", false},
    {"C:\\" + kSo + "\\a.scr", "C:\\" + kSo + "/a.scr", true},
};

INSTANTIATE_TEST_SUITE_P(Cases, SamePath, testing::ValuesIn(kSameCases));

TEST(SaverPath, BareFileNameIsWhatFollowsTheLastSeparator) {
  EXPECT_EQ(BareFileName("C:\\Savers\\Waves.scr"), "Waves.scr");
  EXPECT_EQ(BareFileName("C:/Savers/Waves.scr"), "Waves.scr");
  EXPECT_EQ(BareFileName("C:Waves.scr"), "Waves.scr");
  EXPECT_EQ(BareFileName("Waves.scr"), "Waves.scr");
  EXPECT_EQ(BareFileName("C:\\Savers\\"), "");
  EXPECT_EQ(BareFileName("C:\\Savers\\" + kHyou + ".scr"), kHyou + ".scr");
  EXPECT_EQ(BareFileName("C:\\" + kSo + "\\" + kSo + kHyou), kSo + kHyou);
}

TEST(SaverPath, SaverExtensionInAnyLetterCase) {
  EXPECT_TRUE(HasSaverExtension("C:\\a\\Waves.scr"));
  EXPECT_TRUE(HasSaverExtension("C:\\a\\Waves.SCR"));
  EXPECT_TRUE(HasSaverExtension("C:\\a\\" + kHyou + ".Scr"));
  EXPECT_FALSE(HasSaverExtension("C:\\a\\Waves.scr.txt"));
  EXPECT_FALSE(HasSaverExtension("C:\\a\\Waves.sc"));
  EXPECT_FALSE(HasSaverExtension("C:\\a\\Wavesscr"));
  EXPECT_FALSE(HasSaverExtension("C:\\a.scr\\readme.txt"));  // a folder's name does not count
  EXPECT_FALSE(HasSaverExtension(""));
}
}  // namespace
