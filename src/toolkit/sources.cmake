# Files of src/toolkit, relative to src/.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  toolkit/Component.cpp
  toolkit/FileDialogText.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  toolkit/Application.cpp
  toolkit/Bevel.cpp
  toolkit/Bitmap.cpp
  toolkit/Button.cpp
  toolkit/Canvas.cpp
  toolkit/CheckBox.cpp
  toolkit/ComboBox.cpp
  toolkit/Commands.cpp
  toolkit/ConfirmBox.cpp
  toolkit/Cursors.cpp
  toolkit/Font.cpp
  toolkit/Control.cpp
  toolkit/Form.cpp
  toolkit/GroupBox.cpp
  toolkit/Hints.cpp
  toolkit/Label.cpp
  toolkit/MessageHooks.cpp
  toolkit/Panel.cpp
  toolkit/Picture.cpp
  toolkit/PictureButton.cpp
  toolkit/Reflection.cpp
  toolkit/GraphicControl.cpp
  toolkit/Timer.cpp
  toolkit/WinCalls.cpp
  toolkit/WindowBinding.cpp
  toolkit/ListView.cpp
  toolkit/PopupMenu.cpp
  toolkit/OpenDialog.cpp
  toolkit/ColorDialog.cpp
)
