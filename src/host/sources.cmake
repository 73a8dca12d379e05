# Files of src/host, relative to src/.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  host/CommandLineWords.cpp
  host/WindowHandleText.cpp
  host/ScreenSaverCommandLine.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  host/WinWindowLookup.cpp
  host/ZuScreenSaver.cpp
)
