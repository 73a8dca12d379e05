#pragma once
#include <windows.h>

#include <string>

// Facts about the running executable.
namespace tessora {
// Full path of the running module, however long it is.
std::wstring ModuleFilePath(HMODULE module = nullptr);
}  // namespace tessora
