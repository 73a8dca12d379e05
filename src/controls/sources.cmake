# Files of src/controls, relative to src/.
# Portable files never include <windows.h>; they build natively too.
list(APPEND TESSORA_PORTABLE_SOURCES
  controls/AnsiForm.cpp
  controls/LeadByteText.cpp
  controls/ShadoLblGradient.cpp
  controls/ShadoLblLayout.cpp
  controls/ShadoLblShadow.cpp
  controls/ShadoLblStyle.cpp
  controls/URLLabelState.cpp
  controls/ArrowGeometry.cpp
  controls/ArrowKeyRegistry.cpp
  controls/Confine.cpp
  controls/ExtractNumber.cpp
  controls/KeepButtonLogic.cpp
  controls/NumeralText.cpp
  controls/PartFrame.cpp
  controls/PictureFormat.cpp
  controls/SlideUpDownLayout.cpp
  controls/SlideUpDownValue.cpp
  controls/StepFunction.cpp
)
list(APPEND TESSORA_WIN_SOURCES
  controls/ShadoLbl.cpp
  controls/URLLabel.cpp
  controls/CustomKeepButton.cpp
  controls/EditHex.cpp
  controls/SUDParts.cpp
  controls/SUDStd.cpp
  controls/SlideUpDown.cpp
)
