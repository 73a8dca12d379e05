#pragma once
#include "settings/SettingsFileSystem.h"
#include "settings/SettingsLocation.h"

namespace tessora {

// Writes a temporary file in the target's folder, flushes it to disk, then
// moves it over the target in one step, so the old file is never half-written.
class WinSettingsFileSystem final : public SettingsFileSystem {
 public:
  std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) override;
  bool WriteReplace(const std::filesystem::path& path, std::string_view content) override;
  bool Exists(const std::filesystem::path& path) override;
};

// The settings file beside the program and the user's own in %APPDATA%\Tessora.
SettingsPaths ProgramSettingsPaths();

}  // namespace tessora
