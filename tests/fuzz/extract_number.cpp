// Number extraction from any text, and the slide up-down control taking that text
// over from its edit field: what is found is finite and within the limits, a plain
// number reads as the C library reads it, and the control's own text changes nothing.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "controls/ExtractNumber.h"
#include "controls/SlideUpDownValue.h"

using namespace tessora;

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True for [-]digits[.digits][(e|E)[-]digits], at most four exponent digits, and not
// an exponent after an integer part of zeros alone (the extraction drops such zeros,
// so "0e5" reads as 5 by its rule).
bool IsPlainNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  const std::size_t intStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view integer = text.substr(intStart, i - intStart);
  std::size_t fraction = 0;
  const bool point = i < text.size() && text[i] == '.';
  if (point) {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++fraction;
  }
  if (integer.empty() && fraction == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    if (!point && integer.find_first_not_of('0') == std::string_view::npos) return false;
    ++i;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t expStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == expStart || i - expStart > 4) return false;
  }
  return i == text.size();
}

std::string Number(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.21Lg", value);
  return text;
}

struct Control {
  const char* format;
  long double min, max;
  bool wrap;
  TFunctionKind kind;
};

constexpr Control kControls[] = {
    {"#,##0.00", 0, 100, false, TFunctionKind::fkLinear},  // a new control
    {"0", 0, 86400, false, TFunctionKind::fkLinear},       // the seconds fields
    {"0.###", -5, 5, true, TFunctionKind::fkLinear},
    {"#,##0", 1, 1e30L, false, TFunctionKind::fkExponential},
    {"", -LDBL_MAX, LDBL_MAX, true, TFunctionKind::fkLinear},
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const ExtractedNumber number = ExtractNumber(text);
  const std::string where = "ExtractNumber(" + fuzz::Quoted(text) + ") = " + Number(number.value);

  const bool digit = text.find_first_of("0123456789") != std::string::npos;
  FUZZ_CHECK(number.found == digit, where + (digit ? ": the digit is not found" : ": found without a digit"));
  FUZZ_CHECK(number.found || number.value == 0, where + ": a value without a number");
  FUZZ_CHECK(std::isfinite(number.value), where + ": not finite");
  FUZZ_CHECK(!(number.value == 0 && std::signbit(number.value)), where + ": minus zero");
  FUZZ_CHECK(number.value >= 0 || text.find('-') != std::string::npos, where + ": negative without a minus");
  if (IsPlainNumber(text)) {
    long double expected = std::strtold(text.c_str(), nullptr);
    if (std::isinf(expected)) expected = std::copysign(LDBL_MAX, expected);
    FUZZ_CHECK(number.value == expected, where + ", the C library reads " + Number(expected));
  }

  for (const Control& setup : kControls) {
    SlideUpDownValue control;
    control.SetMax(setup.max);
    control.SetMin(setup.min);
    control.SetWrap(setup.wrap);
    control.SetFunctionKind(setup.kind);
    control.SetFormat(setup.format);
    std::string associate = text;
    control.ReadAssociateText = [&associate]() -> std::optional<std::string> { return associate; };
    control.WriteAssociateText = [&associate](const std::string& written) {
      associate = written;
      return true;
    };
    const std::string label = std::string("format ") + fuzz::Quoted(setup.format) + ", typed " + fuzz::Quoted(text);
    FUZZ_CHECK(control.TakeOverAssociate(), label + ": the text is not written");
    const long double position = control.Position();
    FUZZ_CHECK(position >= control.Min() && position <= control.Max(),
               label + ": position " + Number(position) + " is outside the limits");
    // The text the control wrote is its own: reading it again moves nothing.
    FUZZ_CHECK(control.Position() == position, label + ": the control's own text " + fuzz::Quoted(associate) +
                                                   " moves the position from " + Number(position));
    control.ButtonClick(TButtonType::btUp, 0);
    control.ButtonClick(TButtonType::btUp, 3);
    control.ArrowKeyStep(SlideUpDownValue::kKeyDown);
    const long double stepped = control.Position();
    FUZZ_CHECK(stepped >= control.Min() && stepped <= control.Max(),
               label + ": stepping ends at " + Number(stepped) + ", outside the limits");
  }
  return 0;
}
