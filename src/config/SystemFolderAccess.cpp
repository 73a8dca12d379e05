#include "config/SystemFolderAccess.h"

#include "toolkit/WinCalls.h"

namespace tessora {

namespace {
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFn = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFn = BOOL(WINAPI*)(PVOID);

}  // namespace

bool RunsUnderWow64() {
  static const bool wow64 = [] {
    const auto isWow64 = tk::KernelProc<IsWow64ProcessFn>("IsWow64Process");
    BOOL result = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &result) && result;
  }();
  return wow64;
}

bool IsFileAt(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsUnderSystemFolder(const std::string& path) {
  const std::wstring folder = tk::SystemFolder();
  const std::wstring wide = tk::ToWide(path);
  if (folder.empty() || wide.size() <= folder.size()) return false;
  const wchar_t next = wide[folder.size()];
  if (next != L'\\' && next != L'/') return false;
  return CompareStringOrdinal(wide.data(), static_cast<int>(folder.size()), folder.data(),
                              static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

ScopedSystemFolderAccess::ScopedSystemFolderAccess(const std::string& path) {
  if (!RunsUnderWow64() || !IsUnderSystemFolder(path) || IsFileAt(path)) return;
  static const auto disable = tk::KernelProc<DisableRedirectionFn>("Wow64DisableWow64FsRedirection");
  if (disable && disable(&previous_)) active_ = true;
}

ScopedSystemFolderAccess::~ScopedSystemFolderAccess() {
  if (!active_) return;
  static const auto revert = tk::KernelProc<RevertRedirectionFn>("Wow64RevertWow64FsRedirection");
  if (revert) revert(previous_);
}

}  // namespace tessora
