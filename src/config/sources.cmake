# Files of src/config, relative to src/.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  config/ConfigModel.cpp
  config/ConfigTexts.cpp
  config/SaverPath.cpp
  config/SettingsSave.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  config/SaverCommands.cpp
  config/SaverFile.cpp
  config/SystemFolderAccess.cpp
  config/SecondsSpin.cpp
  config/option.cpp
  config/confdlg.cpp
)
