#pragma once
// What the configuration dialog starts and never waits for: a saver tried out full
// screen, a saver's own settings, the help file. Failures are silent: the user sees
// that nothing came up.
#include <windows.h>

#include <string>

namespace tessora {

// The saver as the system starts it as its screensaver: the shell's "open" with "/S".
void TryOutSaver(const std::string& path);

// The saver's own settings: "<path>" /C, started directly.
std::string ConfigureCommandLine(const std::string& path);
void ConfigureSaver(const std::string& path);

// Tessora.chm beside the running program.
std::wstring HelpFilePath();
void ShowHelp(HWND owner);

}  // namespace tessora
