#pragma once
// Every window the toolkit makes (controls, forms, timer windows, the application
// window) is bound to its object the same way: a window property holding a
// WindowTarget*. Lookups go through the base type, so a window of one kind of object
// is never read as another kind.
#include <windows.h>

namespace tessora::tk {

class WindowTarget {
 public:
  virtual ~WindowTarget() = default;
};

void BindWindow(HWND wnd, WindowTarget* target);
void UnbindWindow(HWND wnd);
// The object bound to a window of this process, or null (foreign and unbound windows).
WindowTarget* BoundTarget(HWND wnd);

template <class T>
T* BoundObject(HWND wnd) {
  return dynamic_cast<T*>(BoundTarget(wnd));
}

}  // namespace tessora::tk
