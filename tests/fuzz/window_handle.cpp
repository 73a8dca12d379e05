// Window handle text against a reference written from the rule, with the C++
// library's digit conversion doing the arithmetic; and every 32-bit value in each
// of its spellings reads back as the same handle.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "host/WindowHandleText.h"

using namespace tessora;

namespace {
bool IsDigitOf(char c, int base) {
  if (c >= '0' && c <= '9') return true;
  return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

std::optional<std::int32_t> Reference(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  text.remove_prefix(start == std::string_view::npos ? text.size() : start);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    if (!IsDigitOf(c, base)) return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > (negative ? 0x80000000u : 0xFFFFFFFFu)) return std::nullopt;
  const auto bits = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

WindowHandle Widened(std::int32_t value) { return static_cast<WindowHandle>(static_cast<std::intptr_t>(value)); }

std::string Describe(std::optional<std::int32_t> value) { return value ? std::to_string(*value) : std::string("none"); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Reference(text);
  const std::optional<std::int32_t> parsed = ParseWindowHandleNumber(text);
  FUZZ_CHECK(parsed == expected, "ParseWindowHandleNumber(" + fuzz::Quoted(text) + ") = " + Describe(parsed) +
                                     ", the rule gives " + Describe(expected));
  FUZZ_CHECK(ReadWindowHandle(text) == (expected ? Widened(*expected) : 0),
             "ReadWindowHandle(" + fuzz::Quoted(text) + ") is not the number widened");

  fuzz::InputReader reader(data, size);
  const auto bits = reader.Bits<std::uint32_t>();
  const auto value = static_cast<std::int32_t>(bits);
  char hex[16];
  const auto hexEnd = std::to_chars(hex, hex + sizeof hex, bits, 16).ptr;
  const std::string spellings[] = {
      std::to_string(value), std::to_string(bits), "+" + std::to_string(bits), "  " + std::to_string(value),
      "$" + std::string(hex, hexEnd), "0x" + std::string(hex, hexEnd), "0x000" + std::string(hex, hexEnd),
  };
  for (const std::string& spelled : spellings) {
    FUZZ_CHECK(ReadWindowHandle(spelled) == Widened(value), spelled + " does not read as handle " + std::to_string(value));
  }
  return 0;
}
