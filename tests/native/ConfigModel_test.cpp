// The configuration model driven through its seams: loading, rows of stored lines,
// list edits, drops, registering and deleting sets.
#include "config/ConfigModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FakeConfigEnvironment.h"
#include "MemorySettingsFileSystem.h"

using namespace tessora;

namespace {
using Names = std::vector<std::string>;
using Lines = std::vector<std::string>;

const std::filesystem::path kSettingsFile = "/opt/Tessora/Tessora.ini";
// Shift-JIS: "テスト" and "ウスト" differ only in a second byte, 'e' against 'E'; the
// second byte of "表" is a "\".
const std::string kTesuto = "\x83\x65\x83\x58\x83\x67";
const std::string kUsuto = "\x83\x45\x83\x58\x83\x67";
const std::string kHyou = "\x95\x5C";

// A row as the list shows it, with its path.
struct Listed {
  std::string name;
  std::string seconds;
  int level = 2;
  bool missing = false;
  std::string path;
  friend bool operator==(const Listed&, const Listed&) = default;
};

void PrintTo(const Listed& row, std::ostream* os) {
  *os << '{' << testing::PrintToString(row.name) << ", \"" << row.seconds << "\", " << row.level
      << (row.missing ? ", missing, " : ", ") << testing::PrintToString(row.path) << '}';
}

std::vector<Listed> ListOf(const ConfigModel& model) {
  // Every operation keeps the paths parallel to the rows.
  EXPECT_EQ(model.Rows().size(), model.PathList().size());
  std::vector<Listed> list;
  for (std::size_t i = 0; i < model.Rows().size() && i < model.PathList().size(); ++i) {
    const ConfigRow& row = model.Rows()[i];
    list.push_back({row.displayName, row.seconds, row.level, row.missing, model.PathList()[i]});
  }
  return list;
}

Names SetNames(const ConfigModel& model) {
  Names names;
  for (const SaverSet& set : model.SetList()) names.push_back(set.name);
  return names;
}

class ConfigModelTest : public testing::Test {
 protected:
  void Load(const std::optional<std::string>& ini) {
    if (ini) fileSystem.files[kSettingsFile] = *ini;
    model.FormCreate();
  }

  MemorySettingsFileSystem fileSystem;
  FakeConfigEnvironment environment;
  ConfigModel model{environment, fileSystem};
};

// ---- Loading ----

struct LoadCase {
  const char* name;
  std::optional<std::string> ini;  // none: no settings file
  Names sets;
  int selected;
  std::vector<Listed> rows;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class ConfigLoad : public ConfigModelTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(ConfigLoad, FillsTheSetBoxAndShowsTheSelectedSet) {
  environment.existingFiles = {"C:\\s.scr", "C:\\c.scr"};
  Load(GetParam().ini);
  EXPECT_EQ(SetNames(model), GetParam().sets);
  EXPECT_EQ(model.SetListIndex(), GetParam().selected);
  // Nothing shown stays "none shown"; a shown set is the selected one.
  EXPECT_EQ(model.ShownSet(), GetParam().selected);
  EXPECT_EQ(model.SetListText(), GetParam().selected < 0 ? "" : GetParam().sets[GetParam().selected]);
  EXPECT_EQ(ListOf(model), GetParam().rows);
  EXPECT_EQ(model.SelectedRow(), -1);
  EXPECT_FALSE(model.Edited());
}

std::string TwoSets(const std::string& currentLine) {
  return "[SetList]\nCount=2\nItem0=A\nItem1=B\n" + currentLine + "[Set0]\na=C:\\a.scr\n[Set1]\nb=C:\\s.scr\n";
}

const LoadCase kLoadCases[] = {
    {"NoFileIsOneEmptyDefaultSet", std::nullopt, {"Default"}, 0, {}},
    {"EmptyFileIsOneEmptyDefaultSet", "", {"Default"}, 0, {}},
    {"LegacySaversBecomeDefault",
     "[Savers]\nWaves=C:\\My Savers\\Waves.scr,30,4\nStars=C:\\s.scr\n",
     {"Default"},
     0,
     {{"Waves", "30", 4, true, "C:\\My Savers\\Waves.scr"}, {"Stars", "", 2, false, "C:\\s.scr"}}},
    {"CountDashIsLikeNoCount",
     "[SetList]\nCount=-\nItem0=A\nCurrent=0\n[Set0]\na=C:\\a.scr\n[Savers]\ns=C:\\s.scr\n",
     {"Default"},
     0,
     {{"s", "", 2, false, "C:\\s.scr"}}},
    {"SetListWinsOverSavers",
     "[SetList]\nCount=1\nItem0=A\nCurrent=0\n[Set0]\na=C:\\a.scr\n[Savers]\ns=C:\\s.scr\n",
     {"A"},
     0,
     {{"a", "", 2, true, "C:\\a.scr"}}},
    {"MissingItemMovesLaterSetsUp",
     "[SetList]\nCount=3\nItem0=A\nItem2=C\nCurrent=1\n[Set0]\na=C:\\a.scr\n[Set1]\nb=C:\\b.scr\n"
     "[Set2]\nc=C:\\c.scr,5,0\n",
     {"A", "C"},
     1,
     {{"c", "5", 0, false, "C:\\c.scr"}}},
    {"EmptyItemIsSkipped",
     "[SetList]\nCount=2\nItem0=\nItem1=B\nCurrent=0\n[Set0]\na=C:\\a.scr\n[Set1]\nb=C:\\s.scr\n",
     {"B"},
     0,
     {{"b", "", 2, false, "C:\\s.scr"}}},
    {"CurrentBeyondTheSets", TwoSets("Current=5\n"), {"A", "B"}, -1, {}},
    {"CurrentMinusOne", TwoSets("Current=-1\n"), {"A", "B"}, -1, {}},
    {"CurrentMissing", TwoSets(""), {"A", "B"}, -1, {}},
    {"CurrentNotANumber", TwoSets("Current=one\n"), {"A", "B"}, -1, {}},
    {"CurrentInHex", TwoSets("Current=$1\n"), {"A", "B"}, 1, {{"b", "", 2, false, "C:\\s.scr"}}},
    {"CountNotANumberIsNoSets", "[SetList]\nCount=two\nItem0=A\nCurrent=0\n[Set0]\na=C:\\a.scr\n", {}, -1, {}},
    {"CountEmptyIsNoSets", "[SetList]\nCount=\nItem0=A\nCurrent=0\n", {}, -1, {}},
    {"CountNegativeIsNoSets", "[SetList]\nCount=-2\nItem0=A\nCurrent=0\n", {}, -1, {}},
    {"CountBelowTheItems", "[SetList]\nCount=1\nItem0=A\nItem1=B\nCurrent=1\n", {"A"}, -1, {}},
    {"CountHuge",
     "[SetList]\nCount=2147483647\nItem7=H\nItem0=A\nCurrent=1\n[Set7]\nh=C:\\s.scr\n",
     {"A", "H"},
     1,
     {{"h", "", 2, false, "C:\\s.scr"}}},
    {"KeysInAnyLetterCaseLastLineWins",
     "[setlist]\ncount=2\nITEM0=A\nitem1=B\nItem1=Bee\ncurrent=1\n[SET1]\nb=C:\\s.scr\n",
     {"A", "Bee"},
     1,
     {{"b", "", 2, false, "C:\\s.scr"}}},
    {"LeadingZeroIsNoItemKey", "[SetList]\nCount=2\nItem0=A\nItem01=X\nItem+1=Y\nCurrent=0\n", {"A"}, 0, {}},
    {"SetWithoutSectionIsEmpty", "[SetList]\nCount=1\nItem0=Empty\nCurrent=0\n", {"Empty"}, 0, {}},
    {"ShiftJisNames",
     "[SetList]\nCount=2\nItem0=" + kTesuto + "\nItem1=" + kUsuto + "\nCurrent=1\n[Set1]\n" + kUsuto + "=C:\\" + kHyou +
         "\\x.scr,10,0\n",
     {kTesuto, kUsuto},
     1,
     {{kUsuto, "10", 0, true, "C:\\" + kHyou + "\\x.scr"}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConfigLoad, testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Entry lines to rows ----

struct RowCase {
  const char* name;
  Lines stored;  // lines of the section as in the file
  std::vector<Listed> rows;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class ConfigRows : public ConfigModelTest, public testing::WithParamInterface<RowCase> {};

TEST_P(ConfigRows, ShowEachStoredLine) {
  environment.existingFiles = {"C:\\here.scr", "C:\\My Savers\\a b.scr"};
  std::string ini = "[SetList]\nCount=1\nItem0=S\nCurrent=0\n[Set0]\n";
  for (const std::string& line : GetParam().stored) ini += line + "\n";
  Load(ini);
  EXPECT_EQ(ListOf(model), GetParam().rows);
}

const RowCase kRowCases[] = {
    {"BarePathWithBlanks", {"W=C:\\My Savers\\a b.scr,30,4"}, {{"W", "30", 4, false, "C:\\My Savers\\a b.scr"}}},
    {"QuotedAsTheDialogWrites",
     {"W=\"C:\\My Savers\\a b.scr\",45,3"},
     {{"W", "45", 3, false, "C:\\My Savers\\a b.scr"}}},
    {"PathAndZero", {"P=C:\\here.scr,0"}, {{"P", "", 2, false, "C:\\here.scr"}}},
    {"PathAlone", {"P=C:\\here.scr"}, {{"P", "", 2, false, "C:\\here.scr"}}},
    {"NegativeSeconds", {"N=C:\\here.scr,-5,1"}, {{"N", "", 1, false, "C:\\here.scr"}}},
    {"SecondsNotANumber", {"T=C:\\here.scr,abc,0"}, {{"T", "", 0, false, "C:\\here.scr"}}},
    {"SecondsKeepTheirStoredText", {"H=C:\\here.scr,$1E,3"}, {{"H", "$1E", 3, false, "C:\\here.scr"}}},
    {"LevelBeyondTheWords", {"L=C:\\here.scr,30,9"}, {{"L", "30", 2, false, "C:\\here.scr"}}},
    {"LevelNegative", {"L=C:\\here.scr,30,-1"}, {{"L", "30", 2, false, "C:\\here.scr"}}},
    {"LevelNotANumber", {"L=C:\\here.scr,30,x"}, {{"L", "30", 2, false, "C:\\here.scr"}}},
    {"EveryLevel",
     {"0=C:\\here.scr,1,0", "1=C:\\here.scr,1,1", "2=C:\\here.scr,1,2", "3=C:\\here.scr,1,3", "4=C:\\here.scr,1,4"},
     {{"0", "1", 0, false, "C:\\here.scr"},
      {"1", "1", 1, false, "C:\\here.scr"},
      {"2", "1", 2, false, "C:\\here.scr"},
      {"3", "1", 3, false, "C:\\here.scr"},
      {"4", "1", 4, false, "C:\\here.scr"}}},
    {"MissingFile", {"M=C:\\gone.scr,30,4"}, {{"M", "30", 4, true, "C:\\gone.scr"}}},
    {"EmptyValueIsAnEmptyPath", {"E="}, {{"E", "", 2, true, ""}}},
    {"LineWithoutEqualsGivesNoRow",
     {"A=C:\\here.scr", "stray text", "B=C:\\gone.scr"},
     {{"A", "", 2, false, "C:\\here.scr"}, {"B", "", 2, true, "C:\\gone.scr"}}},
    // The value of a repeated name is that of its first line, as the rotation reads it.
    {"RepeatedNameTakesTheFirstValue",
     {"A=C:\\here.scr,5,1", "a=C:\\gone.scr,7,3"},
     {{"A", "5", 1, false, "C:\\here.scr"}, {"a", "5", 1, false, "C:\\here.scr"}}},
    {"NameWithCommaAndQuote", {"A \"b\", c=C:\\here.scr,7"}, {{"A \"b\", c", "7", 2, false, "C:\\here.scr"}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConfigRows, testing::ValuesIn(kRowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigModelTest, StoredLinesStayAsReadUntilRegistered) {
  environment.existingFiles = {"C:\\here.scr"};
  Load("[SetList]\nCount=1\nItem0=S\nCurrent=0\n[Set0]\nL=C:\\here.scr,30,9\nW=C:\\My Savers\\a b.scr\n");
  // Only the entry quoting is applied; the odd level survives showing and reshowing.
  const Lines quoted = {"L=\"C:\\here.scr\",30,9", "W=\"C:\\My Savers\\a b.scr\""};
  EXPECT_EQ(model.SetList()[0].lines, quoted);
  model.SetListSelect(0);
  EXPECT_EQ(model.SetList()[0].lines, quoted);

  model.SetListTextChanged("S");
  environment.answers = {true};
  ASSERT_TRUE(model.addSetBtnClick());
  EXPECT_EQ(model.SetList()[0].lines, (Lines{"L=C:\\here.scr,30,2", "W=\"C:\\My Savers\\a b.scr\",0,2"}));
}

TEST_F(ConfigModelTest, OptionsLoadWithTheirDefaults) {
  Load(std::nullopt);
  EXPECT_FALSE(model.Options().random);
  EXPECT_EQ(model.Options().span, 60);
  EXPECT_FALSE(model.Options().background.solid);
  EXPECT_EQ(model.Options().background.colour, 0);

  Load("[option]\nRANDOM=$10\nSpan=86400\nbgcolor=1,255\n");
  EXPECT_TRUE(model.Options().random);
  EXPECT_EQ(model.Options().span, 86400);
  EXPECT_TRUE(model.Options().background.solid);
  EXPECT_EQ(model.Options().background.colour, 255);

  // An empty span is no number: the default, not 0.
  Load("[Option]\nrandom=0\nspan=\nbgcolor=01,255\n");
  EXPECT_FALSE(model.Options().random);
  EXPECT_EQ(model.Options().span, 60);
  EXPECT_FALSE(model.Options().background.solid);
  EXPECT_EQ(model.Options().background.colour, 255);
}

TEST_F(ConfigModelTest, FormCreateStartsAfresh) {
  Load(TwoSets("Current=1\n"));
  model.addBtnClick({"C:\\n.scr"});
  model.SelectRow(0);
  fileSystem.files[kSettingsFile] = "[Savers]\n";
  model.FormCreate();
  EXPECT_EQ(SetNames(model), Names{"Default"});
  EXPECT_EQ(ListOf(model), std::vector<Listed>{});
  EXPECT_EQ(model.SelectedRow(), -1);
  EXPECT_FALSE(model.Edited());
  EXPECT_EQ(model.IniFile().Path(), kSettingsFile);
}

TEST_F(ConfigModelTest, ReadsTheUsersOwnFileOnceItExists) {
  fileSystem.files[kSettingsFile] = "[SetList]\nCount=1\nItem0=Beside\nCurrent=0\n";
  fileSystem.files[environment.settingsFiles.perUser] = "[SetList]\nCount=1\nItem0=Own\nCurrent=0\n";
  model.FormCreate();
  EXPECT_EQ(SetNames(model), Names{"Own"});
  EXPECT_EQ(model.IniFile().Path(), environment.settingsFiles.perUser);
  EXPECT_EQ(model.SettingsFiles().beside, kSettingsFile);

  fileSystem.files.erase(environment.settingsFiles.perUser);
  model.FormCreate();
  EXPECT_EQ(SetNames(model), Names{"Beside"});
}

// ---- Editing the list ----

// The set shown before each edit: three rows, the middle one missing.
const std::string kThreeRows =
    "[SetList]\nCount=2\nItem0=Three\nItem1=Other\nCurrent=0\n"
    "[Set0]\nR0=C:\\r0.scr\nR1=C:\\r1.scr,15,1\nR2=C:\\r2.scr,30,4\n[Set1]\nO=C:\\o.scr\n";
const Listed kR0{"R0", "", 2, false, "C:\\r0.scr"};
const Listed kR1{"R1", "15", 1, true, "C:\\r1.scr"};
const Listed kR2{"R2", "30", 4, false, "C:\\r2.scr"};

Listed Added(std::string name, std::string path) { return {std::move(name), "", 2, false, std::move(path)}; }

struct EditCase {
  const char* name;
  std::function<void(ConfigModel&)> edit;
  std::vector<Listed> rows;
  int selected;
  bool edited;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class ConfigEdit : public ConfigModelTest, public testing::WithParamInterface<EditCase> {};

TEST_P(ConfigEdit, ChangesRowsPathsSelectionAndEdited) {
  environment.existingFiles = {"C:\\r0.scr",   "C:\\r2.scr",        "C:\\d\\a.scr",
                               "C:\\d\\B.SCR", "C:\\d\\readme.txt", "C:\\Tessora\\Tessora.scr"};
  environment.displayNames = {{"C:\\n\\taken.scr", "r1"},      {"C:\\n\\taken2.scr", "R1"},
                              {"C:\\n\\taken3.scr", "R1 (2)"}, {"C:\\n\\eq.scr", "  a=b\t"},
                              {"C:\\n\\semi.scr", ";c"},       {"C:\\n\\blank.scr", " \r\n "},
                              {"C:\\n\\lf.scr", "x\r\ny"}};
  Load(kThreeRows);
  ASSERT_EQ(ListOf(model), (std::vector<Listed>{kR0, kR1, kR2}));
  GetParam().edit(model);
  EXPECT_EQ(ListOf(model), GetParam().rows);
  EXPECT_EQ(model.SelectedRow(), GetParam().selected);
  EXPECT_EQ(model.Edited(), GetParam().edited);
  // Edits of the list never touch the stored sets.
  EXPECT_EQ(model.SetList()[0].lines.size(), 3u);
}

const EditCase kEditCases[] = {
    {"AddAppendsInTheDialogsOrderAndKeepsTheSelection",
     [](ConfigModel& m) {
       m.SelectRow(1);
       EXPECT_EQ(m.addBtnClick({"C:\\n\\b.scr", "C:\\n\\a.scr"}), 2u);
     },
     {kR0, kR1, kR2, Added("b.scr", "C:\\n\\b.scr"), Added("a.scr", "C:\\n\\a.scr")},
     1,
     true},
    {"AddSamePathInOtherLetterCaseAddsNothingButEdits",
     [](ConfigModel& m) { EXPECT_EQ(m.addBtnClick({"c:\\R1.SCR"}), 0u); },
     {kR0, kR1, kR2},
     -1,
     true},
    {"AddSamePathSpelledOtherwise",
     [](ConfigModel& m) {
       EXPECT_EQ(m.addBtnClick({"C:/x/../r2.scr", "C:\\.\\r0.scr"}), 0u);
     },
     {kR0, kR1, kR2},
     -1,
     true},
    {"AddOneFileTwiceInOneGo",
     [](ConfigModel& m) {
       EXPECT_EQ(m.addBtnClick({"C:\\n\\x.scr", "C:\\N\\X.SCR"}), 1u);
     },
     {kR0, kR1, kR2, Added("x.scr", "C:\\n\\x.scr")},
     -1,
     true},
    {"AddTheProgramItselfAddsNothing",
     [](ConfigModel& m) {
       EXPECT_EQ(m.addBtnClick({"c:\\TESSORA\\.\\tessora.scr", "C:\\n\\b.scr"}), 1u);
     },
     {kR0, kR1, kR2, Added("b.scr", "C:\\n\\b.scr")},
     -1,
     true},
    {"AddNothingChosen", [](ConfigModel& m) { EXPECT_EQ(m.addBtnClick({}), 0u); }, {kR0, kR1, kR2}, -1, true},
    {"AddTakenNameGetsANumber",
     [](ConfigModel& m) {
       m.addBtnClick({"C:\\n\\taken.scr", "C:\\n\\taken2.scr", "C:\\n\\taken3.scr"});
     },
     {kR0, kR1, kR2, Added("r1 (2)", "C:\\n\\taken.scr"), Added("R1 (3)", "C:\\n\\taken2.scr"),
      Added("R1 (2) (2)", "C:\\n\\taken3.scr")},
     -1,
     true},
    {"AddNameTheFileCouldNotKeep",
     [](ConfigModel& m) {
       m.addBtnClick({"C:\\n\\eq.scr", "C:\\n\\semi.scr", "C:\\n\\blank.scr", "C:\\n\\lf.scr"});
     },
     {kR0, kR1, kR2, Added("a_b", "C:\\n\\eq.scr"), Added("_c", "C:\\n\\semi.scr"),
      Added("blank.scr", "C:\\n\\blank.scr"), Added("x  y", "C:\\n\\lf.scr")},
     -1,
     true},
    {"DropAddsTheSaverFilesOnly",
     [](ConfigModel& m) {
       EXPECT_EQ(m.FilesDropped({"C:\\d\\a.scr", "C:\\d\\readme.txt", "C:\\d\\B.SCR", "C:\\d\\folder.scr"}), 2u);
     },
     {kR0, kR1, kR2, Added("a.scr", "C:\\d\\a.scr"), Added("B.SCR", "C:\\d\\B.SCR")},
     -1,
     true},
    {"DropWithoutSaverFilesChangesNothing",
     [](ConfigModel& m) { EXPECT_EQ(m.FilesDropped({"C:\\d\\readme.txt"}), 0u); },
     {kR0, kR1, kR2},
     -1,
     false},
    {"DropOfAListedSaverEdits",
     [](ConfigModel& m) { EXPECT_EQ(m.FilesDropped({"C:\\r0.scr"}), 0u); },
     {kR0, kR1, kR2},
     -1,
     true},
    {"DropOfTheProgramItselfEdits",
     [](ConfigModel& m) { EXPECT_EQ(m.FilesDropped({"C:\\Tessora\\Tessora.scr"}), 0u); },
     {kR0, kR1, kR2},
     -1,
     true},
    {"DeleteWithoutSelectionDoesNothing",
     [](ConfigModel& m) { EXPECT_FALSE(m.delBtnClick()); },
     {kR0, kR1, kR2},
     -1,
     false},
    {"DeleteTheSelectedRow",
     [](ConfigModel& m) {
       m.SelectRow(1);
       EXPECT_TRUE(m.delBtnClick());
     },
     {kR0, kR2},
     -1,
     true},
    {"DeleteTheLastRow",
     [](ConfigModel& m) {
       m.SelectRow(2);
       EXPECT_TRUE(m.delBtnClick());
     },
     {kR0, kR1},
     -1,
     true},
    {"Clear", [](ConfigModel& m) { m.clrBtnClick(); }, {}, -1, true},
    {"ClearAnEmptyListStillEdits",
     [](ConfigModel& m) {
       m.SetListTextChanged("x");
       m.SetListSelect(-1);
       ASSERT_FALSE(m.Edited());
       m.clrBtnClick();
     },
     {},
     -1,
     true},
    {"UpCarriesTheWholeRow",
     [](ConfigModel& m) {
       m.SelectRow(2);
       EXPECT_TRUE(m.upBtnClick());
     },
     {kR0, kR2, kR1},
     1,
     true},
    {"UpTwice",
     [](ConfigModel& m) {
       m.SelectRow(2);
       m.upBtnClick();
       m.upBtnClick();
     },
     {kR2, kR0, kR1},
     0,
     true},
    {"UpOnTheFirstRowDoesNothing",
     [](ConfigModel& m) {
       m.SelectRow(0);
       EXPECT_FALSE(m.upBtnClick());
     },
     {kR0, kR1, kR2},
     0,
     false},
    {"UpWithoutSelectionDoesNothing", [](ConfigModel& m) { EXPECT_FALSE(m.upBtnClick()); }, {kR0, kR1, kR2}, -1, false},
    {"DownCarriesTheWholeRow",
     [](ConfigModel& m) {
       m.SelectRow(0);
       EXPECT_TRUE(m.dwnBtnClick());
     },
     {kR1, kR0, kR2},
     1,
     true},
    {"DownOnTheLastRowDoesNothing",
     [](ConfigModel& m) {
       m.SelectRow(2);
       EXPECT_FALSE(m.dwnBtnClick());
     },
     {kR0, kR1, kR2},
     2,
     false},
    {"DownWithoutSelectionDoesNothing",
     [](ConfigModel& m) { EXPECT_FALSE(m.dwnBtnClick()); },
     {kR0, kR1, kR2},
     -1,
     false},
    {"SelectingARowOutOfRangeSelectsNone",
     [](ConfigModel& m) {
       m.SelectRow(1);
       m.SelectRow(3);
       EXPECT_FALSE(m.dwnBtnClick());
     },
     {kR0, kR1, kR2},
     -1,
     false},
    {"SelectingASetDropsTheEditsWithoutAQuestion",
     [](ConfigModel& m) {
       m.clrBtnClick();
       m.SetListSelect(0);
     },
     {kR0, kR1, kR2},
     -1,
     false},
    {"RowOptionsChangeTheirRowOnlyAndMarkNothing",
     [](ConfigModel& m) {
       m.SetRowSeconds(0, "90");
       m.SetRowLevel(0, 4);
       m.SetRowSeconds(1, "");
       m.SetRowLevel(2, 5);   // no such level
       m.SetRowSeconds(3, "7");  // no such row
       m.SetRowLevel(-1, 0);
     },
     {{"R0", "90", 4, false, "C:\\r0.scr"}, {"R1", "", 1, true, "C:\\r1.scr"}, kR2},
     -1,
     false},
    {"ClearingIndividualSettingsResetsEveryRow",
     [](ConfigModel& m) {
       m.SelectRow(2);
       EXPECT_TRUE(m.BitBtn1Click());
     },
     {kR0, {"R1", "", 2, true, "C:\\r1.scr"}, {"R2", "", 2, false, "C:\\r2.scr"}},
     2,
     true},
    {"TypingASetNameKeepsTheList",
     [](ConfigModel& m) {
       m.SelectRow(1);
       m.SetListTextChanged("New name");
     },
     {kR0, kR1, kR2},
     1,
     false},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConfigEdit, testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigModelTest, ClearingIndividualSettingsOfAnEmptyListLeavesEditedAsItWas) {
  Load("[SetList]\nCount=1\nItem0=Empty\nCurrent=0\n");
  EXPECT_FALSE(model.BitBtn1Click());
  EXPECT_FALSE(model.Edited());
  Load(kThreeRows);
  model.clrBtnClick();
  EXPECT_FALSE(model.BitBtn1Click());
  EXPECT_TRUE(model.Edited());
}

TEST_F(ConfigModelTest, NewRowsAskForTheirNameOnce) {
  Load(kThreeRows);
  model.addBtnClick({"C:\\r0.scr", "C:\\Tessora\\Tessora.scr", "C:\\n\\a.scr"});
  // Neither the listed file nor the program itself is looked into.
  EXPECT_EQ(environment.namesAskedFor, Names{"C:\\n\\a.scr"});
}

TEST_F(ConfigModelTest, MenuAndHintFollowTheRows) {
  Load(kThreeRows);
  EXPECT_FALSE(model.PMenuItemsEnabled());
  model.SelectRow(1);
  EXPECT_TRUE(model.PMenuItemsEnabled());
  EXPECT_EQ(model.PathHint(1), "C:\\r1.scr");
  EXPECT_EQ(model.PathHint(-1), "");
  EXPECT_EQ(model.PathHint(3), "");
  model.SelectRow(2);
  model.upBtnClick();
  EXPECT_EQ(model.PathHint(1), "C:\\r2.scr");  // the path moved with its row
  model.delBtnClick();
  EXPECT_FALSE(model.PMenuItemsEnabled());
}

// ---- Registering a set ----

struct RegisterCase {
  const char* name;
  std::string typed;
  std::deque<bool> answers;
  bool registers;
  Names sets;
  int target;  // the set that holds the list afterwards, selected and shown
  int questions;
};

void PrintTo(const RegisterCase& c, std::ostream* os) { *os << c.name; }

class ConfigRegister : public ConfigModelTest, public testing::WithParamInterface<RegisterCase> {};

// The list after editing the set shown, as registering stores it.
const Lines kEditedLines = {"D1=C:\\d1.scr,20,1", "New=C:\\n.scr,0,2"};

TEST_P(ConfigRegister, StoresTheListAndShowsItAfresh) {
  const RegisterCase& c = GetParam();
  environment.existingFiles = {"C:\\d1.scr"};
  environment.displayNames = {{"C:\\n.scr", "New"}};
  Load("[SetList]\nCount=3\nItem0=Default\nItem1=Other\nItem2=" + kTesuto +
       "\nCurrent=0\n[Set0]\nD1=C:\\d1.scr,20,1\n[Set1]\nO=C:\\o.scr\n[Set2]\nT=C:\\t.scr\n");
  const std::vector<SaverSet> before = model.SetList();
  model.addBtnClick({"C:\\n.scr"});
  model.SetListTextChanged(c.typed);
  environment.answers = c.answers;

  EXPECT_EQ(model.addSetBtnClick(), c.registers);
  EXPECT_EQ(static_cast<int>(environment.questions.size()), c.questions);
  for (const std::wstring& question : environment.questions)
    EXPECT_EQ(question, L"同名セットがあります。上書きしますか？");
  EXPECT_EQ(SetNames(model), c.sets);

  if (!c.registers) {
    // Nothing changes: the sets, the list, the typed text and Edited.
    EXPECT_EQ(model.SetList(), before);
    EXPECT_EQ(ListOf(model).size(), 2u);
    EXPECT_EQ(model.SetListIndex(), -1);
    EXPECT_EQ(model.SetListText(), c.typed);
    EXPECT_EQ(model.ShownSet(), 0);
    EXPECT_TRUE(model.Edited());
    return;
  }
  for (std::size_t i = 0; i < model.SetList().size(); ++i) {
    if (static_cast<int>(i) == c.target) {
      EXPECT_EQ(model.SetList()[i].lines, kEditedLines);
    } else if (i < before.size()) {
      EXPECT_EQ(model.SetList()[i], before[i]) << i;
    }
  }
  EXPECT_EQ(model.SetListIndex(), c.target);
  EXPECT_EQ(model.ShownSet(), c.target);
  EXPECT_EQ(model.SetListText(), c.sets[c.target]);
  // Shown from the new lines: the added file has gone meanwhile and is now marked.
  EXPECT_EQ(ListOf(model),
            (std::vector<Listed>{{"D1", "20", 1, false, "C:\\d1.scr"}, {"New", "", 2, true, "C:\\n.scr"}}));
  EXPECT_FALSE(model.Edited());
}

const RegisterCase kRegisterCases[] = {
    {"NewNameIsAppended", "Fresh", {}, true, {"Default", "Other", kTesuto, "Fresh"}, 3, 0},
    {"NewNameKeepsItsLetterCase", "fRESH", {}, true, {"Default", "Other", kTesuto, "fRESH"}, 3, 0},
    {"ExistingNameInOtherCaseAsksAndKeepsTheStoredName", "default", {true}, true, {"Default", "Other", kTesuto}, 0, 1},
    {"OverwriteAnotherSet", "OTHER", {true}, true, {"Default", "Other", kTesuto}, 1, 1},
    {"AnsweringNoChangesNothing", "DEFAULT", {false}, false, {"Default", "Other", kTesuto}, -1, 1},
    {"EmptyNameDoesNothing", "", {}, false, {"Default", "Other", kTesuto}, -1, 0},
    // Blanks would be trimmed away in the file, leaving a set without a name.
    {"BlankNameDoesNothing", "  \t ", {}, false, {"Default", "Other", kTesuto}, -1, 0},
    {"NameIsTakenAsTheFileGivesItBack", "  Other ", {true}, true, {"Default", "Other", kTesuto}, 1, 1},
    {"ShiftJisNameInAnotherSecondByteIsNew", kUsuto, {}, true, {"Default", "Other", kTesuto, kUsuto}, 3, 0},
    {"ShiftJisNameThatExists", kTesuto, {true}, true, {"Default", "Other", kTesuto}, 2, 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConfigRegister, testing::ValuesIn(kRegisterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigModelTest, RegisteringAnEmptyListMakesASetWithoutLines) {
  Load(kThreeRows);
  model.clrBtnClick();
  model.SetListTextChanged("Empty");
  ASSERT_TRUE(model.addSetBtnClick());
  EXPECT_EQ(SetNames(model), (Names{"Three", "Other", "Empty"}));
  EXPECT_EQ(model.SetList()[2].lines, Lines{});
  EXPECT_EQ(model.ShownSet(), 2);
  EXPECT_FALSE(model.Edited());

  // Emptying an existing set the same way.
  model.SetListSelect(1);
  model.clrBtnClick();
  model.SetListTextChanged("three");
  environment.answers = {true};
  ASSERT_TRUE(model.addSetBtnClick());
  EXPECT_EQ(model.SetList()[0], (SaverSet{"Three", {}}));
  EXPECT_EQ(model.SetList()[1].lines.size(), 1u);
}

TEST_F(ConfigModelTest, RegisteredLinesComeBackAsTheRows) {
  environment.existingFiles = {"C:\\My Savers\\a b.scr", "C:\\p.scr"};
  Load(
      "[SetList]\nCount=1\nItem0=S\nCurrent=0\n[Set0]\n"
      "A \"b\", c=C:\\My Savers\\a b.scr,0,4\nZ=C:\\p.scr,0\nH=\"C:\\p,q.scr\",$1E,0\n" +
      kTesuto + "=C:\\" + kHyou + "\\t.scr,86400,3\n");
  const std::vector<Listed> shown = ListOf(model);
  model.SetListTextChanged("S");
  environment.answers = {true};
  ASSERT_TRUE(model.addSetBtnClick());
  // Seconds "0" for an empty cell, paths with blanks or commas quoted, names as they are.
  EXPECT_EQ(model.SetList()[0].lines,
            (Lines{"A \"b\", c=\"C:\\My Savers\\a b.scr\",0,4", "Z=C:\\p.scr,0,2", "H=\"C:\\p,q.scr\",$1E,0",
                   kTesuto + "=C:\\" + kHyou + "\\t.scr,86400,3"}));
  EXPECT_EQ(ListOf(model), shown);
}

TEST_F(ConfigModelTest, OverwriteFindsTheFirstSetOfTheName) {
  Load("[SetList]\nCount=2\nItem0=A\nItem1=a\nCurrent=1\n[Set1]\nx=C:\\x.scr\n");
  model.SetListTextChanged("A");
  environment.answers = {true};
  ASSERT_TRUE(model.addSetBtnClick());
  EXPECT_EQ(SetNames(model), (Names{"A", "a"}));
  EXPECT_EQ(model.SetList()[0].lines, Lines{"x=C:\\x.scr,0,2"});
  EXPECT_EQ(model.SetList()[1].lines, Lines{"x=\"C:\\x.scr\""});
  EXPECT_EQ(model.ShownSet(), 0);
}

TEST_F(ConfigModelTest, SelectingTheSetShownAgainDropsItsEdits) {
  environment.existingFiles = {"C:\\r0.scr", "C:\\r2.scr"};
  Load(kThreeRows);
  model.SelectRow(0);
  model.dwnBtnClick();
  ASSERT_TRUE(model.Edited());
  model.SetListSelect(0);
  EXPECT_EQ(ListOf(model), (std::vector<Listed>{kR0, kR1, kR2}));
  EXPECT_FALSE(model.Edited());
}

// ---- Deleting a set ----

struct DeleteCase {
  const char* name;
  std::function<void(ConfigModel&)> before;
  bool deletes;
  Names sets;
  int selected;
  std::string text;
  int shown;
  std::vector<Listed> rows;
  bool edited;
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }

class ConfigDelete : public ConfigModelTest, public testing::WithParamInterface<DeleteCase> {};

TEST_P(ConfigDelete, RemovesTheSelectedSetAndShowsANeighbour) {
  const DeleteCase& c = GetParam();
  environment.existingFiles = {"C:\\a.scr", "C:\\b.scr", "C:\\c.scr"};
  Load(
      "[SetList]\nCount=3\nItem0=A\nItem1=B\nItem2=C\nCurrent=0\n"
      "[Set0]\na=C:\\a.scr\n[Set1]\nb=C:\\b.scr\n[Set2]\nc=C:\\c.scr\n");
  c.before(model);
  EXPECT_EQ(model.delSetBtnClick(), c.deletes);
  EXPECT_EQ(SetNames(model), c.sets);
  EXPECT_EQ(model.SetListIndex(), c.selected);
  EXPECT_EQ(model.SetListText(), c.text);
  EXPECT_EQ(model.ShownSet(), c.shown);
  EXPECT_EQ(ListOf(model), c.rows);
  EXPECT_EQ(model.Edited(), c.edited);
  EXPECT_TRUE(environment.questions.empty());
}

const Listed kA{"a", "", 2, false, "C:\\a.scr"};
const Listed kB{"b", "", 2, false, "C:\\b.scr"};
const Listed kC{"c", "", 2, false, "C:\\c.scr"};

void EditList(ConfigModel& m) {
  m.clrBtnClick();
  ASSERT_TRUE(m.Edited());
}

const DeleteCase kDeleteCases[] = {
    {"MiddleShowsItsFollower", [](ConfigModel& m) { m.SetListSelect(1); }, true, {"A", "C"}, 1, "C", 1, {kC}, false},
    {"LastShowsTheNewLast", [](ConfigModel& m) { m.SetListSelect(2); }, true, {"A", "B"}, 1, "B", 1, {kB}, false},
    {"FirstShowsTheNextOne", [](ConfigModel&) {}, true, {"B", "C"}, 0, "B", 0, {kB}, false},
    {"UnregisteredEditsAreDropped",
     [](ConfigModel& m) {
       m.SetListSelect(1);
       EditList(m);
     },
     true,
     {"A", "C"},
     1,
     "C",
     1,
     {kC},
     false},
    {"NoSelectedSetDeletesNothing",
     [](ConfigModel& m) {
       EditList(m);
       m.SetListTextChanged("A");
     },
     false,
     {"A", "B", "C"},
     -1,
     "A",
     0,
     {},
     true},
    {"TheLastSetLeftLeavesAllEmpty",
     [](ConfigModel& m) {
       m.delSetBtnClick();
       m.delSetBtnClick();
       EditList(m);
     },
     true,
     {},
     -1,
     "",
     0,
     {},
     true},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConfigDelete, testing::ValuesIn(kDeleteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigModelTest, SetsComeBackAfterTheLastWasDeleted) {
  Load("[SetList]\nCount=1\nItem0=Only\nCurrent=0\n[Set0]\nx=C:\\x.scr\n");
  ASSERT_TRUE(model.delSetBtnClick());
  EXPECT_FALSE(model.delSetBtnClick());
  model.addBtnClick({"C:\\y.scr"});
  model.SetListTextChanged("Again");
  ASSERT_TRUE(model.addSetBtnClick());
  EXPECT_EQ(model.SetList(), (std::vector<SaverSet>{{"Again", {"y.scr=C:\\y.scr,0,2"}}}));
  EXPECT_EQ(model.SetListIndex(), 0);
  EXPECT_EQ(model.ShownSet(), 0);
}

TEST_F(ConfigModelTest, ManyEntriesStayParallel) {
  std::string ini = "[SetList]\nCount=1\nItem0=Big\nCurrent=0\n[Set0]\n";
  for (int i = 0; i < 5000; ++i)
    ini += "S" + std::to_string(i) + "=C:\\s\\" + std::to_string(i) + ".scr," + std::to_string(i % 7) + "," +
           std::to_string(i % 5) + "\n";
  Load(ini);
  ASSERT_EQ(model.Rows().size(), 5000u);
  EXPECT_EQ(model.Rows()[4999].displayName, "S4999");
  EXPECT_EQ(model.PathList()[4999], "C:\\s\\4999.scr");
  EXPECT_EQ(model.Rows()[4999].seconds, "1");
  EXPECT_EQ(model.Rows()[4999].level, 4);
  model.addBtnClick({"C:\\s\\0.SCR", "C:\\t\\S4999"});
  EXPECT_EQ(model.Rows().size(), 5001u);
  EXPECT_EQ(model.Rows().back().displayName, "S4999 (2)");
}
}  // namespace
