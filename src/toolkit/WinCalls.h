#pragma once
// The one home of small Win32 helpers every subsystem needs: functions bound by name at
// run time, conversions between the ANSI code page (or UTF-8) and UTF-16, key state,
// system colours and the system folder.
#include <windows.h>

#include <string>
#include <string_view>

#include "core/ColorCode.h"

namespace tessora::tk {

// A function of a module by name, or null.
template <class Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through void (*)(): the one function type every other may be cast from without a warning.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A function of kernel32 that older systems may lack, or null.
template <class Fn>
Fn KernelProc(const char* name) {
  return ProcAddress<Fn>(GetModuleHandleW(L"kernel32.dll"), name);
}

// Text of a code page (the ANSI one unless named) as UTF-16, and back.
std::wstring ToWide(std::string_view text, UINT codePage = CP_ACP);
std::string FromWide(std::wstring_view text, UINT codePage = CP_ACP);

// Whether a key is down as far as the messages handled so far tell (bit 15 of GetKeyState).
bool KeyIsDown(int virtualKey);

// A system-colour code or a plain 0x00BBGGRR colour, as a plain colour.
COLORREF ColorToRgb(ColorRef color);

// The system folder without a trailing separator; empty when it cannot be read.
std::wstring SystemFolder();

// Full path of a loaded module (the program's own by default), however long it is.
std::wstring ModuleFilePath(HMODULE module = nullptr);

}  // namespace tessora::tk
