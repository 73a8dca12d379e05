#include "engine/PreviewPath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessora {

namespace {
// A real source lands off the label within a few draws; this bounds a window
// with no other point to go to, and a source that keeps naming the same one.
constexpr int kMaxTargetDraws = 16;

std::int32_t RangeOf(std::int32_t clientSize, std::int32_t labelSize) {
  const std::int64_t range = std::int64_t{clientSize} - labelSize;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(range, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

std::int32_t DrawTarget(std::int32_t range, RandomSource& random) {
  return range > 0 ? static_cast<std::int32_t>(random.Below(static_cast<std::uint64_t>(range))) : 0;
}
}  // namespace

void PreviewPath::Start(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t labelWidth,
                        std::int32_t labelHeight, RandomSource& random) {
  horizontalRange_ = RangeOf(clientWidth, labelWidth);
  verticalRange_ = RangeOf(clientHeight, labelHeight);
  left_ = horizontalRange_ / 2;
  top_ = verticalRange_ / 2;
  ChooseNewPath(random);
}

void PreviewPath::ChooseNewPath(RandomSource& random) {
  double dx = 0;
  double dy = 0;
  stepCount_ = 0;
  for (int draw = 0; draw < kMaxTargetDraws && stepCount_ == 0; ++draw) {
    const std::int32_t targetX = DrawTarget(horizontalRange_, random);
    const std::int32_t targetY = DrawTarget(verticalRange_, random);
    dx = static_cast<double>(targetX) - left_;
    dy = static_cast<double>(targetY) - top_;
    stepCount_ = static_cast<std::int64_t>(std::sqrt(dx * dx + dy * dy));
  }
  x_ = left_;
  y_ = top_;
  stepX_ = stepCount_ > 0 ? dx / static_cast<double>(stepCount_) : 0;
  stepY_ = stepCount_ > 0 ? dy / static_cast<double>(stepCount_) : 0;
  stepsTaken_ = 0;
}

void PreviewPath::Tick(RandomSource& random) {
  x_ += stepX_;
  y_ += stepY_;
  left_ = static_cast<std::int32_t>(std::ceil(x_));
  top_ = static_cast<std::int32_t>(std::ceil(y_));
  ++stepsTaken_;
  if (stepsTaken_ < stepCount_) return;
  ChooseNewPath(random);
}

}  // namespace tessora
