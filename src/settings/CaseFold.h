#pragma once
// Letter-case-blind comparison of settings-file names (section names, keys).
// Only ASCII letters are folded, and the trail byte of a Shift-JIS double-byte
// character is never folded: "\x83\x65" and "\x83\x45" are different characters.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/ShiftJis.h"

namespace tessora {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// A hash that agrees with EqualsIgnoringCase.
std::uint32_t HashIgnoringCase(std::string_view text);

}  // namespace tessora
