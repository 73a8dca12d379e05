#pragma once
// Where the settings store reads and writes its file. Tests put a fake in its
// place; each platform has its own safe replace.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessora {

class SettingsFileSystem {
 public:
  virtual ~SettingsFileSystem() = default;

  // The whole file, or nothing when it does not exist or cannot be read.
  virtual std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) = 0;

  // Whether a file is at the path, readable or not: one that is locked by another
  // program or closed to this user exists all the same.
  virtual bool Exists(const std::filesystem::path& path) { return ReadWholeFile(path).has_value(); }

  // Puts content in place of the file as a whole. Until the new content is
  // complete on disk the old file stays untouched; on failure it is left
  // exactly as it was and false is returned.
  virtual bool WriteReplace(const std::filesystem::path& path, std::string_view content) = 0;
};

// The platform's own: POSIX in the native build, Win32 in the Windows build.
SettingsFileSystem& DefaultSettingsFileSystem();

}  // namespace tessora
