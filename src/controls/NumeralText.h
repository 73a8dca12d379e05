#pragma once
// The text rules of the numeric edit field: which characters stay, the canonical
// text of a number, digit groups, and the caret after a rebuild. ANSI text, one
// byte per character.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessora {

enum class TNumericalType : std::uint8_t { Decimal = 0, HexDecimal = 1 };
enum class TNumericalPlace : std::uint8_t { places2 = 0, places4 = 1, places8 = 2 };

// Hexadecimal digit count of a place setting: 2, 4 or 8.
int HexDigitCount(TNumericalPlace places);

// The settings of a field that the text rules depend on.
struct NumeralStyle {
  TNumericalType numericType = TNumericalType::HexDecimal;
  int digitCount = 8;  // hexadecimal digits, from MaxPlaces
  bool fourDigit = false;
};

// Keeps "0"-"9" and control characters (below 32).
std::string FilterDecimal(std::string_view text);
// Keeps "0"-"9", "A"-"F", "a"-"f" and control characters.
std::string FilterHex(std::string_view text);

// The canonical text of the number in text, or of zero when it is invalid. A
// leading "$" means hexadecimal (shown with digitCount upper-case digits; 8 digits
// from 80000000 on are a negative 32-bit pattern); otherwise decimal, valid from
// -2147483647 to 2147483647 with at most 10 digits, leading zeros included.
std::string NormalizeNumber(std::string_view text, int digitCount);

// With fourDigit, "_" between groups of four digits counted from the right. A
// leading "$" or "-" stays out of the grouping.
std::string GroupDigits(std::string_view text, bool fourDigit);
std::string UngroupDigits(std::string_view text);

// A whole number as the field reads it: "$" and up to 8 significant hexadecimal
// digits (a 32-bit pattern), or an optional "-" and decimal digits within 32 bits.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

// "$" and the 32-bit pattern in upper-case hexadecimal, zero-padded to at least
// digitCount digits; or plain decimal.
std::string WriteWholeNumber(std::int32_t value, TNumericalType type, int digitCount);

// The field's text for a value written to its Text property while NumeralOnly is on.
std::string NumeralTextFor(std::string_view value, const NumeralStyle& style);
// The field's new text when NumeralOnly is switched on over text. Not normalized
// again: more hexadecimal digits than digitCount stay until the next rebuild.
std::string NumeralOnlyText(std::string_view text, const NumeralStyle& style);
// The text re-expressed after MaxPlaces, FourDigit or NumericType changed while
// NumeralOnly is on; a value needing more digits than digitCount becomes zero.
std::string ReexpressedText(std::string_view text, const NumeralStyle& style);

struct ReformatResult {
  std::string text;
  int selStart = 0;
  int selEnd = 0;
  friend bool operator==(const ReformatResult&, const ReformatResult&) = default;
};

// Rebuilds the field's text after a typed character: text is what the edit
// holds now, selStart and selEnd its selection. The selection keeps its distance
// from the end of the text, kept within the new text.
ReformatResult Reformat(std::string_view text, int selStart, int selEnd,
                        const NumeralStyle& style);

}  // namespace tessora
