#pragma once
// Where the engine's random choices come from: the play list's weighted draw and
// the preview label's targets. Tests put a scripted or seeded source in place.
#include <cstdint>
#include <random>

namespace tessora {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniformly drawn whole number from 0 to bound - 1; bound is at least 1.
  virtual std::uint64_t Below(std::uint64_t bound) = 0;
};

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  std::uint64_t Below(std::uint64_t bound) override;

 private:
  std::mt19937_64 engine_;
};

// A seed that differs from run to run.
std::uint64_t ClockSeed();

}  // namespace tessora
