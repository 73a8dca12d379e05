#include "config/SaverCommands.h"

#include <shellapi.h>

#include "config/SystemFolderAccess.h"
#include "toolkit/WinCalls.h"

namespace tessora {

void TryOutSaver(const std::string& path) { ShellExecuteA(nullptr, "open", path.c_str(), "/S", nullptr, SW_HIDE); }

std::string ConfigureCommandLine(const std::string& path) { return "\"" + path + "\" /C"; }

void ConfigureSaver(const std::string& path) {
  std::string commandLine = ConfigureCommandLine(path);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // The same file the rotation starts, also one only in the 64-bit system folder.
  ScopedSystemFolderAccess access(path);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

std::wstring HelpFilePath() {
  std::wstring path = tk::ModuleFilePath();
  const std::size_t separator = path.find_last_of(L"\\/");
  path.erase(separator == std::wstring::npos ? 0 : separator);
  return path + L"\\Tessora.chm";
}

// The wide call: a program folder whose name the ANSI code page cannot spell still
// finds its help.
void ShowHelp(HWND owner) { ShellExecuteW(owner, L"OPEN", HelpFilePath().c_str(), L"", L"", SW_SHOW); }

}  // namespace tessora
