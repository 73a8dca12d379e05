# Files of src/toolkit, relative to src/.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  toolkit/Component.cpp
  toolkit/FileDialogText.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  toolkit/Application.cpp
  toolkit/Bitmap.cpp
  toolkit/Canvas.cpp
  toolkit/Commands.cpp
  toolkit/Cursors.cpp
  toolkit/Font.cpp
  toolkit/Control.cpp
  toolkit/Form.cpp
  toolkit/Label.cpp
  toolkit/MessageHooks.cpp
  toolkit/Reflection.cpp
  toolkit/GraphicControl.cpp
  toolkit/Timer.cpp
  toolkit/WindowBinding.cpp
  toolkit/ListView.cpp
  toolkit/PopupMenu.cpp
  toolkit/OpenDialog.cpp
  toolkit/ColorDialog.cpp
)
