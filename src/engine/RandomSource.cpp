#include "engine/RandomSource.h"

#include <chrono>

namespace tessora {

std::uint64_t SeededRandom::Below(std::uint64_t bound) {
  if (bound <= 1) return 0;
  return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(engine_);
}

std::uint64_t ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace tessora
