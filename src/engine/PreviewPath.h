#pragma once
// The preview's moving name: the label travels in straight lines between random
// points of the preview window, about one pixel per tick.
#include <cstdint>

#include "engine/RandomSource.h"

namespace tessora {

class PreviewPath {
 public:
  // Fits the movement to the preview window's client area and the label's size,
  // centres the label and chooses its first path.
  void Start(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t labelWidth, std::int32_t labelHeight,
             RandomSource& random);

  // One tick: the label moves one step, its position rounded up; at the end of
  // the path a new one starts from where the label stands.
  void Tick(RandomSource& random);

  // A path from the label's position to a random point of the ranges. A range
  // of 0 or less (a window no larger than the label) gives the target 0. A
  // target on the label itself would make a path without length, so another is
  // drawn; when no other point can come up the label waits for the next tick.
  void ChooseNewPath(RandomSource& random);

  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t HorizontalRange() const { return horizontalRange_; }
  std::int32_t VerticalRange() const { return verticalRange_; }
  std::int64_t StepCount() const { return stepCount_; }
  std::int64_t StepsTaken() const { return stepsTaken_; }
  double StepX() const { return stepX_; }
  double StepY() const { return stepY_; }

 private:
  std::int32_t horizontalRange_ = 0;
  std::int32_t verticalRange_ = 0;
  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  double x_ = 0;
  double y_ = 0;
  double stepX_ = 0;
  double stepY_ = 0;
  std::int64_t stepCount_ = 0;
  std::int64_t stepsTaken_ = 0;
};

}  // namespace tessora
