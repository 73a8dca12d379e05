#pragma once
// The program-wide table of mouse pointers by number, the way controls name their
// pointer: a control keeps a number, the table gives the handle.
#include <windows.h>

namespace tessora::tk {

// The number that means "the parent's pointer".
constexpr int crDefault = 0;

// Enters a pointer under a number, replacing what was there; null removes the entry.
// The handle is borrowed (a shared resource cursor, say) and is never destroyed here.
void SetScreenCursor(int number, HCURSOR cursor);
// The pointer entered under the number, or null.
HCURSOR ScreenCursor(int number);

}  // namespace tessora::tk
