// The settings file's whole-number rule against a reference written from the rule
// itself, with the C++ library's own digit conversion doing the arithmetic.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/WholeNumber.h"

using namespace tessora;

namespace {
bool AllOf(std::string_view text, bool (*isDigit)(char)) {
  for (const char c : text) {
    if (!isDigit(c)) return false;
  }
  return true;
}
bool IsDecimal(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Digits only, so from_chars reads all of them or reports that they overflow 64 bits.
std::optional<std::uint64_t> Magnitude(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> Reference(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);

  std::optional<std::string_view> hex;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    hex = text.substr(2);
  } else if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    hex = text.substr(1);
  }
  if (hex) {
    if (hex->empty() || !AllOf(*hex, IsHex)) return std::nullopt;
    const auto value = Magnitude(*hex, 16);
    if (!value || *value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
  }

  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') text.remove_prefix(1);
  if (text.empty() || !AllOf(text, IsDecimal)) return std::nullopt;
  const auto value = Magnitude(text, 10);
  if (!value) return std::nullopt;
  if (negative) {
    if (*value > 2147483648u) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(*value));
  }
  if (*value > 2147483647u) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::string Describe(std::optional<std::int32_t> value) {
  return value ? std::to_string(*value) : std::string("none");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Reference(text);
  const std::optional<std::int32_t> parsed = ParseWholeNumber(text);
  FUZZ_CHECK(parsed == expected,
             "ParseWholeNumber(" + fuzz::Quoted(text) + ") = " + Describe(parsed) + ", the rule gives " + Describe(expected));

  fuzz::InputReader reader(data, size);
  const auto fallback = static_cast<std::int32_t>(reader.Bits<std::uint32_t>());
  FUZZ_CHECK(ReadWholeNumber(text, fallback) == expected.value_or(fallback), "ReadWholeNumber ignores the fallback rule");

  // Whatever is written reads back, in decimal and in every hexadecimal spelling.
  const auto value = static_cast<std::int32_t>(reader.Bits<std::uint32_t>());
  const std::string written = WholeNumberText(value);
  FUZZ_CHECK(ParseWholeNumber(written) == value, "WholeNumberText(" + std::to_string(value) + ") does not read back");
  char hex[16];
  const auto [end, error] = std::to_chars(hex, hex + sizeof hex, static_cast<std::uint32_t>(value), 16);
  (void)error;
  for (const std::string_view prefix : {"$", "x", "X", "0x", "0X", "  $"}) {
    const std::string spelled = std::string(prefix) + std::string(hex, end);
    FUZZ_CHECK(ParseWholeNumber(spelled) == value, "hexadecimal " + spelled + " does not read back");
  }
  return 0;
}
