#pragma once
// Keeps a slide up-down control's value between its limits, by clamping or by
// wrapping around.

namespace tessora {

class TfConfine {
 public:
  long double Min() const { return min_; }
  long double Max() const { return max_; }
  bool Wrap() const { return wrap_; }

  // Setting one limit past the other drags the other along, so Min <= Max always
  // holds. A NaN limit is ignored: it would break that order.
  void SetMin(long double value);
  void SetMax(long double value);
  void SetWrap(bool wrap) { wrap_ = wrap; }

  // x brought into [Min, Max]. NaN gives Min. Wrapping with Min = Max gives Min,
  // and an infinite x (no whole number of periods) gives Min too.
  long double Confine(long double x) const;

  void Assign(const TfConfine& source) { *this = source; }

 private:
  long double Wrapped(long double x) const;

  long double min_ = 0;
  long double max_ = 0;
  bool wrap_ = false;
};

}  // namespace tessora
