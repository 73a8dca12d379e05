#include "settings/WinSettingsFileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "settings/SettingsFilePath.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (Valid()) CloseHandle(handle_);
  }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

// Unique among processes (process ID) and among saves of one process (counter).
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& tempName) {
  static LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = target + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(InterlockedIncrement(&counter));
    const HANDLE file = CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Moves the finished temporary file over the target. An existing file is replaced with
// ReplaceFileW, which keeps its attributes, its security settings and its identity.
bool PutInPlace(const std::wstring& tempName, const std::wstring& target) {
  if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return MoveFileExW(tempName.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  // A file another program holds open is left alone before anything is made of it:
  // some implementations of ReplaceFileW leave a file of their own behind when they fail.
  {
    FileHandle probe(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.Valid()) return false;
  }
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (ReplaceFileW(target.c_str(), tempName.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    // Not every implementation carries the attributes over (hidden, archive, ...).
    if (attributes != INVALID_FILE_ATTRIBUTES && GetFileAttributesW(target.c_str()) != attributes) {
      SetFileAttributesW(target.c_str(), attributes);
    }
    return true;
  }
  // The old file is gone already, the new one kept its temporary name: put it in place
  // rather than lose both.
  if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
    return MoveFileExW(tempName.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  }
  return false;
}
}  // namespace

std::optional<std::string> WinSettingsFileSystem::ReadWholeFile(const std::filesystem::path& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) {
    return std::nullopt;
  }
  std::string content;
  content.reserve(static_cast<std::size_t>(size.QuadPart));
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    content.append(buffer, got);
  }
  return content;
}

bool WinSettingsFileSystem::WriteReplace(const std::filesystem::path& path, std::string_view content) {
  const std::wstring target = path.wstring();
  // A read-only settings file is the user's wish to keep it. Windows refuses to
  // replace one anyway, but not every implementation of the call does.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  std::wstring tempName;
  FileHandle temp(CreateTemporaryBeside(target, tempName));
  if (!temp.Valid()) return false;

  const bool written = WriteAll(temp.Get(), content) && FlushFileBuffers(temp.Get());
  if (!temp.Close() || !written || !PutInPlace(tempName, target)) {
    DeleteFileW(tempName.c_str());
    return false;
  }
  return true;
}

bool WinSettingsFileSystem::Exists(const std::filesystem::path& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  // Only "not there" counts as missing; a file the system will not even describe exists.
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME &&
         error != ERROR_BAD_NETPATH && error != ERROR_INVALID_DRIVE;
}

SettingsPaths ProgramSettingsPaths() {
  SettingsPaths paths;
  paths.beside = std::filesystem::path(SettingsFilePath(tk::ModuleFilePath()));
  wchar_t appData[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) && appData[0]) {
    paths.perUser = std::filesystem::path(appData) / L"Tessora" / L"Tessora.ini";
  }
  return paths;
}

SettingsFileSystem& DefaultSettingsFileSystem() {
  static WinSettingsFileSystem fileSystem;
  return fileSystem;
}

}  // namespace tessora
