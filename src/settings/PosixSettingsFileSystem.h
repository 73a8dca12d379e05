#pragma once
#include "settings/SettingsFileSystem.h"

namespace tessora {

#ifndef _WIN32
// Writes a temporary file beside the target, syncs it, then renames it over
// the target, so a crash or a full disk never leaves a half-written file.
class PosixSettingsFileSystem final : public SettingsFileSystem {
 public:
  std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) override;
  bool WriteReplace(const std::filesystem::path& path, std::string_view content) override;
  bool Exists(const std::filesystem::path& path) override;
};
#endif

}  // namespace tessora
