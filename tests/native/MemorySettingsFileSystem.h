#pragma once
// A settings file system in memory, for tests of the store: counts the
// writes and can be told to fail them.
#include <map>

#include "settings/SettingsFileSystem.h"

namespace tessora {

class MemorySettingsFileSystem final : public SettingsFileSystem {
 public:
  std::map<std::filesystem::path, std::string> files;
  bool failWrites = false;
  int writes = 0;

  std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }

  bool WriteReplace(const std::filesystem::path& path, std::string_view content) override {
    ++writes;
    if (failWrites) return false;
    files[path] = std::string(content);
    return true;
  }
};

}  // namespace tessora
