#pragma once
// A window tree for the command-line tests: a few windows with parents, child
// style and class, and a foreground window the test chooses.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/WindowLookup.h"

namespace tessora {

class FakeWindowTree : public WindowLookup {
 public:
  struct Window {
    WindowHandle handle;
    WindowHandle parent;  // parent of a child, owner of a top-level window
    bool child;
    std::string className;
  };

  // Windows are kept in creation order, which decides the first of a class.
  void Add(Window window) { windows_.push_back(std::move(window)); }
  void SetDesktop(WindowHandle window) { desktop_ = window; }
  void SetForeground(WindowHandle window) { foreground_ = window; }
  int ForegroundLookups() const { return foregroundLookups_; }

  WindowHandle DesktopWindow() const override { return desktop_; }
  WindowHandle ForegroundWindow() const override {
    ++foregroundLookups_;
    return foreground_;
  }
  bool IsWindow(WindowHandle window) const override { return Find(window) != nullptr; }
  std::uint32_t Style(WindowHandle window) const override {
    constexpr std::uint32_t visible = 0x10000000;  // WS_VISIBLE, so the child bit is not the only one set
    const Window* found = Find(window);
    if (found == nullptr) return 0;
    return found->child ? kWindowStyleChild | visible : visible;
  }
  WindowHandle Parent(WindowHandle window) const override {
    const Window* found = Find(window);
    return found != nullptr ? found->parent : 0;
  }
  WindowHandle FindTopLevelWindow(std::string_view className) const override {
    for (const Window& window : windows_) {
      if (!window.child && window.className == className) return window.handle;
    }
    return 0;
  }

 private:
  const Window* Find(WindowHandle handle) const {
    for (const Window& window : windows_) {
      if (window.handle == handle) return &window;
    }
    return nullptr;
  }

  std::vector<Window> windows_;
  WindowHandle desktop_ = 0;
  WindowHandle foreground_ = 0;
  mutable int foregroundLookups_ = 0;
};

}  // namespace tessora
