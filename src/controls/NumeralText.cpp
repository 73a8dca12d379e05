#include "controls/NumeralText.h"

#include <algorithm>

namespace tessora {
namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) {
  return IsDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

unsigned HexValue(char c) {
  if (IsDecimalDigit(c)) return static_cast<unsigned>(c - '0');
  if (c >= 'a') return static_cast<unsigned>(c - 'a' + 10);
  return static_cast<unsigned>(c - 'A' + 10);
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const auto first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

std::string HexText(std::uint32_t value, int digitCount) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(digits.size()) < digitCount)
    digits.insert(0, static_cast<std::size_t>(digitCount) - digits.size(), '0');
  return "$" + digits;
}

std::string NormalizeHex(std::string_view digits, int digitCount) {
  std::uint32_t value = 0;
  const bool allHex = std::all_of(digits.begin(), digits.end(), IsHexDigit);
  const std::string_view significant = WithoutLeadingZeros(digits);
  if (allHex && !significant.empty() && significant.size() <= static_cast<std::size_t>(digitCount) &&
      significant.size() <= 8) {
    for (char c : significant) value = value << 4 | HexValue(c);
  }
  return HexText(value, digitCount);
}

std::string NormalizeDecimal(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDecimalDigit) ||
      digits.size() > 10)
    return "0";
  if (digits.size() == 10 && (digits[0] > '2' || (digits[0] == '2' && digits.substr(1) > "147483647")))
    return "0";
  const std::string_view significant = WithoutLeadingZeros(digits);
  if (significant.empty()) return "0";
  return (negative ? "-" : "") + std::string(significant);
}

}  // namespace

int HexDigitCount(TNumericalPlace places) {
  switch (places) {
    case TNumericalPlace::places2:
      return 2;
    case TNumericalPlace::places4:
      return 4;
    case TNumericalPlace::places8:
      break;
  }
  return 8;
}

std::string FilterDecimal(std::string_view text) {
  std::string kept;
  for (char c : text)
    if (IsDecimalDigit(c) || IsControl(c)) kept += c;
  return kept;
}

std::string FilterHex(std::string_view text) {
  std::string kept;
  for (char c : text)
    if (IsHexDigit(c) || IsControl(c)) kept += c;
  return kept;
}

std::string NormalizeNumber(std::string_view text, int digitCount) {
  if (!text.empty() && text[0] == '$') return NormalizeHex(text.substr(1), digitCount);
  return NormalizeDecimal(text);
}

std::string GroupDigits(std::string_view text, bool fourDigit) {
  std::string prefix;
  if (!text.empty() && (text[0] == '$' || text[0] == '-')) {
    prefix = text.substr(0, 1);
    text.remove_prefix(1);
  }
  std::string grouped(text);
  if (fourDigit) {
    for (std::size_t n = grouped.size(); n > 4;) {
      n -= 4;
      grouped.insert(n, 1, '_');
    }
  }
  return prefix + grouped;
}

std::string UngroupDigits(std::string_view text) {
  std::string plain;
  for (char c : text)
    if (c != '_') plain += c;
  return plain;
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view text) {
  if (!text.empty() && text[0] == '$') {
    const std::string_view digits = text.substr(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsHexDigit)) return std::nullopt;
    const std::string_view significant = WithoutLeadingZeros(digits);
    if (significant.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : significant) value = value << 4 | HexValue(c);
    return static_cast<std::int32_t>(value);
  }
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDecimalDigit)) return std::nullopt;
  std::int64_t value = 0;
  for (char c : WithoutLeadingZeros(digits)) {
    value = value * 10 + (c - '0');
    if (value > std::int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string WriteWholeNumber(std::int32_t value, TNumericalType type, int digitCount) {
  if (type == TNumericalType::HexDecimal) return HexText(static_cast<std::uint32_t>(value), digitCount);
  return std::to_string(value);
}

std::string NumeralTextFor(std::string_view value, const NumeralStyle& style) {
  std::string text(value);
  if (style.numericType == TNumericalType::HexDecimal && (text.empty() || text[0] != '$'))
    text.insert(0, "$");
  return GroupDigits(NormalizeNumber(text, style.digitCount), style.fourDigit);
}

std::string NumeralOnlyText(std::string_view text, const NumeralStyle& style) {
  const std::int32_t value =
      ReadWholeNumber(NormalizeNumber(UngroupDigits(text), style.digitCount)).value_or(0);
  return GroupDigits(WriteWholeNumber(value, style.numericType, style.digitCount), style.fourDigit);
}

std::string ReexpressedText(std::string_view text, const NumeralStyle& style) {
  const std::int32_t value = ReadWholeNumber(UngroupDigits(text)).value_or(0);
  const std::string written = WriteWholeNumber(value, style.numericType, style.digitCount);
  return GroupDigits(NormalizeNumber(written, style.digitCount), style.fourDigit);
}

ReformatResult Reformat(std::string_view text, int selStart, int selEnd, const NumeralStyle& style) {
  const long long length = static_cast<long long>(text.size());
  const long long fromEndStart = length - selStart;
  const long long fromEndEnd = length - selEnd;
  const std::string normalized =
      style.numericType == TNumericalType::Decimal
          ? NormalizeNumber(FilterDecimal(text), style.digitCount)
          : NormalizeNumber("$" + FilterHex(text), style.digitCount);
  ReformatResult result;
  result.text = GroupDigits(normalized, style.fourDigit);
  const long long newLength = static_cast<long long>(result.text.size());
  // A text that shrank more than the caret's distance would put it before the start.
  result.selStart = static_cast<int>(std::clamp(newLength - fromEndStart, 0LL, newLength));
  result.selEnd = static_cast<int>(std::clamp(newLength - fromEndEnd, 0LL, newLength));
  return result;
}

}  // namespace tessora
