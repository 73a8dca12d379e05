#pragma once
// The notifications a parent window gets on behalf of a child control, and how each
// names that child. A parent (form, group box, panel: any WinControl) hands them to the
// child's HandleReflected before its own default handling.
#include <windows.h>

#include "toolkit/Message.h"

namespace tessora::tk {

// The child window a notification concerns, or null when the message is not one of
// them or names no child of `self` (a menu's WM_COMMAND, a window's own scroll bars).
HWND NotificationSource(const Message& message, HWND self);

}  // namespace tessora::tk
