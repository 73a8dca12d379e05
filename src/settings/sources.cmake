# Files of src/settings, relative to src/: the settings file and its seams to the file system.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  settings/BackgroundOption.cpp
  settings/CaseFold.cpp
  settings/CommaText.cpp
  settings/IniStore.cpp
  settings/PosixSettingsFileSystem.cpp
  settings/SaverEntry.cpp
  settings/SettingsFilePath.cpp
  settings/SettingsLocation.cpp
  settings/WholeNumber.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  settings/WinSettingsFileSystem.cpp
)
