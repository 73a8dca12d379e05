#pragma once
// Real input for tests whose GUI thread sits in a modal loop of the system's (a pop-up
// menu, a common dialog, the list view's drag detection): a driver thread moves the
// mouse, presses keys and finds windows, while the GUI thread pumps or is held in
// the loop (PumpUntil and PumpFor of WineTestSupport.h). Nothing here touches toolkit
// objects from the driver thread.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "WineTestSupport.h"

namespace tessora::uitest {

// Waits (on any thread) until the condition holds or the time is up.
template <class F>
bool WaitUntil(F condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
  return true;
}

inline std::wstring ClassOf(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

inline std::wstring TextOf(HWND wnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

struct OwnWindowSearch {
  const wchar_t* name;
  std::vector<HWND> found;
};

// A named function: a lambda does not convert to the 32-bit build's stdcall callback type.
inline BOOL CALLBACK CollectOwnWindow(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<OwnWindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && ClassOf(wnd) == s->name) s->found.push_back(wnd);
  return TRUE;
}

// Visible top-level windows of this process with the class name, newest first.
inline std::vector<HWND> OwnWindows(const wchar_t* className) {
  OwnWindowSearch search{className, {}};
  EnumWindows(CollectOwnWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible top-level window of this process with the class name that is not one of
// `except`, once there is one; null after the time is up.
inline HWND WaitForOwnWindow(const wchar_t* className, DWORD timeoutMs, const std::vector<HWND>& except = {}) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND wnd : OwnWindows(className)) {
          if (std::find(except.begin(), except.end(), wnd) == except.end()) {
            found = wnd;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

// The file name field of the system's open dialog, anywhere inside it: the edit of
// the combo box cmb13, or the edit edt1 of older dialogs. A named callback: a lambda
// does not convert to the 32-bit build's stdcall type.
inline BOOL CALLBACK FindFileNameField(HWND child, LPARAM data) {
  auto* found = reinterpret_cast<HWND*>(data);
  const int id = GetDlgCtrlID(child);
  if (id == 0x47C) {
    if (HWND edit = FindWindowExW(child, nullptr, L"Edit", nullptr)) *found = edit;
  } else if (id == 0x480 && IsWindowVisible(child) && ClassOf(child) == L"Edit") {
    *found = child;
  }
  return *found == nullptr;
}

inline HWND FileNameField(HWND dialog) {
  HWND found = nullptr;
  EnumChildWindows(dialog, FindFileNameField, reinterpret_cast<LPARAM>(&found));
  return found;
}

inline HWND FocusOf(HWND wnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Puts the pointer on a screen point and waits until it stays there: under Wine a late
// report of an earlier position can move it back once.
inline bool MoveTo(POINT p) {
  const auto there = [&] {
    POINT now;
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
  };
  for (int attempt = 0; attempt < 10; ++attempt) {
    SetCursorPos(p.x, p.y);
    Sleep(40);
    if (!there()) continue;
    Sleep(40);
    if (there()) return true;
  }
  return false;
}

enum class Button { Left, Right, Middle };

inline void ButtonEvent(Button button, bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  switch (button) {
    case Button::Left:
      input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
      break;
    case Button::Right:
      input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
      break;
    case Button::Middle:
      input.mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
      break;
  }
  SendInput(1, &input, sizeof input);
}

inline bool ClickAt(POINT p, Button button = Button::Left) {
  if (!MoveTo(p)) return false;
  ButtonEvent(button, true);
  Sleep(30);
  ButtonEvent(button, false);
  return true;
}

inline POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

inline POINT ScreenCentreOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return CentreOf(r);
}

inline void KeyEvent(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

inline void Press(WORD vk) {
  KeyEvent(vk, true);
  KeyEvent(vk, false);
}

// Characters as the keyboard's Unicode packets, any script.
inline void Type(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Runs a script of input on its own thread while the GUI thread does something that
// blocks (or pumps). A failed step says so in Failure; the script should then leave
// the GUI thread a way out (cancel the dialog, close the menu).
class Driver {
 public:
  explicit Driver(std::function<void(Driver&)> script)
      : thread_([this, script = std::move(script)] {
          script(*this);
          done_ = true;
        }) {}
  ~Driver() { Join(); }
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  void Fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
  }
  // Read after Join.
  const std::string& Failure() const { return failure_; }
  bool Done() const { return done_; }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::string failure_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// Runs the script on a driver thread while this thread pumps, until the script is done
// or the time is up; what went wrong, or "" when nothing did.
inline std::string Drive(std::function<void(Driver&)> script, DWORD timeoutMs) {
  Driver driver(std::move(script));
  const bool finished = ::PumpUntil([&] { return driver.Done(); }, timeoutMs);
  driver.Join();
  if (!finished) return "the input script did not finish";
  return driver.Failure();
}

// The colour of a screen pixel (our own windows only: Wine shows no other drawing).
inline COLORREF ScreenPixel(POINT p) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

// A copy of a screen area, read pixel by pixel afterwards.
class ScreenShot {
 public:
  explicit ScreenShot(const RECT& area)
      : left_(area.left), top_(area.top), width_(area.right - area.left), height_(area.bottom - area.top) {
    pixels_.resize(static_cast<size_t>(width_ > 0 && height_ > 0 ? width_ * height_ : 0));
    if (pixels_.empty()) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width_, height_, screen, left_, top_, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels_.size(); ++i) {
      const DWORD v = p[i];
      pixels_[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }
  // Screen coordinates.
  COLORREF At(int x, int y) const {
    return pixels_[static_cast<size_t>((y - top_) * width_ + (x - left_))];
  }

 private:
  int left_, top_, width_, height_;
  std::vector<COLORREF> pixels_;
};

inline int Luma(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

// Counts of the process's objects: GDI, USER and kernel. Where the system's own
// counters answer 0 (Wine), the handle tables are walked instead: every live handle
// value is tried once, which counts the same things up to a constant.
struct ObjectCounts {
  long Gdi = 0, User = 0, Kernel = 0;
};

inline ObjectCounts CountObjects() {
  ObjectCounts counts;
  HANDLE process = GetCurrentProcess();
  counts.Gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
  counts.User = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles)) counts.Kernel = static_cast<long>(handles);
  if (counts.Gdi == 0) {
    for (ULONG_PTR h = 0x20; h < 0x10000; ++h) {
      if (GetObjectType(reinterpret_cast<HGDIOBJ>(h))) ++counts.Gdi;
    }
  }
  if (counts.User == 0) {
    for (ULONG_PTR h = 0x20; h < 0x10000; h += 2) {
      if (IsWindow(reinterpret_cast<HWND>(h)) || IsMenu(reinterpret_cast<HMENU>(h))) ++counts.User;
    }
  }
  if (counts.Kernel == 0) {
    DWORD flags;
    for (ULONG_PTR h = 4; h < 0x10000; h += 4) {
      if (GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) ++counts.Kernel;
    }
  }
  return counts;
}

}  // namespace tessora::uitest
