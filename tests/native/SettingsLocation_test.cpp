#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include "MemorySettingsFileSystem.h"

using namespace tessora;

namespace {

const SettingsPaths kPaths{"/opt/Tessora/Tessora.ini", "/home/u/Tessora/Tessora.ini"};

// Which file is read and where a save goes, by what exists and what may be written.
TEST(SettingsLocation, ReadsTheUsersOwnFileOnceItExistsAndSavesWhereItCan) {
  struct Case {
    const char* what;
    bool besideExists, perUserExists, besideWritable, perUserWritable;
    std::filesystem::path read;
    bool saved;
    std::filesystem::path savedTo;  // or, when nothing took it, the last one tried
  };
  const Case cases[] = {
      {"a new user beside a writable program", false, false, true, true, kPaths.beside, true, kPaths.beside},
      {"the classic file", true, false, true, true, kPaths.beside, true, kPaths.beside},
      {"a program folder closed to the user", true, false, false, true, kPaths.beside, true, kPaths.perUser},
      {"the user's own file hides the other", true, true, true, true, kPaths.perUser, true, kPaths.perUser},
      {"nowhere to write", true, false, false, false, kPaths.beside, false, kPaths.perUser},
      {"the user's own file cannot be written", true, true, true, false, kPaths.perUser, false, kPaths.perUser},
  };
  for (const Case& c : cases) {
    MemorySettingsFileSystem fs;
    if (c.besideExists) fs.files[kPaths.beside] = "[Option]\r\nspan=1\r\n";
    if (c.perUserExists) fs.files[kPaths.perUser] = "[Option]\r\nspan=2\r\n";
    if (!c.besideWritable) fs.unwritable.insert(kPaths.beside);
    if (!c.perUserWritable) fs.unwritable.insert(kPaths.perUser);
    EXPECT_EQ(SettingsReadPath(kPaths, fs), c.read) << c.what;

    IniStore store(fs);
    store.Open(SettingsReadPath(kPaths, fs));
    store.WriteInteger("Option", "span", 9);
    std::filesystem::path last;
    EXPECT_EQ(SaveSettings(store, kPaths, fs, last), c.saved) << c.what;
    EXPECT_EQ(last, c.savedTo) << c.what;
    if (c.saved) {
      EXPECT_EQ(fs.files[c.savedTo], "[Option]\r\nspan=9\r\n\r\n") << c.what;
      EXPECT_EQ(SettingsReadPath(kPaths, fs), c.savedTo) << "the next reader takes what was saved: " << c.what;
    }
  }
}

TEST(SettingsLocation, WithoutAProfileOnlyTheFileBesideTheProgramCounts) {
  MemorySettingsFileSystem fs;
  const SettingsPaths paths{kPaths.beside, {}};
  EXPECT_EQ(SettingsReadPath(paths, fs), kPaths.beside);
  EXPECT_EQ(SettingsSaveTargets(paths, fs), std::vector<std::filesystem::path>{kPaths.beside});
}

TEST(SettingsLocation, AFileThatCannotBeReadIsNotAMissingOne) {
  MemorySettingsFileSystem fs;
  fs.files[kPaths.beside] = "[Option]\r\nspan=1\r\n";
  IniStore store(fs);
  EXPECT_TRUE(store.Open(kPaths.beside));
  EXPECT_EQ(store.LastOpen(), IniStore::OpenResult::Read);
  fs.unreadable.insert(kPaths.beside);
  EXPECT_FALSE(store.Open(kPaths.beside));
  EXPECT_EQ(store.LastOpen(), IniStore::OpenResult::Unreadable);
  EXPECT_EQ(store.ReadInteger("Option", "span", 60), 60) << "nothing of it is read";
  EXPECT_FALSE(store.Open("/nowhere/Tessora.ini"));
  EXPECT_EQ(store.LastOpen(), IniStore::OpenResult::Missing);
  // Readers of the file's place see it too: the user's own file that cannot be read is still the one to read.
  fs.unreadable.insert(kPaths.perUser);
  EXPECT_EQ(SettingsReadPath(kPaths, fs), kPaths.perUser);
}

}  // namespace
