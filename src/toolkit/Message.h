#pragma once
#include <windows.h>

namespace tessora::tk {

// A window message as the toolkit's handlers see it; Result is the answer to Windows.
struct Message {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Private messages of the toolkit (WM_APP range, never posted outside the program).
constexpr UINT CM_RELEASE = WM_APP + 0x3F00;     // a form's deferred destruction
constexpr UINT CM_MOUSEENTER = WM_APP + 0x3F01;  // to a control: the mouse entered it
constexpr UINT CM_MOUSELEAVE = WM_APP + 0x3F02;  // to a control: the mouse left it
constexpr UINT CM_CAPTURELOST = WM_APP + 0x3F03; // to a control: another window took its mouse capture

}  // namespace tessora::tk
