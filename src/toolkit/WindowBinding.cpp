#include "toolkit/WindowBinding.h"

namespace tessora::tk {

namespace {
constexpr wchar_t kBindingProp[] = L"Tessora.Object";
}

void BindWindow(HWND wnd, WindowTarget* target) {
  if (wnd) SetPropW(wnd, kBindingProp, target);
}

void UnbindWindow(HWND wnd) {
  if (wnd) RemovePropW(wnd, kBindingProp);
}

WindowTarget* BoundTarget(HWND wnd) {
  if (!wnd) return nullptr;
  // Another process may carry a property of this name (a second instance, say); its
  // pointer means nothing here.
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return static_cast<WindowTarget*>(GetPropW(wnd, kBindingProp));
}

}  // namespace tessora::tk
