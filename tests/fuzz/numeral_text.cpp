// The numeric edit's text rules on any text: filters keep exactly their characters,
// normalising gives the canonical text of the number (checked against a reference
// that reads the number with the C++ library), grouping undoes, and rebuilding after
// a keystroke is canonical and keeps the caret inside the text.
//
// Input: a style byte, selection start and end (four bytes each), then the text.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "controls/NumeralText.h"

using namespace tessora;

namespace {
bool IsDecimal(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

template <class Pred>
bool AllOf(std::string_view text, Pred pred) {
  return std::all_of(text.begin(), text.end(), pred);
}

std::optional<std::uint64_t> Magnitude(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::string Hex(std::uint32_t value, int digitCount) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  std::string text(digits, end);
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'a' ? static_cast<char>(c - 32) : c; });
  if (static_cast<int>(text.size()) < digitCount) text.insert(0, static_cast<std::size_t>(digitCount) - text.size(), '0');
  return "$" + text;
}

// The canonical text by the rule: "$" and digitCount digits of a valid hexadecimal
// number, the decimal value from -2147483647 to 2147483647 with at most ten digits,
// or zero.
std::string ReferenceNormalized(std::string_view text, int digitCount) {
  if (text.starts_with('$')) {
    std::string_view digits = text.substr(1);
    if (!AllOf(digits, IsHex)) return Hex(0, digitCount);
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty() || digits.size() > static_cast<std::size_t>(digitCount)) return Hex(0, digitCount);
    return Hex(static_cast<std::uint32_t>(*Magnitude(digits, 16)), digitCount);
  }
  const bool negative = text.starts_with('-');
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 10 || !AllOf(digits, IsDecimal)) return "0";
  const std::uint64_t value = *Magnitude(digits, 10);
  if (value > 2147483647u || value == 0) return "0";
  return (negative ? "-" : "") + std::to_string(value);
}

// The field's whole-number reading: "$" and at most eight significant hexadecimal
// digits, or decimal within 32 bits.
std::optional<std::int32_t> ReferenceWhole(std::string_view text) {
  if (text.starts_with('$')) {
    std::string_view digits = text.substr(1);
    if (digits.empty() || !AllOf(digits, IsHex)) return std::nullopt;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > 8) return std::nullopt;
    if (digits.empty()) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*Magnitude(digits, 16)));
  }
  const bool negative = text.starts_with('-');
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || !AllOf(digits, IsDecimal)) return std::nullopt;
  const auto value = Magnitude(digits, 10);
  if (!value || *value > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*value) : static_cast<std::int64_t>(*value));
}

// Grouped text: an optional "$" or "-", then groups of four with "_" between, the
// first of one to four characters.
bool IsGrouped(std::string_view text) {
  if (text.starts_with('$') || text.starts_with('-')) text.remove_prefix(1);
  if (text.empty()) return true;
  const std::size_t first = text.size() % 5 == 0 ? 0 : text.size() % 5;
  if (first == 0) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool separator = i >= first && (i - first) % 5 == 0;
    if ((text[i] == '_') != separator) return false;
  }
  return true;
}

std::string Describe(std::optional<std::int32_t> value) { return value ? std::to_string(*value) : std::string("none"); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader reader(data, size);
  const std::uint8_t styleByte = reader.Byte();
  NumeralStyle style;
  style.numericType = (styleByte & 1) ? TNumericalType::HexDecimal : TNumericalType::Decimal;
  style.digitCount = HexDigitCount(static_cast<TNumericalPlace>((styleByte >> 1) % 3));
  style.fourDigit = (styleByte & 8) != 0;
  const auto selStart = static_cast<std::int32_t>(reader.Bits<std::uint32_t>());
  const auto selEnd = static_cast<std::int32_t>(reader.Bits<std::uint32_t>());
  const std::string_view text = reader.Rest();
  const std::string quoted = fuzz::Quoted(text);

  const std::string decimal = FilterDecimal(text);
  FUZZ_CHECK(decimal.size() == static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
               return IsDecimal(c) || IsControl(c);
             })) && AllOf(decimal, [](char c) { return IsDecimal(c) || IsControl(c); }),
             "FilterDecimal(" + quoted + ") = " + fuzz::Quoted(decimal));
  const std::string hex = FilterHex(text);
  FUZZ_CHECK(hex.size() == static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
               return IsHex(c) || IsControl(c);
             })) && AllOf(hex, [](char c) { return IsHex(c) || IsControl(c); }),
             "FilterHex(" + quoted + ") = " + fuzz::Quoted(hex));

  for (const int digitCount : {2, 4, 8}) {
    const std::string normalized = NormalizeNumber(text, digitCount);
    const std::string expected = ReferenceNormalized(text, digitCount);
    FUZZ_CHECK(normalized == expected, "NormalizeNumber(" + quoted + ", " + std::to_string(digitCount) + ") = " +
                                           fuzz::Quoted(normalized) + ", the rule gives " + fuzz::Quoted(expected));
    FUZZ_CHECK(NormalizeNumber(normalized, digitCount) == normalized, "normalizing " + fuzz::Quoted(normalized) + " again changes it");
    FUZZ_CHECK(ReadWholeNumber(normalized).has_value(), "the canonical " + fuzz::Quoted(normalized) + " is no number");
  }

  const std::optional<std::int32_t> whole = ReadWholeNumber(text);
  FUZZ_CHECK(whole == ReferenceWhole(text),
             "ReadWholeNumber(" + quoted + ") = " + Describe(whole) + ", the rule gives " + Describe(ReferenceWhole(text)));
  const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(selStart) ^ static_cast<std::uint32_t>(selEnd));
  for (const TNumericalType type : {TNumericalType::Decimal, TNumericalType::HexDecimal}) {
    const std::string written = WriteWholeNumber(value, type, style.digitCount);
    FUZZ_CHECK(ReadWholeNumber(written) == value, fuzz::Quoted(written) + " does not read back as " + std::to_string(value));
  }

  if (text.find('_') == std::string_view::npos) {
    for (const bool fourDigit : {false, true}) {
      const std::string grouped = GroupDigits(text, fourDigit);
      FUZZ_CHECK(UngroupDigits(grouped) == text, "grouping " + quoted + " does not undo");
      FUZZ_CHECK(!fourDigit || IsGrouped(grouped), fuzz::Quoted(grouped) + " is not in groups of four");
    }
  }

  const ReformatResult rebuilt = Reformat(text, selStart, selEnd, style);
  const auto length = static_cast<std::int64_t>(rebuilt.text.size());
  const std::string canonical =
      style.numericType == TNumericalType::Decimal ? ReferenceNormalized(decimal, style.digitCount)
                                                   : ReferenceNormalized("$" + hex, style.digitCount);
  FUZZ_CHECK(rebuilt.text == GroupDigits(canonical, style.fourDigit),
             "Reformat(" + quoted + ") = " + fuzz::Quoted(rebuilt.text) + ", not the canonical " + fuzz::Quoted(canonical));
  FUZZ_CHECK(rebuilt.selStart >= 0 && rebuilt.selStart <= length && rebuilt.selEnd >= 0 && rebuilt.selEnd <= length,
             "Reformat(" + quoted + ") puts the selection outside " + fuzz::Quoted(rebuilt.text));
  const auto oldLength = static_cast<std::int64_t>(text.size());
  if (selStart >= 0 && selStart <= oldLength && length - (oldLength - selStart) >= 0) {
    FUZZ_CHECK(rebuilt.selStart == length - (oldLength - selStart), "the caret does not keep its distance from the end");
  }
  FUZZ_CHECK(Reformat(rebuilt.text, rebuilt.selStart, rebuilt.selEnd, style).text == rebuilt.text,
             "rebuilding " + fuzz::Quoted(rebuilt.text) + " again changes it");

  const std::string shown = NumeralTextFor(text, style);
  FUZZ_CHECK(NormalizeNumber(UngroupDigits(shown), style.digitCount) == UngroupDigits(shown) &&
                 (!style.fourDigit || IsGrouped(shown)),
             "the Text setter shows the non-canonical " + fuzz::Quoted(shown));
  const std::string switchedOn = NumeralOnlyText(text, style);
  FUZZ_CHECK(ReadWholeNumber(UngroupDigits(switchedOn)).has_value(), "NumeralOnly shows " + fuzz::Quoted(switchedOn));
  const std::string reexpressed = ReexpressedText(text, style);
  FUZZ_CHECK(NormalizeNumber(UngroupDigits(reexpressed), style.digitCount) == UngroupDigits(reexpressed),
             "re-expressing " + quoted + " gives the non-canonical " + fuzz::Quoted(reexpressed));
  return 0;
}
