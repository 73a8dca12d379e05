#pragma once
// The animation of a demo saver: moving shapes over a plain background and the saver's
// name in large letters in the middle. Positions are fractions of the window, so the
// same scene fits the full screen and the small preview.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DemoVariant.h"
#include "GdiHandles.h"

class DemoScene {
 public:
  DemoScene(const DemoVariant& variant, std::wstring label, std::uint32_t seed);

  void Step();
  void Draw(HDC dc, int width, int height);

 private:
  struct Shape {
    float x, y, vx, vy, size, phase;
    COLORREF colour;
  };

  float Random();
  void DrawShapes(HDC dc, int width, int height) const;
  void DrawLabel(HDC dc, int width, int height);

  const DemoVariant& variant_;
  std::wstring label_;
  std::uint32_t random_;
  unsigned ticks_ = 0;
  std::vector<Shape> shapes_;
  GdiObject<HFONT> font_;
  int fontHeight_ = 0;
};
