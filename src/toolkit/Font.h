#pragma once
// Fonts by the values a form stores for them: face name, pixel height, weight.
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/Handles.h"

namespace tessora::tk {

// A negative height is the character height in pixels (without internal leading), a
// positive one the cell height, as in LOGFONT.
GdiObject MakeFont(const std::wstring& face, int height, bool bold = false, BYTE charSet = DEFAULT_CHARSET);

// A font shared by the controls that use it: the last one to let go deletes it.
using FontRef = std::shared_ptr<HFONT__>;
FontRef MakeSharedFont(const std::wstring& face, int height, bool bold = false, BYTE charSet = DEFAULT_CHARSET);
// A font someone else owns and keeps alive; never deleted through the reference.
FontRef BorrowFont(HFONT font);

}  // namespace tessora::tk
