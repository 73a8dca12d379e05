#include "toolkit/OpenDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "toolkit/FileDialogText.h"

namespace tessora::tk {

namespace {
// Far beyond any real choice; a request for more is taken as a fault.
constexpr DWORD kLargestBuffer = 1u << 22;
}  // namespace

OpenDialog::OpenDialog(Component* owner) : Component(owner) {}

bool OpenDialog::Execute(HWND owner) {
  files_.clear();
  openings_ = 0;
  const std::wstring filter = DialogFilter(Filter);
  DWORD flags = OFN_EXPLORER;
  if (AllowMultiSelect) flags |= OFN_ALLOWMULTISELECT;
  if (PathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (FileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (HideReadOnly) flags |= OFN_HIDEREADONLY;
  if (EnableSizing) flags |= OFN_ENABLESIZING;
  DWORD chars = std::max<DWORD>(BufferChars, MAX_PATH);
  for (;;) {
    std::wstring buffer(chars, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner ? owner : GetActiveWindow();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = chars;
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = flags;
    ++openings_;
    if (GetOpenFileNameW(&ofn)) {
      files_ = ChosenFiles(buffer);
      return !files_.empty();
    }
    if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL || chars >= kLargestBuffer) return false;
    // The first character holds the size the answer needs; it cannot say more than 65535.
    const DWORD needed = static_cast<DWORD>(static_cast<unsigned short>(buffer[0])) + 2;
    chars = std::min(kLargestBuffer, std::max(needed, chars * 2));
  }
}

}  // namespace tessora::tk
