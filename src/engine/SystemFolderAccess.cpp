#include "engine/SystemFolderAccess.h"

namespace tessora {

namespace {
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFn = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFn = BOOL(WINAPI*)(PVOID);

template <class Fn>
Fn Kernel32Function(const char* name) {
  // Bound at run time: systems without 64-bit support lack these functions.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(kernel, name)));
}

std::wstring Wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::wstring SystemFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length + 1);
    length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  }
  folder.resize(length < folder.size() ? length : 0);
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}
}  // namespace

bool RunsUnderWow64() {
  static const bool wow64 = [] {
    const auto isWow64 = Kernel32Function<IsWow64ProcessFn>("IsWow64Process");
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
  const std::wstring folder = SystemFolder();
  const std::wstring wide = Wide(path);
  if (folder.empty() || wide.size() <= folder.size()) return false;
  const wchar_t next = wide[folder.size()];
  if (next != L'\\' && next != L'/') return false;
  return CompareStringOrdinal(wide.data(), static_cast<int>(folder.size()), folder.data(),
                              static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

ScopedSystemFolderAccess::ScopedSystemFolderAccess(const std::string& path) {
  if (!RunsUnderWow64() || !IsUnderSystemFolder(path) || IsFileAt(path)) return;
  static const auto disable = Kernel32Function<DisableRedirectionFn>("Wow64DisableWow64FsRedirection");
  if (disable && disable(&previous_)) active_ = true;
}

ScopedSystemFolderAccess::~ScopedSystemFolderAccess() {
  if (!active_) return;
  static const auto revert = Kernel32Function<RevertRedirectionFn>("Wow64RevertWow64FsRedirection");
  if (revert) revert(previous_);
}

}  // namespace tessora
