#include "host/WinWindowLookup.h"

#include <string>

namespace tessora {

WindowHandle WinWindowLookup::DesktopWindow() const { return FromHwnd(GetDesktopWindow()); }

WindowHandle WinWindowLookup::ForegroundWindow() const { return FromHwnd(GetForegroundWindow()); }

bool WinWindowLookup::IsWindow(WindowHandle window) const { return ::IsWindow(ToHwnd(window)) != FALSE; }

std::uint32_t WinWindowLookup::Style(WindowHandle window) const {
  return static_cast<std::uint32_t>(GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

WindowHandle WinWindowLookup::Parent(WindowHandle window) const { return FromHwnd(GetParent(ToHwnd(window))); }

WindowHandle WinWindowLookup::FindTopLevelWindow(std::string_view className) const {
  const std::string name(className);
  return FromHwnd(FindWindowA(name.c_str(), nullptr));
}

}  // namespace tessora
