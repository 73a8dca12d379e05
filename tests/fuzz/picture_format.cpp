// Picture formats on any format and any value: nothing breaks, and a format of
// placeholders alone writes text that reads back as the value rounded to the
// decimals the format shows.
//
// Input: a byte that says how to make the value, ten value bytes, then the format.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "controls/ExtractNumber.h"
#include "controls/PictureFormat.h"

using namespace tessora;

namespace {
// Values as the control holds them: any double, any finite extended value, and the
// plain decimals a seconds field shows.
long double MakeValue(std::uint8_t how, fuzz::InputReader& reader) {
  const auto mantissa = reader.Bits<std::uint64_t>();
  const auto exponent = static_cast<std::int16_t>(reader.Bits<std::uint16_t>());
  switch (how % 4) {
    case 0: {
      double value;
      std::memcpy(&value, &mantissa, sizeof value);
      return value;
    }
    case 1:
      return std::ldexp(static_cast<long double>(mantissa), exponent % 16500);
    case 2:
      return static_cast<long double>(static_cast<std::int32_t>(mantissa)) / 100;
    default:
      return std::ldexp(static_cast<long double>(static_cast<std::int32_t>(mantissa)), -(exponent & 63));
  }
}

std::string Number(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.21Lg", value);
  return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader reader(data, size);
  const std::uint8_t how = reader.Byte();
  const long double value = MakeValue(how, reader);
  const std::string_view format = reader.Rest();

  const std::string text = FormatFloat(format, value);
  // Other separators, some of them longer than one byte or empty.
  const NumberPunctuation punctuation[] = {{".", ","}, {"\xa0", ","}, {"", "."}, {"\x81\x43", "\x81\x44"}};
  (void)FormatFloat(format, value, punctuation[how >> 6]);

  if (!std::isfinite(value)) {
    FUZZ_CHECK(text == (std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF"), "not finite, written " + fuzz::Quoted(text));
    return 0;
  }
  if (format.empty() || format.find_first_not_of("0#,.") != std::string_view::npos ||
      format.find_first_of("0#") == std::string_view::npos) {
    return 0;
  }

  std::size_t decimals = 0;
  if (const std::size_t point = format.find('.'); point != std::string_view::npos) {
    for (const char c : format.substr(point + 1)) decimals += (c == '0' || c == '#');
  }
  const std::string where = "FormatFloat(" + fuzz::Quoted(format) + ", " + Number(value) + ") = " + fuzz::Quoted(text);
  FUZZ_CHECK(text.find_first_not_of("0123456789,.-") == std::string::npos, where + ": a stray character");
  const std::size_t shownPoint = text.find('.');
  FUZZ_CHECK(shownPoint == std::string::npos || text.size() - shownPoint - 1 <= decimals, where + ": too many decimals");

  const ExtractedNumber back = ExtractNumber(text);
  const long double read = back.found ? back.value : 0;
  // Half a unit of the last shown decimal, and the rounding of reading the digits.
  const long double allowed = 0.5L * std::pow(10.0L, -static_cast<long double>(decimals)) * (1 + 1e-15L) +
                              std::fabs(value) * LDBL_EPSILON;
  FUZZ_CHECK(std::fabs(read - value) <= allowed, where + " reads back as " + Number(read));
  const bool nonZeroDigit = text.find_first_of("123456789") != std::string::npos;
  FUZZ_CHECK(text.starts_with('-') == (value < 0 && nonZeroDigit), where + ": the sign does not follow the rounded value");
  return 0;
}
