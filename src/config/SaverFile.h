#pragma once
// What the dialog learns of a saver file without ever running any of its code.
#include <string>

namespace tessora {

// The file's string resource 1 (the name the system's screensaver list shows), read
// from the file at this very path loaded as data, at most 79 bytes of the ANSI code
// page; else the bare file name. Paths and names are ANSI bytes.
std::string GetDisplayName(const std::string& path);

// Whether a saver file exists at path, as the rotation starts it: the 32-bit program on
// 64-bit Windows looks a path in the system folder up as it sees it (SysWOW64) first,
// then in the real one.
bool SaverFileExists(const std::string& path);

// Whether the path names the running program's own file, however it is spelled
// (letter case, short names, "..", another drive letter for the same volume).
bool IsRunningProgram(const std::string& path);

}  // namespace tessora
