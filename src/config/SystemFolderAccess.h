#pragma once
// The 32-bit program on 64-bit Windows sees the 32-bit system folder (SysWOW64) where a
// path names the system folder. A saver that a 32-bit installer put into "System32"
// lies there and is found as the program sees it; one that lies only in the real,
// 64-bit system folder is not. For such a path alone this scope turns the redirection
// off (on this thread), so that file is found and started where the user put it.
#include <windows.h>

#include <string>

namespace tessora {

class ScopedSystemFolderAccess {
 public:
  // Off only for a path under the system folder with no file there as this program
  // sees it: the file the program itself sees always comes first.
  explicit ScopedSystemFolderAccess(const std::string& path);
  ~ScopedSystemFolderAccess();
  ScopedSystemFolderAccess(const ScopedSystemFolderAccess&) = delete;
  ScopedSystemFolderAccess& operator=(const ScopedSystemFolderAccess&) = delete;

  // Whether redirection is off now.
  bool Active() const { return active_; }

 private:
  void* previous_ = nullptr;
  bool active_ = false;
};

// Whether path (bytes of the ANSI code page) lies inside the system folder,
// letter case ignored.
bool IsUnderSystemFolder(const std::string& path);
// Whether this is a 32-bit process on 64-bit Windows.
bool RunsUnderWow64();
// Whether a file, not a folder, is at path as this thread sees the file system now.
bool IsFileAt(const std::string& path);

}  // namespace tessora
