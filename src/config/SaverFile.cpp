#include "config/SaverFile.h"

#include <windows.h>

#include "config/SystemFolderAccess.h"
#include "toolkit/Handles.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {
// The longest name the list takes: what an 80-byte buffer holds besides its end mark.
constexpr std::size_t kMaxNameBytes = 79;

std::string BareFileName(const std::string& path) {
  std::size_t cut = std::string::npos;
  // Byte-wise, but never inside a double-byte character: its second byte may be a "\".
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (c == '\\' || c == ':') cut = i;
    else if (IsDBCSLeadByte(c) && i + 1 < path.size()) ++i;
  }
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Cuts an ANSI text to at most max bytes without splitting a double-byte character.
std::string CutAnsi(const std::string& text, std::size_t max) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t length = IsDBCSLeadByte(static_cast<BYTE>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + length > max) break;
    end += length;
  }
  return text.substr(0, end);
}

tk::Module LoadAsData(const std::wstring& path) {
  // As data and image resources only: no code of the file runs, nothing it imports is
  // loaded, and the path is taken as it is, not looked up along the module search path.
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  // Systems before Vista know only the data-file flag.
  if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
    module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return tk::Module(module);
}

struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  bool operator==(const FileIdentity&) const = default;
};

bool IdentityOf(const std::wstring& path, FileIdentity& identity) {
  HANDLE opened = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const tk::KernelHandle file(opened);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Get(), &info)) return false;
  identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}
}  // namespace

std::string GetDisplayName(const std::string& path) {
  const std::string bare = BareFileName(path);
  const tk::Module module = LoadAsData(tk::ToWide(path));
  if (!module) return bare;
  const wchar_t* text = nullptr;
  // A buffer size of 0 gives the resource's own read-only text and its length.
  const int length = LoadStringW(module.Get(), 1, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) return bare;
  const std::string name = CutAnsi(tk::FromWide(std::wstring_view(text, static_cast<std::size_t>(length))), kMaxNameBytes);
  return name.empty() ? bare : name;
}

bool SaverFileExists(const std::string& path) {
  ScopedSystemFolderAccess access(path);
  return IsFileAt(path);
}

bool IsRunningProgram(const std::string& path) {
  if (path.empty()) return false;
  FileIdentity self, other;
  if (!IdentityOf(tk::ModuleFilePath(), self) || !IdentityOf(tk::ToWide(path), other)) return false;
  return self == other;
}

}  // namespace tessora
