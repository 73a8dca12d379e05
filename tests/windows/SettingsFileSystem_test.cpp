// The Win32 settings file system under Wine: safe replace, failure cases that
// must leave the old file byte for byte, and no temporary file left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "settings/IniStore.h"
#include "settings/SettingsFilePath.h"
#include "settings/SettingsLocation.h"
#include "settings/WinSettingsFileSystem.h"
#include "toolkit/WinCalls.h"

using namespace tessora;

namespace {
const std::string kTesuto = "\x83\x65\x83\x58\x83\x67";  // テスト in Shift-JIS
const std::string kHyou = "\x95\x5C";                     // 表, trail byte '\'

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

void WriteFileBytes(const std::wstring& path, const std::string& content) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
  CloseHandle(file);
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

class WinSettingsFileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    // A folder with a Japanese name, so wide paths are exercised.
    folder = std::wstring(temp) + L"tessora-ini-\u30c6\u30b9\u30c8-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(folder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    target = folder + L"\\Tessora.ini";
  }
  void TearDown() override { RemoveTree(folder); }

  std::vector<std::wstring> FolderEntries() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::wstring folder;
  std::wstring target;
  WinSettingsFileSystem fileSystem;
};

TEST_F(WinSettingsFileSystemTest, CreatesReplacesAndReadsBack) {
  EXPECT_EQ(fileSystem.ReadWholeFile(target), std::nullopt);
  const std::string first = "[Set0]\r\n" + kTesuto + "=C:\\" + kHyou + "\\a.scr,0,2\r\n\r\n";
  ASSERT_TRUE(fileSystem.WriteReplace(target, first));
  EXPECT_EQ(ReadFileBytes(target), first);
  EXPECT_EQ(fileSystem.ReadWholeFile(target), first);
  ASSERT_TRUE(fileSystem.WriteReplace(target, "short"));
  EXPECT_EQ(ReadFileBytes(target), "short");
  ASSERT_TRUE(fileSystem.WriteReplace(target, ""));
  EXPECT_EQ(fileSystem.ReadWholeFile(target), "");
  EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"Tessora.ini"});
}

TEST_F(WinSettingsFileSystemTest, StoreSavesAndReloadsThroughTheDefaultFileSystem) {
  WriteFileBytes(target, "[option]\nSPAN=15\n[Set0]\r" + kTesuto + "=C:\\My Savers\\Waves.scr,30,4\r");
  IniStore store;  // the Windows build's own file system
  ASSERT_TRUE(store.Open(target));
  EXPECT_EQ(store.ReadInteger("Option", "span", 60), 15);
  store.WriteString("Set0", kTesuto, "\"C:\\" + kHyou + "\\b c.scr\",0,3");
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(ReadFileBytes(target), "[option]\r\nSPAN=15\r\n\r\n[Set0]\r\n" + kTesuto + "=\"C:\\" + kHyou +
                                       "\\b c.scr\",0,3\r\n\r\n");
  IniStore reloaded;
  ASSERT_TRUE(reloaded.Open(target));
  EXPECT_EQ(reloaded.ReadString("SET0", kTesuto, ""), "\"C:\\" + kHyou + "\\b c.scr\",0,3");
  EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"Tessora.ini"});
}

TEST_F(WinSettingsFileSystemTest, SettingsPathOfAWideProgramPath) {
  EXPECT_EQ(SettingsFilePath(std::wstring_view(folder + L"\\Tessora.scr")), target);
}

TEST_F(WinSettingsFileSystemTest, FailsOnAFolderInPlaceOfTheFile) {
  ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
  WriteFileBytes(target + L"\\inside", "old");
  EXPECT_EQ(fileSystem.ReadWholeFile(target), std::nullopt);
  EXPECT_FALSE(fileSystem.WriteReplace(target, "new"));
  EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(ReadFileBytes(target + L"\\inside"), "old");
  EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"Tessora.ini"});
}

TEST_F(WinSettingsFileSystemTest, FailsOnAReadOnlyFileAndKeepsIt) {
  const std::string old = "[Option]\r\nspan=5\r\n";
  WriteFileBytes(target, old);
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  IniStore store;
  ASSERT_TRUE(store.Open(target));
  store.WriteInteger("Option", "span", 10);
  EXPECT_FALSE(store.Save());
  EXPECT_EQ(ReadFileBytes(target), old);
  EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"Tessora.ini"});
}

TEST_F(WinSettingsFileSystemTest, FailsWhenTheFolderIsMissing) {
  EXPECT_FALSE(fileSystem.WriteReplace(folder + L"\\gone\\Tessora.ini", "new"));
  EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(WinSettingsFileSystemTest, FailsWhileAnotherProgramHoldsTheFileLockedAndKeepsIt) {
  WriteFileBytes(target, "old");
  HANDLE locker = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locker, INVALID_HANDLE_VALUE);
  const bool saved = fileSystem.WriteReplace(target, "new");
  CloseHandle(locker);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"Tessora.ini"});
}
TEST_F(WinSettingsFileSystemTest, ALockedFileExistsButIsNotReadAsAnEmptyOne) {
  WriteFileBytes(target, "[Option]\r\nspan=5\r\n");
  HANDLE locker = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locker, INVALID_HANDLE_VALUE);
  IniStore store;
  const bool read = store.Open(target);
  const IniStore::OpenResult result = store.LastOpen();
  const bool exists = fileSystem.Exists(target);
  CloseHandle(locker);
  EXPECT_FALSE(read);
  EXPECT_EQ(result, IniStore::OpenResult::Unreadable);
  EXPECT_TRUE(exists);
  EXPECT_FALSE(fileSystem.Exists(folder + L"\\Missing.ini"));
  EXPECT_FALSE(fileSystem.Exists(folder + L"\\gone\\Missing.ini"));
  EXPECT_TRUE(store.Open(target));
  EXPECT_EQ(store.LastOpen(), IniStore::OpenResult::Read);
}

TEST_F(WinSettingsFileSystemTest, AReplacedFileKeepsItsAttributes) {
  WriteFileBytes(target, "old");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  if (!(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN)) GTEST_SKIP() << "this file system keeps no hidden flag";
  ASSERT_TRUE(fileSystem.WriteReplace(target, "new"));
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "the user's hidden file stays hidden";
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{L"Tessora.ini"});
}

TEST_F(WinSettingsFileSystemTest, SettingsOfAUserWhoMayNotWriteBesideTheProgramGoToTheirProfile) {
  // The program's folder holds a read-only file: the save goes to the user's own file,
  // made in a folder of its own, which the next reader takes.
  const SettingsPaths paths{target, folder + L"\\profile\\Tessora\\Tessora.ini"};
  WriteFileBytes(target, "[Option]\r\nspan=5\r\n");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  IniStore store;
  store.Open(SettingsReadPath(paths, fileSystem));
  store.WriteInteger("Option", "span", 7);
  std::filesystem::path last;
  EXPECT_TRUE(SaveSettings(store, paths, fileSystem, last));
  EXPECT_EQ(last, paths.perUser);
  EXPECT_EQ(ReadFileBytes(target), "[Option]\r\nspan=5\r\n");
  EXPECT_EQ(ReadFileBytes(paths.perUser.wstring()), "[Option]\r\nspan=7\r\n\r\n");
  EXPECT_EQ(SettingsReadPath(paths, fileSystem), paths.perUser);
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WinSettingsFileSystemTest, TheProgramsOwnSettingsPaths) {
  const SettingsPaths paths = ProgramSettingsPaths();
  EXPECT_EQ(paths.beside.wstring(), SettingsFilePath(std::wstring_view(tk::ModuleFilePath())));
  ASSERT_FALSE(paths.perUser.empty());
  EXPECT_EQ(paths.perUser.filename().wstring(), L"Tessora.ini");
  EXPECT_EQ(paths.perUser.parent_path().filename().wstring(), L"Tessora");
}
}  // namespace
