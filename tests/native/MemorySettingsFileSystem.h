#pragma once
// A settings file system in memory, for tests of the store: counts the
// writes and can be told to fail them.
#include <map>
#include <set>

#include "settings/SettingsFileSystem.h"

namespace tessora {

class MemorySettingsFileSystem final : public SettingsFileSystem {
 public:
  std::map<std::filesystem::path, std::string> files;
  // Files that are there but cannot be read (locked, closed to the user).
  std::set<std::filesystem::path> unreadable;
  // Paths whose writes fail.
  std::set<std::filesystem::path> unwritable;
  bool failWrites = false;
  int writes = 0;

  std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) override {
    if (unreadable.count(path)) return std::nullopt;
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }

  bool Exists(const std::filesystem::path& path) override { return files.count(path) || unreadable.count(path); }

  bool WriteReplace(const std::filesystem::path& path, std::string_view content) override {
    ++writes;
    if (failWrites || unwritable.count(path)) return false;
    files[path] = std::string(content);
    return true;
  }
};

}  // namespace tessora
