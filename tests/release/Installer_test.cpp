// The installer (TESSORA_INSTALLER in this build's installer folder) run silently in the
// test prefix as an administrator would run it, Tessora.scr started from where it was
// installed, and the uninstaller started the way Programs and Features starts it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "ProcessTestSupport.h"
#include "WineTestSupport.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kSaverValue[] = L"SCRNSAVE.EXE";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessora";
constexpr wchar_t kStateKey[] = L"Software\\Tessora";

std::wstring EnvironmentText(const wchar_t* name) {
  wchar_t buffer[512] = {};
  const DWORD n = GetEnvironmentVariableW(name, buffer, 512);
  return n > 0 && n < 512 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring SystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, n);
}

// Empty where the system has no 32-bit system folder.
std::wstring Wow64Folder() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = GetSystemWow64DirectoryW(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

std::wstring InSystem(const std::wstring& name) { return SystemFolder() + L"\\" + name; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Both exist and hold the same bytes.
bool SameFile(const std::wstring& a, const std::wstring& b) {
  return Exists(a) && Exists(b) && ReadBytes(a) == ReadBytes(b);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// "%SYSTEM%" stands for the system folder in the case table.
std::wstring Expand(const std::wstring& text) {
  const std::wstring mark = L"%SYSTEM%";
  const auto at = text.find(mark);
  return at == std::wstring::npos ? text : text.substr(0, at) + SystemFolder() + text.substr(at + mark.size());
}

// Both roots in the 64-bit view, where the system and Programs and Features look.
std::optional<std::wstring> ReadString(HKEY root, const wchar_t* key, const wchar_t* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) return std::nullopt;
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  DWORD type = 0;
  const LONG result = RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::wstring(buffer);
}

bool KeyExists(HKEY root, const wchar_t* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key, 0, KEY_READ | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void SetCurrentSaver(const std::optional<std::wstring>& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  if (value) {
    RegSetValueExW(key, kSaverValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                   static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteValueW(key, kSaverValue);
  }
  RegCloseKey(key);
}

std::optional<std::wstring> CurrentSaver() { return ReadString(HKEY_CURRENT_USER, kDesktopKey, kSaverValue); }

std::string Ansi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

struct VersionResource {
  std::string fixed;           // the binary version as a.b.c.d
  std::string fileVersion;     // the texts of the first translation
  std::string productVersion;
};

std::optional<VersionResource> ReadVersionResource(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::nullopt;
  VersionResource result;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    result.fixed = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                   std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                   std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
  }
  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation))
    return result;
  wchar_t block[64];
  wsprintfW(block, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
  const auto text = [&](const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT chars = 0;
    const std::wstring query = std::wstring(block) + name;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars) || !value)
      return std::string();
    return Narrow(value);
  };
  result.fileVersion = text(L"FileVersion");
  result.productVersion = text(L"ProductVersion");
  return result;
}

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installer_ = TessoraBinPath(L"installer\\" + EnvironmentText(L"TESSORA_INSTALLER"));
    version_ = Narrow(EnvironmentText(L"TESSORA_VERSION"));
    ASSERT_FALSE(version_.empty()) << "TESSORA_VERSION is not set";
    ASSERT_TRUE(Exists(installer_)) << Narrow(installer_);
    userSaver_ = CurrentSaver();
    RemoveLeftovers();
  }

  void TearDown() override {
    RemoveLeftovers();
    SetCurrentSaver(userSaver_);
  }

  // What an earlier run that failed half way may have left in the prefix.
  static void RemoveLeftovers() {
    const std::wstring wow64 = Wow64Folder();
    for (const wchar_t* name : {L"Tessora.scr", L"Tessora.chm", L"Tessora.ini"}) {
      DeleteFileW(InSystem(name).c_str());
      if (!wow64.empty()) DeleteFileW((wow64 + L"\\" + name).c_str());
    }
    if (const auto folder = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation")) {
      DeleteFileW((*folder + L"\\uninstall.exe").c_str());
      RemoveDirectoryW(folder->c_str());
    }
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY, 0);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY, 0);
    RegDeleteTreeW(HKEY_CURRENT_USER, kStateKey);
  }

  void Install() {
    TestProcess setup = StartProcess(Quoted(installer_) + L" /S");
    ASSERT_TRUE(setup) << "cannot start " << Narrow(installer_);
    ASSERT_TRUE(setup.WaitForExit(60000)) << "the installer did not finish";
    ASSERT_EQ(setup.ExitCode().value_or(0xDEAD), 0u);
  }

  // As Programs and Features does: the registered command, with /S. The uninstaller
  // copies itself to the temporary folder, starts the copy and ends; the copy does the
  // work, so the test waits for it too.
  void Uninstall(const std::wstring& options = L"") {
    const auto command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString");
    ASSERT_TRUE(command) << "no UninstallString";
    TestProcess first = StartProcess(*command + L" /S" + (options.empty() ? L"" : L" " + options));
    ASSERT_TRUE(first) << "cannot start " << Narrow(*command);
    ASSERT_TRUE(first.WaitForExit(60000));
    for (const ProcessEntry& child : ChildProcessesOf(first.Id())) {
      // Wine may start the desktop's explorer.exe as the child of the first program
      // that needs it; that one stays.
      const std::wstring name = child.exeFile.substr(child.exeFile.find_last_of(L"\\/") + 1);
      if (lstrcmpiW(name.c_str(), L"explorer.exe") == 0) continue;
      HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, child.id);
      if (!process) continue;
      const DWORD waited = WaitForSingleObject(process, 60000);
      CloseHandle(process);
      ASSERT_EQ(waited, WAIT_OBJECT_0) << "the uninstaller's copy " << Narrow(child.exeFile) << " did not finish";
    }
  }

  // Everything that a successful install leaves, checked from outside.
  void ExpectInstalled() {
    // This build's Tessora.scr, not the other slot's file, in the real system folder.
    EXPECT_TRUE(SameFile(InSystem(L"Tessora.scr"), TessoraBinPath(L"Tessora.scr")))
        << Narrow(InSystem(L"Tessora.scr")) << " is missing or not this build's Tessora.scr";
    EXPECT_TRUE(SameFile(InSystem(L"Tessora.chm"), TessoraBinPath(L"Tessora.chm")))
        << Narrow(InSystem(L"Tessora.chm")) << " is missing or not this build's help file";
    if (const std::wstring wow64 = Wow64Folder(); !wow64.empty()) {
      EXPECT_FALSE(Exists(wow64 + L"\\Tessora.scr")) << "installed into the 32-bit system folder";
      EXPECT_FALSE(Exists(wow64 + L"\\Tessora.chm"));
    }
    EXPECT_TRUE(SamePath(CurrentSaver().value_or(L""), InSystem(L"Tessora.scr")))
        << "SCRNSAVE.EXE is " << Narrow(CurrentSaver().value_or(L"<none>"));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName").value_or(L""), L"Tessora");
    EXPECT_EQ(Narrow(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion").value_or(L"")), version_);
    const std::wstring command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString").value_or(L"");
    ASSERT_GE(command.size(), 2u);
    EXPECT_TRUE(Exists(command.substr(1, command.size() - 2))) << "UninstallString " << Narrow(command);
  }

  void ExpectUninstalled(const std::wstring& installFolder) {
    EXPECT_FALSE(Exists(InSystem(L"Tessora.scr")));
    EXPECT_FALSE(Exists(InSystem(L"Tessora.chm")));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "still listed in Programs and Features";
    EXPECT_FALSE(Exists(installFolder)) << Narrow(installFolder) << " is left";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kStateKey)) << "the installer's own values are left";
  }

  std::wstring installer_;
  std::string version_;
  std::optional<std::wstring> userSaver_;
};

TEST_F(InstallerTest, InstallerAndInstalledProgramCarryTheProjectVersion) {
  const std::string four = version_ + ".0";
  const auto setup = ReadVersionResource(installer_);
  ASSERT_TRUE(setup) << "the installer has no version resource";
  EXPECT_EQ(setup->fixed, four);
  EXPECT_EQ(setup->productVersion, four);
  Install();
  const auto program = ReadVersionResource(InSystem(L"Tessora.scr"));
  ASSERT_TRUE(program) << "the installed Tessora.scr has no version resource";
  EXPECT_EQ(program->fixed, four);
  EXPECT_EQ(program->fileVersion, four);
  EXPECT_EQ(program->productVersion, four);
  Uninstall();
}

// The installed program finds its settings beside it in the system folder and runs
// the savers they name: Aurora for its second, then SelfEnd, which ends by itself and
// so ends the run.
TEST_F(InstallerTest, InstalledTessoraRunsTheSaversOfItsSettingsFile) {
  Install();
  ExpectInstalled();
  const std::wstring log = TempFilePath(L"tessora-installed", L".log");
  ScopedEnvironment logVariable(L"TESSORA_DEMO_LOG", log);
  ScopedEnvironment endSeconds(L"TESSORA_DEMO_END_SECONDS", L"2");
  const std::wstring aurora = TessoraBinPath(L"tools\\demosaver\\Aurora.scr");
  const std::wstring selfEnd = TessoraBinPath(L"tools\\demosaver\\SelfEnd.scr");
  WriteBytes(InSystem(L"Tessora.ini"),
             Ansi(L"[Option]\r\nrandom=0\r\nspan=1\r\nbgcolor=1,0\r\n[SetList]\r\nCount=1\r\nCurrent=0\r\n"
                  L"Item0=インストール確認\r\n[Set0]\r\nAurora=" +
                  aurora + L",1,2\r\nSelfEnd=" + selfEnd + L",5,2\r\n"));

  TestProcess tessora = StartProcess(Quoted(InSystem(L"Tessora.scr")) + L" /s");
  ASSERT_TRUE(tessora);
  const bool ended = tessora.WaitForExit(20000);
  const DemoLog events = ReadDemoLog(log);
  DeleteFileW(log.c_str());
  ASSERT_TRUE(ended) << "the run did not end after SelfEnd ended";
  EXPECT_EQ(tessora.ExitCode().value_or(0xDEAD), 0u);

  std::vector<DemoLogEntry> starts;
  for (const DemoLogEntry& e : events.entries)
    if (e.event == "start" && e.Field("mode") == "screen") starts.push_back(e);
  ASSERT_EQ(starts.size(), 2u) << "demo savers started: " << starts.size();
  EXPECT_EQ(starts[0].name, "Aurora");
  EXPECT_EQ(starts[0].Field("cmd"), "\"" + Ansi(aurora) + "\" /S");
  EXPECT_EQ(events.FieldOf(starts[0].pid, "exit", "reason"), "key") << "Aurora was not closed by Tessora";
  EXPECT_EQ(starts[1].name, "SelfEnd");
  EXPECT_EQ(events.FieldOf(starts[1].pid, "exit", "reason"), "timeout");

  const std::wstring folder = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation").value_or(L"?");
  Uninstall();
  ExpectUninstalled(folder);
}

// What the user's screensaver setting is before, during and after, and whether the
// settings file survives.
struct ScreensaverCase {
  const char* name;
  std::optional<std::wstring> before;       // SCRNSAVE.EXE before installing; nullopt: none
  int installs;                             // how often the installer runs
  std::optional<std::wstring> chosenAfter;  // a choice the user makes after installing
  const wchar_t* uninstallOptions;
  std::optional<std::wstring> expectedAfter;
  bool settingsKept;
};

const ScreensaverCase kScreensaverCases[] = {
    {"PreviousSaverComesBack", L"%SYSTEM%\\Mystify.scr", 1, std::nullopt, L"", L"%SYSTEM%\\Mystify.scr", true},
    {"NoPreviousSaverLeavesNone", std::nullopt, 1, std::nullopt, L"", std::nullopt, true},
    {"ASaverChosenSinceStays", L"%SYSTEM%\\Mystify.scr", 1, L"C:\\Savers\\Chosen Later.scr", L"",
     L"C:\\Savers\\Chosen Later.scr", true},
    {"TessoraChosenAgainInCapitalsStillCounts", L"%SYSTEM%\\Mystify.scr", 1, L"%SYSTEM%\\TESSORA.SCR", L"",
     L"%SYSTEM%\\Mystify.scr", true},
    {"InstallingAgainKeepsTheFirstPrevious", L"C:\\Savers\\Before.scr", 2, std::nullopt, L"",
     L"C:\\Savers\\Before.scr", true},
    {"SettingsRemovedOnlyOnRequest", L"%SYSTEM%\\Mystify.scr", 1, std::nullopt, L"/REMOVESETTINGS",
     L"%SYSTEM%\\Mystify.scr", false},
};

void PrintTo(const ScreensaverCase& c, std::ostream* out) { *out << c.name; }

class ScreensaverSettingTest : public InstallerTest, public ::testing::WithParamInterface<ScreensaverCase> {};

TEST_P(ScreensaverSettingTest, UninstallRestoresWhatTheUserHad) {
  const ScreensaverCase& c = GetParam();
  const auto expand = [](const std::optional<std::wstring>& value) {
    return value ? std::optional<std::wstring>(Expand(*value)) : std::nullopt;
  };
  SetCurrentSaver(expand(c.before));
  const std::string settings = "[Option]\r\nspan=30\r\n";
  for (int i = 0; i < c.installs; ++i) {
    SCOPED_TRACE("install " + std::to_string(i + 1));
    Install();
    ExpectInstalled();
    if (i == 0) WriteBytes(InSystem(L"Tessora.ini"), settings);
  }
  EXPECT_EQ(ReadBytes(InSystem(L"Tessora.ini")), settings) << "installing again changed the settings file";
  if (c.chosenAfter) SetCurrentSaver(Expand(*c.chosenAfter));

  const std::wstring folder = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation").value_or(L"?");
  Uninstall(c.uninstallOptions);
  ExpectUninstalled(folder);
  const auto expected = expand(c.expectedAfter);
  const auto after = CurrentSaver();
  EXPECT_EQ(after.has_value(), expected.has_value()) << "SCRNSAVE.EXE is " << Narrow(after.value_or(L"<none>"));
  if (after && expected) {
    EXPECT_TRUE(SamePath(*after, *expected)) << Narrow(*after);
  }
  if (c.settingsKept) {
    EXPECT_EQ(ReadBytes(InSystem(L"Tessora.ini")), settings) << "the settings file was not kept as it was";
  } else {
    EXPECT_FALSE(Exists(InSystem(L"Tessora.ini"))) << "the settings file was not removed";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreensaverSettingTest, ::testing::ValuesIn(kScreensaverCases),
                         [](const ::testing::TestParamInfo<ScreensaverCase>& info) { return info.param.name; });

}  // namespace
