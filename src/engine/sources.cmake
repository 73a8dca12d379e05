# Files of src/engine, relative to src/.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  engine/EntryTimes.cpp
  engine/PlayList.cpp
  engine/PreviewPath.cpp
  engine/RandomSource.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  engine/ChildSaver.cpp
  engine/MainFrm.cpp
  engine/MainFrmEngine.cpp
)
