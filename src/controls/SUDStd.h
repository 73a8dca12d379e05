#pragma once
// Window-side helpers of the slide up-down control: reading an edit field's text,
// the key state, and the process-wide arrow-key hook.
#include <windows.h>

#include <string>

namespace tessora {

// Sent by the arrow-key hook to every registered slide up-down window: WParam the
// virtual-key code, LParam 1 for a key going down and 0 for one coming up. A nonzero
// answer says the control used the key.
constexpr UINT CM_ARROWKEY = 0x084E;

// The window's current text in the ANSI code page.
std::string ReadWindowText(HWND wnd);

// Adds the window to the controls the arrow-key hook asks; the first one installs
// the hook on the thread that owns it. Both always answer true.
bool RegisterArrowKeyWindow(HWND wnd);
// Removes the window; the last one removes the hook.
bool UnregisterArrowKeyWindow(HWND wnd);
// Whether the hook would ask the window.
bool ArrowKeyWindowRegistered(HWND wnd);

}  // namespace tessora
