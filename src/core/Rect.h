#pragma once
// A rectangle by its edges, as the portable drawing and layout code passes it.
namespace tessora {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tessora
