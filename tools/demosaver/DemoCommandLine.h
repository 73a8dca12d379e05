#pragma once
// The screensaver switches a demo saver understands (case-insensitive, "/" or "-"):
//   /s              full screen (also what Tessora passes: /S)
//   /p HWND, /p:HWND  preview inside the given window
//   /c, /c:HWND     configuration (a message box); also when no switch is given
//   /a HWND         password change: nothing to do, the saver ends at once
//   /end:N, /end N  end by itself after N seconds in full-screen mode (0 = never);
//                   overrides the variant's default and TESSORA_DEMO_END_SECONDS
//   /child          internal: the process a Launcher (or Guarded) starts to own the window
// Handles are decimal, or hexadecimal with 0x. Unknown arguments are ignored.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class DemoMode { Screen, Preview, Config, Password };

struct DemoOptions {
  DemoMode mode = DemoMode::Config;
  std::uintptr_t window = 0;
  bool launchedChild = false;
  std::optional<unsigned> endSeconds;
};

// args: the command line split into arguments, without the program's own path.
DemoOptions ParseDemoCommandLine(const std::vector<std::wstring>& args);

// Whole non-negative number, decimal or 0x-prefixed hexadecimal; nullopt on anything else.
std::optional<std::uint64_t> ParseDemoNumber(const std::wstring& text);
