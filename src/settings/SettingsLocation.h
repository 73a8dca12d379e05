#pragma once
// Where the settings live. The file beside the program is the classic place; a user
// who may not write there (the program installed in the system folder, no
// administrator rights) gets a file of their own in their profile. Once that file
// exists it is the one every reader takes.
#include <filesystem>
#include <vector>

#include "settings/IniStore.h"
#include "settings/SettingsFileSystem.h"

namespace tessora {

struct SettingsPaths {
  std::filesystem::path beside;   // the program's path with "ini" for its extension
  std::filesystem::path perUser;  // in the user's profile; empty where there is none
};

// The file to read: the user's own when it exists, else the one beside the program.
std::filesystem::path SettingsReadPath(const SettingsPaths& paths, SettingsFileSystem& fileSystem);

// The files to try when saving, in order: the user's own alone once it exists (a file
// beside the program would be hidden behind it), else the one beside the program and
// then the user's own.
std::vector<std::filesystem::path> SettingsSaveTargets(const SettingsPaths& paths, SettingsFileSystem& fileSystem);

// Saves the store to the first of the targets that takes it (the user's own folder is
// made on its first save). False when none did; lastTried then names the last target.
bool SaveSettings(IniStore& store, const SettingsPaths& paths, SettingsFileSystem& fileSystem,
                  std::filesystem::path& lastTried);

}  // namespace tessora
