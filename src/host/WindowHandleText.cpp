#include "host/WindowHandleText.h"

#include "core/HexDigit.h"

namespace tessora {

std::optional<std::int32_t> ParseWindowHandleNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::uint32_t base = 10;
  if (pos < text.size() && text[pos] == '$') {
    base = 16;
    ++pos;
  } else if (text.substr(pos, 2) == "0x") {
    base = 16;
    pos += 2;
  }
  if (pos == text.size()) return std::nullopt;

  // Wide enough that no accepted digit can overflow before the limit check.
  const std::uint64_t limit = negative ? 0x80000000u : 0xFFFFFFFFu;
  std::uint64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = HexDigitValue(text[pos]);
    if (digit < 0 || static_cast<std::uint32_t>(digit) >= base) return std::nullopt;
    magnitude = magnitude * base + static_cast<std::uint32_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  auto bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

WindowHandle ReadWindowHandle(std::string_view text) {
  const std::optional<std::int32_t> number = ParseWindowHandleNumber(text);
  if (!number) return 0;
  return static_cast<WindowHandle>(static_cast<std::intptr_t>(*number));
}

}  // namespace tessora
