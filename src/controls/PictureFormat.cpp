#include "controls/PictureFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tessora {
namespace {

// Just enough of a big unsigned number to write a long double's exact value.
class BigDecimal {
 public:
  explicit BigDecimal(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value != 0);
  }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    while (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
      carry /= kBase;
    }
  }

  void MultiplyByPower(std::uint32_t base, std::uint32_t chunkFactor, int chunkExponent,
                       int exponent) {
    for (; exponent >= chunkExponent; exponent -= chunkExponent) Multiply(chunkFactor);
    for (; exponent > 0; --exponent) Multiply(base);
  }

  std::string Digits() const {
    std::string text = std::to_string(limbs_.back());
    for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
      const std::string limb = std::to_string(*it);
      text += std::string(9 - limb.size(), '0') + limb;
    }
    return text;
  }

 private:
  static constexpr std::uint32_t kBase = 1'000'000'000;
  std::vector<std::uint32_t> limbs_;
};

struct DecimalDigits {
  std::string integer;   // no leading zeros; empty for zero
  std::string fraction;  // all of them, possibly with trailing zeros
};

// Every binary fraction has a finite decimal expansion: m * 2^e is m * 5^-e / 10^-e.
DecimalDigits ExactDecimal(long double magnitude) {
  if (magnitude == 0) return {};
  int binaryExponent = 0;
  const long double fraction = std::frexp(magnitude, &binaryExponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  int exponent = binaryExponent - 64;
  while (exponent < 0 && (mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
  BigDecimal number(mantissa);
  DecimalDigits result;
  if (exponent >= 0) {
    number.MultiplyByPower(2, 1u << 28, 28, exponent);
    result.integer = number.Digits();
    return result;
  }
  const int places = -exponent;
  number.MultiplyByPower(5, 1220703125u, 13, places);  // 5^13
  std::string digits = number.Digits();
  if (digits.size() <= static_cast<std::size_t>(places))
    digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
  const std::size_t split = digits.size() - static_cast<std::size_t>(places);
  result.integer = digits.substr(0, split);
  result.fraction = digits.substr(split);
  const auto first = result.integer.find_first_not_of('0');
  result.integer.erase(0, first == std::string::npos ? result.integer.size() : first);
  return result;
}

// Rounds half away from zero (the digits are a magnitude) to exactly places decimals.
DecimalDigits Rounded(DecimalDigits digits, std::size_t places) {
  const bool up = digits.fraction.size() > places && digits.fraction[places] >= '5';
  digits.fraction.resize(places, '0');
  if (!up) return digits;
  for (auto it = digits.fraction.rbegin(); it != digits.fraction.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return digits;
    }
    *it = '0';
  }
  for (auto it = digits.integer.rbegin(); it != digits.integer.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return digits;
    }
    *it = '0';
  }
  digits.integer.insert(0, "1");
  return digits;
}

enum class TokenKind { Zero, Hash, Point, Comma, Literal };

struct Token {
  TokenKind kind;
  std::string text;
  bool IsPlaceholder() const { return kind == TokenKind::Zero || kind == TokenKind::Hash; }
};

std::vector<Token> Tokenize(std::string_view format) {
  std::vector<Token> tokens;
  bool pointSeen = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '0') {
      tokens.push_back({TokenKind::Zero, {}});
    } else if (c == '#') {
      tokens.push_back({TokenKind::Hash, {}});
    } else if (c == '.') {
      if (!pointSeen) tokens.push_back({TokenKind::Point, {}});
      pointSeen = true;
    } else if (c == ',') {
      tokens.push_back({TokenKind::Comma, {}});
    } else if (c == '"' || c == '\'') {
      const std::size_t close = format.find(c, i + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close;
      tokens.push_back({TokenKind::Literal, std::string(format.substr(i + 1, end - i - 1))});
      i = end;
    } else {
      tokens.push_back({TokenKind::Literal, std::string(1, c)});
    }
  }
  return tokens;
}

}  // namespace

std::string FormatFloat(std::string_view format, long double value,
                        const NumberPunctuation& punctuation) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (format.empty()) format = "0.##################";

  const std::vector<Token> tokens = Tokenize(format);
  std::size_t pointIndex = tokens.size();
  for (std::size_t i = 0; i < tokens.size(); ++i)
    if (tokens[i].kind == TokenKind::Point) pointIndex = i;

  bool grouping = false;
  std::size_t intPlaceholders = 0, minIntDigits = 0;
  for (std::size_t i = 0; i < pointIndex; ++i) {
    if (tokens[i].kind == TokenKind::Comma) grouping = true;
    if (!tokens[i].IsPlaceholder()) continue;
    ++intPlaceholders;
    if (tokens[i].kind == TokenKind::Zero && minIntDigits == 0) minIntDigits = 1;
    else if (minIntDigits != 0) ++minIntDigits;
  }
  std::size_t fracPlaceholders = 0, minFracDigits = 0;
  for (std::size_t i = pointIndex + 1; i < tokens.size(); ++i) {
    if (!tokens[i].IsPlaceholder()) continue;
    ++fracPlaceholders;
    if (tokens[i].kind == TokenKind::Zero) minFracDigits = fracPlaceholders;
  }

  const DecimalDigits digits = Rounded(ExactDecimal(std::fabs(value)), fracPlaceholders);
  std::string intDigits = digits.integer;
  if (intDigits.size() < minIntDigits) intDigits.insert(0, minIntDigits - intDigits.size(), '0');
  const auto lastNonZero = digits.fraction.find_last_not_of('0');
  const std::size_t fracShown =
      std::max(minFracDigits, lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
  const bool zero = digits.integer.empty() && lastNonZero == std::string::npos;

  std::string text;
  if (value < 0 && !zero && intPlaceholders + fracPlaceholders != 0) text = "-";
  // Digit position p counts from the units digit (0) to the left.
  auto emitIntDigits = [&](std::size_t fromPosition, std::size_t toPosition) {
    for (std::size_t p = fromPosition + 1; p-- > toPosition;) {
      text += intDigits[intDigits.size() - 1 - p];
      if (grouping && p > 0 && p % 3 == 0) text += punctuation.thousandsSeparator;
    }
  };
  std::size_t placeholderFromRight = intPlaceholders;
  for (std::size_t i = 0; i < pointIndex; ++i) {
    const Token& token = tokens[i];
    if (token.kind == TokenKind::Literal) text += token.text;
    if (!token.IsPlaceholder()) continue;
    --placeholderFromRight;
    if (placeholderFromRight == intPlaceholders - 1) {
      // The leftmost placeholder takes every digit the others cannot hold.
      if (intDigits.size() > placeholderFromRight)
        emitIntDigits(intDigits.size() - 1, placeholderFromRight);
    } else if (placeholderFromRight < intDigits.size()) {
      emitIntDigits(placeholderFromRight, placeholderFromRight);
    }
  }
  // With no integer placeholder the integer digits stand just before the point; a
  // format without any placeholder shows its literal text only.
  if (intPlaceholders == 0 && fracPlaceholders != 0 && !intDigits.empty())
    emitIntDigits(intDigits.size() - 1, 0);

  if (fracShown > 0) text += punctuation.decimalPoint;
  std::size_t fracIndex = 0;
  for (std::size_t i = pointIndex + 1; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (token.kind == TokenKind::Literal) text += token.text;
    if (!token.IsPlaceholder()) continue;
    if (fracIndex < fracShown) text += digits.fraction[fracIndex];
    ++fracIndex;
  }
  return text;
}

}  // namespace tessora
