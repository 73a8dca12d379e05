#pragma once
// The settings file sits beside the program: the program's path cut after its
// last "." and followed by "ini" (X.scr uses X.ini). Without any "." the name
// is just "ini", relative to the working folder.
#include <string>
#include <string_view>

namespace tessora {

std::string SettingsFilePath(std::string_view programPath);
std::wstring SettingsFilePath(std::wstring_view programPath);

}  // namespace tessora
