#include "controls/ExtractNumber.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace tessora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the cleaned text ([-]digits[.digits][e[-]digits]) without a decimal
// point, so the C library's locale cannot change how it is read.
long double ReadCleaned(const std::string& cleaned) {
  std::size_t i = 0;
  const bool negative = !cleaned.empty() && cleaned[0] == '-';
  if (negative) ++i;
  std::string digits;
  std::int64_t exponent = 0;
  for (; i < cleaned.size() && IsDigit(cleaned[i]); ++i) digits += cleaned[i];
  if (i < cleaned.size() && cleaned[i] == '.') {
    for (++i; i < cleaned.size() && IsDigit(cleaned[i]); ++i) {
      digits += cleaned[i];
      --exponent;
    }
  }
  if (i < cleaned.size() && (cleaned[i] == 'e' || cleaned[i] == 'E')) {
    ++i;
    const bool negativeExponent = i < cleaned.size() && cleaned[i] == '-';
    if (negativeExponent) ++i;
    // Far beyond any extended exponent; saturating keeps the sum from overflowing.
    constexpr std::int64_t kExponentCap = 1'000'000'000;
    std::int64_t written = 0;
    for (; i < cleaned.size() && IsDigit(cleaned[i]); ++i)
      written = written >= kExponentCap ? kExponentCap : written * 10 + (cleaned[i] - '0');
    exponent += negativeExponent ? -written : written;
  }
  if (digits.empty()) return 0;
  const std::string plain = digits + "e" + std::to_string(exponent);
  long double value = std::strtold(plain.c_str(), nullptr);
  if (std::isinf(value)) value = LDBL_MAX;
  return negative ? -value : value;
}

}  // namespace

ExtractedNumber ExtractNumber(std::string_view text) {
  bool sign = false, digit = false, point = false, exponent = false, found = false;
  std::string cleaned;
  for (char c : text) {
    if (c == '-') {
      if (!sign && !digit) {
        cleaned += '-';
        sign = true;
      }
    } else if (c == '0') {
      found = true;
      if (digit) cleaned += '0';
    } else if (c >= '1' && c <= '9') {
      found = true;
      cleaned += c;
      digit = true;
    } else if (c == '.') {
      if (!point && !exponent) {
        if (!digit) {
          cleaned += '0';
          digit = true;
        }
        cleaned += '.';
        point = true;
      }
    } else if (c == 'E' || c == 'e') {
      if (digit && !exponent) {
        cleaned += c;
        exponent = true;
        sign = false;
        digit = false;
      }
    }
  }
  while (!cleaned.empty() && !IsDigit(cleaned.back())) cleaned.pop_back();
  if (cleaned.empty()) cleaned = "0";
  ExtractedNumber result;
  result.found = found;
  // Adding +0 turns a "-0.0" into plain 0.
  if (found) result.value = ReadCleaned(cleaned) + 0.0L;
  return result;
}

}  // namespace tessora
