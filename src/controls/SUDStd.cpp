#include "controls/SUDStd.h"

#include <vector>

#include "controls/ArrowKeyRegistry.h"

namespace tessora {
namespace {

ArrowKeyRegistry& Registry() {
  static ArrowKeyRegistry registry;
  return registry;
}

HHOOK hook = nullptr;

LRESULT CALLBACK ArrowKeyHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  bool passOn = code < 0;
  // HC_NOREMOVE announces an event that is only peeked at; it comes again with
  // HC_ACTION when it is taken, and asking both times would step twice.
  if (code == HC_ACTION) {
    const LPARAM keyDown = (static_cast<DWORD>(lParam) & 0x80000000u) ? 0 : 1;
    const bool allUsed = Registry().AllUsed([&](ArrowKeyRegistry::Handle handle) {
      return SendMessageA(static_cast<HWND>(handle), CM_ARROWKEY, wParam, keyDown) != 0;
    });
    if (!allUsed) passOn = true;
  } else {
    passOn = true;
  }
  const LRESULT next = CallNextHookEx(hook, code, wParam, lParam);
  return passOn ? next : 1;
}

}  // namespace

std::string ReadWindowText(HWND wnd) {
  const int length = GetWindowTextLengthA(wnd);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
  const int got = GetWindowTextA(wnd, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

bool RegisterArrowKeyWindow(HWND wnd) {
  if (!wnd) return true;
  const bool first = Registry().Empty();
  if (first) {
    hook = SetWindowsHookExA(WH_KEYBOARD, ArrowKeyHook, nullptr, GetWindowThreadProcessId(wnd, nullptr));
    // Without a hook the keys simply reach the edit field; nothing to register for.
    if (!hook) return true;
  }
  Registry().Register(wnd);
  return true;
}

bool ArrowKeyWindowRegistered(HWND wnd) { return wnd && Registry().Contains(wnd); }

bool UnregisterArrowKeyWindow(HWND wnd) {
  if (Registry().Unregister(wnd) && hook) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
  return true;
}

}  // namespace tessora
