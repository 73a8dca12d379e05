#pragma once
// Fonts by the values a form stores for them: face name, pixel height, weight.
#include <windows.h>

#include <string>

#include "toolkit/Handles.h"

namespace tessora::tk {

// A negative height is the character height in pixels (without internal leading), a
// positive one the cell height, as in LOGFONT.
GdiObject MakeFont(const std::wstring& face, int height, bool bold = false, BYTE charSet = DEFAULT_CHARSET);

}  // namespace tessora::tk
