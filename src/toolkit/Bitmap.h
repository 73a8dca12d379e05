#pragma once
// A 24-bit device-independent bitmap with its own memory DC: the off-screen surface
// the custom controls paint into, and what the tests read pixels back from.
#include <windows.h>

#include <cstdint>

#include "toolkit/Handles.h"

namespace tessora::tk {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height);
  Bitmap(Bitmap&&) = default;
  Bitmap& operator=(Bitmap&&) = default;
  ~Bitmap();

  // Reallocates when the size changes; the content is then undefined.
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return !dc_; }

  HDC Dc() const { return dc_.Get(); }
  HBITMAP Handle() const { return static_cast<HBITMAP>(bitmap_.Get()); }

  // Pixel access in COLORREF form (0x00BBGGRR); out-of-range reads give CLR_INVALID.
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF color);
  void Fill(COLORREF color);

  // Direct access to the pixels (bytes blue, green, red; rows top-down, Stride() apart),
  // after GDI has finished drawing into them. Null when empty or out of range.
  uint8_t* ScanLine(int y);
  int Stride() const { return stride_; }

 private:
  uint8_t* Row(int y) const;

  int width_ = 0, height_ = 0, stride_ = 0;
  uint8_t* bits_ = nullptr;
  MemoryDc dc_;
  GdiObject bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace tessora::tk
