// What the configuration dialog reads of saver files: the display name from the file at
// the chosen path, loaded as data (no code of it runs), and whether a path is this
// program's own file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "WineTestSupport.h"
#include "config/SaverFile.h"
#include "toolkit/WinCalls.h"

using namespace tessora;

namespace {

namespace fs = std::filesystem;

// A folder of its own under the build folder, outside every module search path.
class SaverFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(TessoraBinPath(L"saver-file-test\\ｽｸﾘｰﾝ 保存"));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_.parent_path(), ignored);
  }
  // Copies a file into the folder under a new name; its ANSI path.
  std::string Copy(const std::wstring& from, const std::wstring& name) {
    const fs::path to = folder_ / name;
    fs::copy_file(fs::path(from), to, fs::copy_options::overwrite_existing);
    return Ansi(to.wstring());
  }
  fs::path folder_;
};

TEST_F(SaverFileTest, TheNameComesFromTheFileAtThePathOrIsItsBareName) {
  const std::wstring aurora = TessoraBinPath(L"tools\\demosaver\\Aurora.scr");
  const std::wstring sakura = TessoraBinPath(L"tools\\demosaver\\Sakura.scr");
  std::FILE* text = _wfopen((folder_ / L"Plain.scr").c_str(), L"wb");
  ASSERT_NE(text, nullptr);
  std::fputs("not a program", text);
  std::fclose(text);
  struct Case {
    const char* what;
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {"a saver with its name", Ansi(aurora), "Aurora"},
      {"a Japanese name, as ANSI text", Ansi(sakura), Ansi(L"Sakura 桜")},
      // Loading by the bare name would find no "Ember.scr" here, or another file of that name.
      {"a copy under another name, outside the search path", Copy(aurora, L"Ember.scr"), "Aurora"},
      {"a program without string resources", Copy(TessoraBinPath(L"tests\\windows\\link_mark.exe"), L"NoName.scr"),
       "NoName.scr"},
      {"a file that is no program", Ansi((folder_ / L"Plain.scr").wstring()), "Plain.scr"},
      {"a missing file", Ansi((folder_ / L"Missing.scr").wstring()), "Missing.scr"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetDisplayName(c.path), c.expected) << c.what;
}

TEST_F(SaverFileTest, TheFilesCodeNeverRuns) {
  const fs::path mark = folder_ / L"ran.txt";
  SetEnvironmentVariableW(L"ANNOUNCER_MARK", mark.c_str());
  const std::string announcer = Copy(TessoraBinPath(L"tests\\windows\\announcer\\Announcer.dll"), L"Announcer.scr");
  EXPECT_EQ(GetDisplayName(announcer), Ansi(L"アナウンサー Announcer"));
  EXPECT_FALSE(fs::exists(mark)) << "the file was loaded as a program";
  // The stand-in does mark a real load, so the check above can fail.
  HMODULE loaded = LoadLibraryW(tessora::tk::ToWide(announcer).c_str());
  ASSERT_NE(loaded, nullptr);
  FreeLibrary(loaded);
  EXPECT_TRUE(fs::exists(mark));
  SetEnvironmentVariableW(L"ANNOUNCER_MARK", nullptr);
}

TEST_F(SaverFileTest, TheRunningProgramIsKnownHoweverItsPathIsSpelled) {
  const fs::path self = tk::ModuleFilePath();
  std::wstring upper = self.wstring();
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  const std::wstring roundabout = (self.parent_path() / L".." / self.parent_path().filename() / self.filename()).wstring();
  const std::wstring slashes = fs::path(self).generic_wstring();
  EXPECT_TRUE(IsRunningProgram(Ansi(self.wstring())));
  EXPECT_TRUE(IsRunningProgram(Ansi(upper)));
  EXPECT_TRUE(IsRunningProgram(Ansi(roundabout)));
  EXPECT_TRUE(IsRunningProgram(Ansi(slashes)));
  // A copy is another file.
  EXPECT_FALSE(IsRunningProgram(Copy(self.wstring(), L"Copy.scr")));
  EXPECT_FALSE(IsRunningProgram(Ansi(TessoraBinPath(L"tools\\demosaver\\Aurora.scr"))));
  EXPECT_FALSE(IsRunningProgram(Ansi((folder_ / L"Missing.scr").wstring())));
  EXPECT_FALSE(IsRunningProgram(""));
}

}  // namespace
