#pragma once
#include <windows.h>

#include <functional>

namespace tessora::tk {

// A window message as the replaceable handlers see it; Result starts at 0.
struct Message {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A window's replaceable message handler. A component installs its own in front of
// the current one, keeps the old one to pass messages on, and puts it back later.
using WndMethod = std::function<void(Message&)>;

// Private messages of the toolkit (WM_APP range, never posted outside the program).
constexpr UINT CM_RELEASE = WM_APP + 0x3F00;       // a form's deferred destruction
constexpr UINT CM_MOUSEENTER = WM_APP + 0x3F01;    // to a control: the mouse entered it
constexpr UINT CM_MOUSELEAVE = WM_APP + 0x3F02;    // to a control: the mouse left it
constexpr UINT CN_COMMAND = WM_APP + 0x3F10;       // a parent's WM_COMMAND, handed to the child that sent it
constexpr UINT CN_NOTIFY = WM_APP + 0x3F11;        // a parent's WM_NOTIFY, handed to the child that sent it

}  // namespace tessora::tk
