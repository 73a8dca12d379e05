#pragma once
// Letter-case-blind comparison of settings-file names (section names, keys).
// Only ASCII letters are folded, and the trail byte of a Shift-JIS double-byte
// character is never folded: "\x83\x65" and "\x83\x45" are different characters.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessora {

// True for the first byte of a Shift-JIS double-byte character.
constexpr bool IsShiftJisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// A hash that agrees with EqualsIgnoringCase.
std::uint32_t HashIgnoringCase(std::string_view text);

}  // namespace tessora
