#include "config/SettingsSave.h"

#include <gtest/gtest.h>

#include "MemorySettingsFileSystem.h"
#include "settings/SaverEntry.h"

using namespace tessora;

namespace {

using Lines = std::vector<std::string>;

// The dialog's state with the options at their usual values.
ConfigSaveInput Options(std::string span = "60") {
  ConfigSaveInput input;
  input.spanText = std::move(span);
  return input;
}

std::string Written(const ConfigSaveInput& input, std::string_view before = {}) {
  MemorySettingsFileSystem fs;
  IniStore store(fs);
  store.Load(before);
  WriteConfigSettings(store, input);
  return store.Text();
}

// Whole files as OK leaves them, for the cases a settings file goes through.
TEST(SettingsSave, WritesTheWholeFileInItsOrder) {
  struct Case {
    const char* what;
    std::string before;  // the file the dialog opened
    ConfigSaveInput input;
    std::string after;
  };
  const std::string legacy =
      "[Option]\r\nspan=30\r\nextra=1\r\n\r\n"
      "[Savers]\r\nA=C:\\x\\a.scr,30,4\r\nB=C:\\My Savers\\b.scr\r\n\r\n"
      "[Other]\r\nk=v\r\n\r\n";
  // The dialog shows the legacy list as the set "Default", its lines after the quoting.
  ConfigSaveInput fromLegacy = Options("30");
  fromLegacy.sets = {{"Default", {}}};
  {
    MemorySettingsFileSystem fs;
    IniStore loaded(fs);
    loaded.Load(legacy);
    for (const std::string& line : loaded.ReadSectionLines("Savers"))
      fromLegacy.sets[0].lines.push_back(ApplyEntryQuoting(line));
  }
  fromLegacy.selected = 0;

  ConfigSaveInput withEmptySet = Options();
  withEmptySet.random = true;
  withEmptySet.background = true;
  withEmptySet.backgroundColour = 0x0000FF;
  withEmptySet.sets = {{"A", {"a=\"C:\\a.scr\",0,2"}}, {"Empty", {}}, {"C", {"c=\"C:\\c c.scr\",15,0"}}};
  withEmptySet.selected = 2;

  ConfigSaveInput noneSelected = Options();
  noneSelected.sets = {{"A", {"a=\"C:\\a.scr\",0,2"}}};
  noneSelected.selected = -1;

  ConfigSaveInput emptySpan = Options("");
  emptySpan.backgroundColour = 0x123456;

  const Case cases[] = {
      {"a file of the earlier layout", legacy, fromLegacy,
       "[Option]\r\nrandom=0\r\nspan=30\r\nbgcolor=0,0\r\n\r\n"
       "[SetList]\r\nCount=1\r\nCurrent=0\r\nItem0=Default\r\n\r\n"
       "[Set0]\r\nA=\"C:\\x\\a.scr\",30,4\r\nB=\"C:\\My Savers\\b.scr\"\r\n\r\n"},
      {"an empty set between two", "", withEmptySet,
       "[Option]\r\nrandom=1\r\nspan=60\r\nbgcolor=1,255\r\n\r\n"
       "[SetList]\r\nCount=3\r\nCurrent=2\r\nItem0=A\r\nItem1=Empty\r\nItem2=C\r\n\r\n"
       "[Set0]\r\na=\"C:\\a.scr\",0,2\r\n\r\n"
       "[Set2]\r\nc=\"C:\\c c.scr\",15,0\r\n\r\n"},
      {"no set selected", "", noneSelected,
       "[Option]\r\nrandom=0\r\nspan=60\r\nbgcolor=0,0\r\n\r\n"
       "[SetList]\r\nCount=1\r\nCurrent=-1\r\nItem0=A\r\n\r\n"
       "[Set0]\r\na=\"C:\\a.scr\",0,2\r\n\r\n"},
      {"options only, over a file with sets", "[SetList]\r\nCount=1\r\nItem0=X\r\n[Set0]\r\nx=y\r\n", Options("120"),
       "[Option]\r\nrandom=0\r\nspan=120\r\nbgcolor=0,0\r\n\r\n"
       "[SetList]\r\nCount=0\r\nCurrent=-1\r\n\r\n"},
      {"an empty interval", "", emptySpan,
       "[Option]\r\nrandom=0\r\nspan=\r\nbgcolor=0,1193046\r\n\r\n"
       "[SetList]\r\nCount=0\r\nCurrent=-1\r\n\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Written(c.input, c.before), c.after) << c.what;
}

// Lines go out as the set holds them: split at the first "=", nothing requoted.
TEST(SettingsSave, WritesEntryLinesAsGivenAndDropsThoseWithoutAName) {
  ConfigSaveInput input = Options();
  input.sets = {{"S",
                 {"loose line", "B=\"C:\\x\\b.scr\"", "R=\"C:\\x y\\r.scr\",0,2", "E=a=b,1,3", "b=\"C:\\dup.scr\",5,1",
                  "Q=\"C:\\q.scr\",0,9"}}};
  input.selected = 0;
  EXPECT_EQ(Written(input),
            "[Option]\r\nrandom=0\r\nspan=60\r\nbgcolor=0,0\r\n\r\n"
            "[SetList]\r\nCount=1\r\nCurrent=0\r\nItem0=S\r\n\r\n"
            "[Set0]\r\nb=\"C:\\x\\b.scr\"\r\nR=\"C:\\x y\\r.scr\",0,2\r\nE=a=b,1,3\r\nQ=\"C:\\q.scr\",0,9\r\n\r\n");
}

// Names and paths are the file's own bytes (Shift-JIS) and pass through untouched.
TEST(SettingsSave, KeepsShiftJisBytes) {
  const std::string hyou = "\x95\x5C";  // "表": its second byte is a backslash
  ConfigSaveInput input = Options();
  input.sets = {{hyou + "set", {hyou + "=\"C:\\" + hyou + ".scr\",0,2"}}};
  input.selected = 0;
  EXPECT_EQ(Written(input),
            "[Option]\r\nrandom=0\r\nspan=60\r\nbgcolor=0,0\r\n\r\n"
            "[SetList]\r\nCount=1\r\nCurrent=0\r\nItem0=" +
                hyou +
                "set\r\n\r\n"
                "[Set0]\r\n" +
                hyou + "=\"C:\\" + hyou + ".scr\",0,2\r\n\r\n");
}

TEST(SettingsSave, ASelectionOutsideTheListSavesNone) {
  ConfigSaveInput input = Options();
  input.sets = {{"A", {}}};
  for (int selected : {1, 7, -5}) {
    input.selected = selected;
    EXPECT_NE(Written(input).find("Current=-1\r\n"), std::string::npos) << selected;
  }
}

TEST(SettingsSave, FailureTextNamesThePath) {
  EXPECT_EQ(SaveFailureText(std::filesystem::path("C:/Program Files/Tessora/Tessora.ini")),
            L"ファイル C:/Program Files/Tessora/Tessora.ini を作成できません");
}

class OkFlow : public testing::Test {
 protected:
  OkFlow() : paths{"/opt/Tessora/Tessora.ini", std::filesystem::path(testing::TempDir()) / "tessora-ok" / "u.ini"} {
    fs.files[paths.beside] = original;
    store.Open(paths.beside);
    input = Options("45");
    input.sets = {{"A", {"a=\"C:\\a.scr\",0,2"}}};
    input.selected = 0;
    actions.askLeaveUnregistered = [this] {
      ++questions;
      return answerYes;
    };
    actions.showFailure = [this](const std::wstring& message) { failures.push_back(message); };
  }

  OkOutcome Ok(bool edited) { return RunOk(edited, input, store, paths, fs, actions); }

  const std::string original = "[Option]\r\nspan=10\r\n\r\n[Savers]\r\nx=\"C:\\x.scr\"\r\n\r\n";
  const std::string expected =
      "[Option]\r\nrandom=0\r\nspan=45\r\nbgcolor=0,0\r\n\r\n"
      "[SetList]\r\nCount=1\r\nCurrent=0\r\nItem0=A\r\n\r\n[Set0]\r\na=\"C:\\a.scr\",0,2\r\n\r\n";
  MemorySettingsFileSystem fs;
  SettingsPaths paths;
  IniStore store{fs};
  ConfigSaveInput input;
  OkActions actions;
  bool answerYes = false;
  int questions = 0;
  std::vector<std::wstring> failures;
};

TEST_F(OkFlow, AsksNothingWhenTheListHoldsNoUnregisteredEdits) {
  EXPECT_EQ(Ok(false), OkOutcome::Saved);
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(fs.files[paths.beside], expected);
}

TEST_F(OkFlow, NoKeepsTheDialogAndWritesNothing) {
  const std::string inMemory = store.Text();
  EXPECT_EQ(Ok(true), OkOutcome::Kept);
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(fs.writes, 0);
  EXPECT_EQ(fs.files[paths.beside], original);
  EXPECT_EQ(store.Text(), inMemory);  // a later Cancel leaves nothing half-written behind
}

TEST_F(OkFlow, YesSavesTheRegisteredSets) {
  answerYes = true;
  EXPECT_EQ(Ok(true), OkOutcome::Saved);
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(fs.files[paths.beside], expected);
}

TEST_F(OkFlow, AProgramFolderClosedToTheUserSavesToTheUsersOwnFile) {
  fs.unwritable.insert(paths.beside);
  EXPECT_EQ(Ok(false), OkOutcome::Saved);
  EXPECT_EQ(fs.files[paths.beside], original);
  EXPECT_EQ(fs.files[paths.perUser], expected);
  EXPECT_TRUE(failures.empty());
}

TEST_F(OkFlow, NowhereToWriteNamesTheLastPathTriedAndALaterOkStartsAgain) {
  fs.unwritable = {paths.beside, paths.perUser};
  EXPECT_EQ(Ok(false), OkOutcome::Failed);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], SaveFailureText(paths.perUser));
  EXPECT_EQ(fs.files[paths.beside], original);

  fs.unwritable.clear();
  EXPECT_EQ(Ok(false), OkOutcome::Saved);
  EXPECT_EQ(fs.files[paths.beside], expected);
  EXPECT_EQ(failures.size(), 1u);
}

}  // namespace
