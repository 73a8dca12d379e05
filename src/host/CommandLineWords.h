#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tessora {

// The words of a process command line, program name first. Words are separated
// by blanks and control characters (codes 1 to 32); a stretch in double quotes
// may hold blanks and loses its quotes; an empty pair of double quotes before a
// word counts as a blank. Bytes from 128 up (Shift-JIS) are word characters. A
// NUL byte ends the text, as it ends the C string the system hands over.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace tessora
