#pragma once
// Helpers shared by the Windows tests that run under Wine.
#include <windows.h>

#include <string>

// Folder of the build (TESSORA_BIN, set by ctest) joined with a relative path.
std::wstring TessoraBinPath(const std::wstring& relative);
// Folder of the source tree (TESSORA_SRC).
std::wstring TessoraSrcPath(const std::wstring& relative);
std::string Narrow(const std::wstring& text);
