#pragma once
// The system's open-file dialog (explorer style, Unicode paths) as a component of a form.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Component.h"

namespace tessora::tk {

class OpenDialog : public Component {
 public:
  explicit OpenDialog(Component* owner);

  // "description|pattern" pairs, e.g. "Text (*.txt)|*.txt|All files|*.*".
  std::wstring Filter;
  std::wstring InitialDir;
  // Appended, without its dot, to a typed name that has no extension.
  std::wstring DefaultExt;
  std::wstring Title;
  bool AllowMultiSelect = false;
  bool PathMustExist = false;
  bool FileMustExist = false;
  bool HideReadOnly = false;
  bool EnableSizing = false;
  // Characters of the first answer buffer. An answer that does not fit opens the dialog
  // again with a buffer that does (the system cannot grow it while the dialog is open).
  DWORD BufferChars = 32768;

  // Shows the dialog modally over `owner` (the active window when null). True when the
  // user chose files; false on cancel or failure.
  bool Execute(HWND owner = nullptr);
  // The chosen files as full paths, in the order the dialog lists them.
  const std::vector<std::wstring>& Files() const { return files_; }
  // The first of them, or empty.
  std::wstring FileName() const { return files_.empty() ? std::wstring() : files_.front(); }
  // How many times the last Execute opened the dialog (more than 1 after a too small buffer).
  int Openings() const { return openings_; }

 private:
  std::vector<std::wstring> files_;
  int openings_ = 0;
};

}  // namespace tessora::tk
