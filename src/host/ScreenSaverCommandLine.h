#pragma once
// The screensaver command line: which mode the program runs in and which
// window it works for (hWndParent).
//   /s  Normal, for the desktop window
//   /p  Preview inside the window given as the next argument
//   /a  Password change for the window given as the next argument
//   /c  Config for the window after "/c:", else for the foreground window
// "-" works as "/"; only the first two characters of the first argument count.
#include <span>
#include <string>
#include <string_view>

#include "host/RunMode.h"
#include "host/WindowLookup.h"

namespace tessora {

struct ParsedCommandLine {
  RunMode Mode = RunMode::Config;
  WindowHandle hWndParent = 0;

  bool operator==(const ParsedCommandLine&) const = default;
};

// Window classes of the shell whose first window never owns our dialogs.
inline constexpr std::string_view kShellWindowClasses[] = {"ExploreWClass", "CabinetWClass", "Progman"};

// The process's whole command line, program name first.
ParsedCommandLine ParseCommandLine(std::string_view commandLine, const WindowLookup& windows);
// The arguments after the program name.
ParsedCommandLine ParseArguments(std::span<const std::string> arguments, const WindowLookup& windows);

// Climbs from a child window to the top-level window that holds it. 0 stays 0;
// so does a chain of parents too deep to be a real window tree.
WindowHandle TopLevelWindowOf(WindowHandle window, const WindowLookup& windows);

// True when the window is the first window of one of the shell classes.
bool IsShellWindow(WindowHandle window, const WindowLookup& windows);

}  // namespace tessora
