#pragma once
// What the configuration model needs from outside itself. The dialog gives it the
// real file system, the saver files' own names and a confirmation box; tests give
// it fakes. Paths and names are ANSI bytes, as the settings file holds them.
#include <string>
#include <string_view>

#include "settings/SettingsLocation.h"

namespace tessora {

class ConfigEnvironment {
 public:
  virtual ~ConfigEnvironment() = default;

  // Where the settings file may be: beside the program, or the user's own.
  virtual SettingsPaths SettingsFiles() = 0;
  // Whether path names the running program's own file, however it is spelled.
  virtual bool IsRunningProgram(const std::string& path) = 0;
  // Whether a file (not a folder) is at path, as the rotation would find it.
  virtual bool FileExists(const std::string& path) = 0;
  // The name a newly added saver file is listed under (its own, else its file name).
  virtual std::string DisplayName(const std::string& path) = 0;
  // Asks the user; true for yes.
  virtual bool Confirm(std::wstring_view question) = 0;
};

}  // namespace tessora
