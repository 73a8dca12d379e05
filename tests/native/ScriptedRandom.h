#pragma once
// A random source that hands out the values a test lists, and records the
// bounds it was asked for.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

#include "engine/RandomSource.h"

namespace tessora {

class ScriptedRandom : public RandomSource {
 public:
  ScriptedRandom(std::initializer_list<std::uint64_t> values) : values_(values) {}

  // Once the script runs out, every draw gives this value.
  void RepeatForever(std::uint64_t value) { repeat_ = value; repeating_ = true; }

  std::uint64_t Below(std::uint64_t bound) override {
    bounds_.push_back(bound);
    std::uint64_t value = repeat_;
    if (!values_.empty()) {
      value = values_.front();
      values_.pop_front();
    } else if (!repeating_) {
      ADD_FAILURE() << "more random draws than the test scripted";
    }
    EXPECT_LT(value, bound) << "the scripted value is outside the asked range";
    return value;
  }

  const std::vector<std::uint64_t>& Bounds() const { return bounds_; }
  bool Exhausted() const { return values_.empty(); }

 private:
  std::deque<std::uint64_t> values_;
  std::vector<std::uint64_t> bounds_;
  std::uint64_t repeat_ = 0;
  bool repeating_ = false;
};

}  // namespace tessora
