#pragma once
// Numbers of the settings file: optional leading blanks, then a signed decimal
// number, or an unsigned hexadecimal one after "$", "x", "X", "0x" or "0X".
// Hexadecimal covers all 32 bits ($FFFFFFFF is -1), so colour codes with the
// top bit set read back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessora {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text);
std::int32_t ReadWholeNumber(std::string_view text, std::int32_t fallback);
std::string WholeNumberText(std::int32_t value);

}  // namespace tessora
