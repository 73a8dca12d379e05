#pragma once
// Writes a number through a picture format such as "0" or "#,##0.00".
#include <string>
#include <string_view>

namespace tessora {

// The system's separators, as the caller reads them from the locale.
struct NumberPunctuation {
  std::string thousandsSeparator = ",";
  std::string decimalPoint = ".";
};

// Picture rules:
// - "0" a digit always shown, "#" a digit shown only when significant. Digits the
//   integer placeholders cannot hold all go to the leftmost one. Trailing zero
//   fraction digits beyond the last "0" are dropped, and the decimal point with them
//   when no fraction digit is left.
// - "." the first one marks the decimal point; later ones are ignored.
// - "," before the decimal point groups the integer digits in threes.
// - Text in double or single quotes, and any other character, is copied as it stands.
//   A format without any "0" or "#" shows only that text.
// - An empty format shows the value with up to 18 decimals, none of them trailing zeros.
// The value is rounded, half away from zero, to the decimals the format shows, from
// its exact binary value. "-" leads the text when the rounded value is not zero.
// Infinities and NaN are written "INF", "-INF" and "NAN".
std::string FormatFloat(std::string_view format, long double value,
                        const NumberPunctuation& punctuation = {});

}  // namespace tessora
