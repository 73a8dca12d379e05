#include "settings/SettingsLocation.h"

namespace tessora {

std::filesystem::path SettingsReadPath(const SettingsPaths& paths, SettingsFileSystem& fileSystem) {
  if (!paths.perUser.empty() && fileSystem.Exists(paths.perUser)) return paths.perUser;
  return paths.beside;
}

std::vector<std::filesystem::path> SettingsSaveTargets(const SettingsPaths& paths, SettingsFileSystem& fileSystem) {
  if (paths.perUser.empty()) return {paths.beside};
  if (fileSystem.Exists(paths.perUser)) return {paths.perUser};
  return {paths.beside, paths.perUser};
}

bool SaveSettings(IniStore& store, const SettingsPaths& paths, SettingsFileSystem& fileSystem,
                  std::filesystem::path& lastTried) {
  for (const std::filesystem::path& target : SettingsSaveTargets(paths, fileSystem)) {
    lastTried = target;
    if (target == paths.perUser) {
      std::error_code ignored;
      std::filesystem::create_directories(target.parent_path(), ignored);
    }
    if (store.SaveAs(target)) return true;
  }
  return false;
}

}  // namespace tessora
