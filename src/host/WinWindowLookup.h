#pragma once
// The window look-ups of the command-line reading, answered by the real window tree.
#include <windows.h>

#include "host/WindowLookup.h"

namespace tessora {

class WinWindowLookup final : public WindowLookup {
 public:
  WindowHandle DesktopWindow() const override;
  WindowHandle ForegroundWindow() const override;
  bool IsWindow(WindowHandle window) const override;
  std::uint32_t Style(WindowHandle window) const override;
  WindowHandle Parent(WindowHandle window) const override;
  WindowHandle FindTopLevelWindow(std::string_view className) const override;
};

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace tessora
