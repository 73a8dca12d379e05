#pragma once
// The 32-bit program on 64-bit Windows sees the 32-bit system folder in place of the
// real one; savers installed only in the 64-bit system folder would not exist for it.
// For a path under the system folder this turns that redirection off for the scope
// (on this thread), so the file is found and started where the user put it.
#include <windows.h>

#include <string>

namespace tessora {

class ScopedSystemFolderAccess {
 public:
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

}  // namespace tessora
