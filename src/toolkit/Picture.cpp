#include "toolkit/Picture.h"

#include "toolkit/Bitmap.h"

namespace tessora::tk {

Picture Picture::FromResource(HINSTANCE instance, int id) {
  Picture p;
  p.bitmap_.Reset(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!p.bitmap_) return p;
  BITMAP info{};
  GetObjectW(p.bitmap_.Get(), sizeof info, &info);
  p.width_ = info.bmWidth;
  p.height_ = info.bmHeight;
  MemoryDc dc(CreateCompatibleDC(nullptr));
  {
    ScopedSelect select(dc.Get(), p.bitmap_.Get());
    p.transparent_ = GetPixel(dc.Get(), 0, p.height_ - 1);
  }
  return p;
}

void Picture::Draw(HDC dc, int x, int y) const {
  if (Empty()) return;
  MemoryDc source(CreateCompatibleDC(dc));
  ScopedSelect select(source.Get(), bitmap_.Get());
  GdiTransparentBlt(dc, x, y, width_, height_, source.Get(), 0, 0, width_, height_, transparent_);
}

void Picture::DrawDisabled(HDC dc, int x, int y) const {
  if (Empty()) return;
  // The shape's pixels, read from the picture.
  Bitmap shape(width_, height_);
  {
    MemoryDc source(CreateCompatibleDC(dc));
    ScopedSelect select(source.Get(), bitmap_.Get());
    BitBlt(shape.Dc(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
  }
  // One pixel wider and higher: the highlight copy lies one pixel down and right.
  const COLORREF key = transparent_ == RGB(255, 0, 255) ? RGB(0, 255, 0) : RGB(255, 0, 255);
  Bitmap out(width_ + 1, height_ + 1);
  out.Fill(key);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int pass = 0; pass < 2; ++pass) {
    for (int py = 0; py < height_; ++py) {
      for (int px = 0; px < width_; ++px) {
        if (shape.Pixel(px, py) == transparent_) continue;
        if (pass == 0) {
          out.SetPixel(px + 1, py + 1, highlight);
        } else {
          out.SetPixel(px, py, shadow);
        }
      }
    }
  }
  GdiTransparentBlt(dc, x, y, width_ + 1, height_ + 1, out.Dc(), 0, 0, width_ + 1, height_ + 1, key);
}

}  // namespace tessora::tk
