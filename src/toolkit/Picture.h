#pragma once
// A picture of a button: a 24-bit bitmap from the resources whose background, the
// colour of its bottom-left pixel, is left undrawn.
#include <windows.h>

#include "toolkit/Handles.h"

namespace tessora::tk {

class Picture {
 public:
  Picture() = default;
  // Empty when the resource is missing or not a bitmap.
  static Picture FromResource(HINSTANCE instance, int id);

  bool Empty() const { return !bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF TransparentColor() const { return transparent_; }

  // Draws the picture with its top-left corner at (x, y), background left out.
  void Draw(HDC dc, int x, int y) const;
  // The greyed form of a picture that has no disabled picture of its own: its shape
  // embossed in the highlight and shadow colours.
  void DrawDisabled(HDC dc, int x, int y) const;

 private:
  GdiObject bitmap_;
  int width_ = 0, height_ = 0;
  COLORREF transparent_ = CLR_INVALID;
};

}  // namespace tessora::tk
