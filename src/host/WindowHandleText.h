#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "host/WindowLookup.h"

namespace tessora {

// A window handle written on the command line: leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$" or "0x"; nothing else may
// follow. The value is the handle's 32 bits: a handle with the top bit set may be
// written signed (-2147483647) or unsigned (2147483649, $80000001), so anything
// from -2147483648 to 4294967295 reads. Empty when the text is anything else.
std::optional<std::int32_t> ParseWindowHandleNumber(std::string_view text);

// The handle the text names, or 0 when it is not a valid number.
WindowHandle ReadWindowHandle(std::string_view text);

}  // namespace tessora
