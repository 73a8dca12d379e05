#include "toolkit/Bitmap.h"

namespace tessora::tk {

Bitmap::Bitmap(int width, int height) { SetSize(width, height); }

Bitmap::~Bitmap() {
  if (dc_ && oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
}

void Bitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_ && dc_) return;
  if (dc_ && oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
  oldBitmap_ = nullptr;
  bitmap_.Reset();
  dc_.Reset();
  bits_ = nullptr;
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  stride_ = ((width_ * 3) + 3) & ~3;
  if (width_ == 0 || height_ == 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;  // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_.Reset(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  if (!bmp || !dc_) {
    if (bmp) DeleteObject(bmp);
    dc_.Reset();
    width_ = height_ = 0;
    return;
  }
  bitmap_.Reset(bmp);
  bits_ = static_cast<uint8_t*>(bits);
  oldBitmap_ = SelectObject(dc_.Get(), bmp);
}

uint8_t* Bitmap::Row(int y) const { return bits_ + static_cast<size_t>(y) * stride_; }

COLORREF Bitmap::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const uint8_t* p = Row(y) + x * 3;
  return RGB(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, COLORREF color) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  GdiFlush();
  uint8_t* p = Row(y) + x * 3;
  p[0] = GetBValue(color);
  p[1] = GetGValue(color);
  p[2] = GetRValue(color);
}

uint8_t* Bitmap::ScanLine(int y) {
  if (!bits_ || y < 0 || y >= height_) return nullptr;
  GdiFlush();
  return Row(y);
}

void Bitmap::Fill(COLORREF color) {
  if (!dc_) return;
  GdiObject brush(CreateSolidBrush(color));
  RECT r{0, 0, width_, height_};
  FillRect(dc_.Get(), &r, static_cast<HBRUSH>(brush.Get()));
}

}  // namespace tessora::tk
