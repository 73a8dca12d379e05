#pragma once
// Small types shared by the numeric input controls' portable logic.
#include <cstdint>

namespace tessora {

// Border style of a button part.
enum class TBody : std::uint8_t { bdFull = 0, bdMedium = 1, bdLight = 2, bdNone = 3 };

// Which arrow an up-down button part carries.
enum class TButtonType : std::uint8_t { btUp = 0, btDown = 1 };

// Where a slide up-down control keeps itself next to its associate.
enum class TAlignButton : std::uint8_t { sudRight = 0, sudLeft = 1, sudNone = 2 };

// A control's bounds in its parent's client coordinates.
struct PartRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PartRect&, const PartRect&) = default;
};

struct PartPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PartPoint&, const PartPoint&) = default;
};

}  // namespace tessora
