#pragma once
// Reads the number out of an edit field's text, skipping whatever is no part of
// it (thousands separators, blanks, units, currency signs).
#include <string_view>

namespace tessora {

struct ExtractedNumber {
  bool found = false;     // the text holds at least one decimal digit
  long double value = 0;  // 0 when nothing was found
};

// An exponent beyond the extended range saturates to the largest finite value
// of that sign; one below it gives 0 or a denormal.
ExtractedNumber ExtractNumber(std::string_view text);

}  // namespace tessora
