#pragma once
#include <functional>

#include "controls/LabelColor.h"

namespace tessora {

// Settings of one displaced copy of a shadow label's text (its shadow or its
// highlight). Every setter that changes a value raises OnChange.
class TShadow {
 public:
  TShadow() = default;
  // A copy would share the owner's change handler; use Assign.
  TShadow(const TShadow&) = delete;
  TShadow& operator=(const TShadow&) = delete;

  bool Visible() const { return visible_; }
  ColorRef Color() const { return color_; }
  int OffsetLeft() const { return offsetLeft_; }
  int OffsetTop() const { return offsetTop_; }

  void SetVisible(bool value);
  void SetColor(ColorRef value);
  void SetOffsetLeft(int value);
  void SetOffsetTop(int value);

  // Copies the four values and raises OnChange once, changed or not.
  void Assign(const TShadow& source);

  std::function<void(TShadow& sender)> OnChange;

  static constexpr bool kDefaultVisible = true;
  static constexpr ColorRef kDefaultColor = lblcolor::clSilver;
  static constexpr int kDefaultOffsetLeft = 1;
  static constexpr int kDefaultOffsetTop = 1;

 private:
  void Changed();

  bool visible_ = kDefaultVisible;
  ColorRef color_ = kDefaultColor;
  int offsetLeft_ = kDefaultOffsetLeft;
  int offsetTop_ = kDefaultOffsetTop;
};

}  // namespace tessora
