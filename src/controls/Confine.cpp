#include "controls/Confine.h"

#include <cmath>

namespace tessora {

void TfConfine::SetMin(long double value) {
  if (std::isnan(value)) return;
  min_ = value;
  if (min_ > max_) max_ = value;
}

void TfConfine::SetMax(long double value) {
  if (std::isnan(value)) return;
  max_ = value;
  if (max_ < min_) min_ = value;
}

long double TfConfine::Confine(long double x) const {
  if (std::isnan(x)) return min_;
  if (wrap_) return Wrapped(x);
  if (x < min_) x = min_;
  if (x > max_) x = max_;
  return x;
}

// The same result as adding or subtracting the period until x lies in range,
// but in one step, so a tiny period against a huge x cannot loop for ever.
long double TfConfine::Wrapped(long double x) const {
  if (x >= min_ && x <= max_) return x;
  if (min_ == max_ || std::isinf(x)) return min_;
  const long double period = max_ - min_;
  if (std::isinf(period)) return x < min_ ? min_ : max_;
  long double result;
  if (x < min_) {
    // Smallest x + k * period (k >= 1) that is not below Min: in [Min, Max).
    const long double rest = std::fmod(min_ - x, period);
    result = rest == 0 ? min_ : max_ - rest;
  } else {
    // Largest x - k * period (k >= 1) that is not above Max: in (Min, Max].
    const long double rest = std::fmod(x - max_, period);
    result = rest == 0 ? max_ : min_ + rest;
  }
  // A distance beyond the extended range leaves no period count to take.
  if (std::isnan(result)) return min_;
  // Rounding of the differences may step a hair outside; the range is the promise.
  if (result < min_) result = min_;
  if (result > max_) result = max_;
  return result;
}

}  // namespace tessora
