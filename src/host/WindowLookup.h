#pragma once
// The few questions about the window tree that deciding the run mode needs.
// The Win32 host answers them with the real API; tests answer them with a fake
// tree, so this stays free of <windows.h>.
#include <cstdint>
#include <string_view>

namespace tessora {

// A window handle as a number. Handles from text are sign-extended from 32 bits,
// which is how 64-bit Windows widens a 32-bit handle.
using WindowHandle = std::uintptr_t;

inline constexpr std::uint32_t kWindowStyleChild = 0x40000000;  // WS_CHILD

class WindowLookup {
 public:
  virtual ~WindowLookup() = default;

  virtual WindowHandle DesktopWindow() const = 0;
  virtual WindowHandle ForegroundWindow() const = 0;  // 0 when there is none
  virtual bool IsWindow(WindowHandle window) const = 0;
  virtual std::uint32_t Style(WindowHandle window) const = 0;  // 0 for a handle that names no window
  virtual WindowHandle Parent(WindowHandle window) const = 0;  // parent or owner, 0 at the top
  // The first top-level window of the class (title not looked at), or 0.
  virtual WindowHandle FindTopLevelWindow(std::string_view className) const = 0;
};

}  // namespace tessora
