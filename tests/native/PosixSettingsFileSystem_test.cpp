#include "settings/PosixSettingsFileSystem.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/IniStore.h"

using namespace tessora;

namespace fs = std::filesystem;

namespace {
std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

class PosixSettingsFileSystemTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tessora-ini-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder = pattern;
    target = folder / "Tessora.ini";
  }
  void TearDown() override {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder);
  }
  // Only the named entries are in the folder: no temporary file was left.
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder;
  fs::path target;
  PosixSettingsFileSystem fileSystem;
};

TEST_F(PosixSettingsFileSystemTest, CreatesThenReplacesTheWholeFile) {
  EXPECT_EQ(fileSystem.ReadWholeFile(target), std::nullopt);
  ASSERT_TRUE(fileSystem.WriteReplace(target, "[Option]\r\nspan=60\r\n\r\n"));
  EXPECT_EQ(ReadFile(target), "[Option]\r\nspan=60\r\n\r\n");
  ASSERT_TRUE(fileSystem.WriteReplace(target, "x"));
  EXPECT_EQ(fileSystem.ReadWholeFile(target), "x");
  ASSERT_TRUE(fileSystem.WriteReplace(target, ""));
  EXPECT_EQ(fileSystem.ReadWholeFile(target), "");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Tessora.ini"});
}

TEST_F(PosixSettingsFileSystemTest, ReplacementKeepsTheAccessRights) {
  WriteFile(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(fileSystem.WriteReplace(target, "new"));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(PosixSettingsFileSystemTest, ReadsLargeFilesWhole) {
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "\x83\x65key" + std::to_string(i) + "=\x95\x5Cvalue\r\n";
  WriteFile(target, big);
  EXPECT_EQ(fileSystem.ReadWholeFile(target), big);
}

TEST_F(PosixSettingsFileSystemTest, FolderIsNoFile) {
  EXPECT_EQ(fileSystem.ReadWholeFile(folder), std::nullopt);
}

// Each case makes the save fail in another way; the old file must stay byte
// for byte and no temporary file may be left behind.
class PosixFailedSave : public PosixSettingsFileSystemTest {};

TEST_F(PosixFailedSave, TargetIsAFolder) {
  fs::create_directory(target);
  WriteFile(target / "inside", "old");
  EXPECT_FALSE(fileSystem.WriteReplace(target, "new"));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(ReadFile(target / "inside"), "old");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Tessora.ini"});
}

TEST_F(PosixFailedSave, FolderIsReadOnly) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into read-only folders";
  WriteFile(target, "old\r\n");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(fileSystem.WriteReplace(target, "new"));
  EXPECT_EQ(ReadFile(target), "old\r\n");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Tessora.ini"});
}

TEST_F(PosixFailedSave, FolderDoesNotExist) {
  EXPECT_FALSE(fileSystem.WriteReplace(folder / "gone" / "Tessora.ini", "new"));
  EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(PosixFailedSave, DiskFullWhileWriting) {
  // A file size limit makes write() fail part way, as a full disk would.
  const std::string old = "[Option]\r\nspan=5\r\n";
  WriteFile(target, old);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = fileSystem.WriteReplace(target, std::string(100000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(ReadFile(target), old);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Tessora.ini"});
}

TEST_F(PosixSettingsFileSystemTest, StoreRoundTripThroughTheDefaultFileSystem) {
  const std::string kTesuto = "\x83\x65\x83\x58\x83\x67";
  WriteFile(target, "[Set0]\n" + kTesuto + "=C:\\a b.scr,30,4\n");
  IniStore store;  // the platform's own file system
  ASSERT_TRUE(store.Open(target));
  EXPECT_EQ(store.ReadString("set0", kTesuto, ""), "C:\\a b.scr,30,4");
  store.WriteString("Set0", kTesuto, "C:\\x.scr,0,2");
  ASSERT_TRUE(store.Save());
  EXPECT_EQ(ReadFile(target), "[Set0]\r\n" + kTesuto + "=C:\\x.scr,0,2\r\n\r\n");

  fs::remove(target);
  fs::create_directory(target);
  EXPECT_FALSE(store.Save());
}
}  // namespace
