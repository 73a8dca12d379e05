#include "DemoScene.h"

#include <algorithm>
#include <cmath>

namespace {
COLORREF Blend(COLORREF a, COLORREF b, float t) {
  auto mix = [t](unsigned x, unsigned y) { return static_cast<BYTE>(x + (static_cast<float>(y) - x) * t); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

bool IsAscii(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

// Keeps a moving shape inside [margin, 1 - margin] by reflecting its speed.
void Bounce(float& position, float& speed, float margin) {
  if (position < margin) {
    position = margin;
    speed = std::fabs(speed);
  } else if (position > 1.0f - margin) {
    position = 1.0f - margin;
    speed = -std::fabs(speed);
  }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}
}  // namespace

DemoScene::DemoScene(const DemoVariant& variant, std::wstring label, std::uint32_t seed)
    : variant_(variant), label_(std::move(label)), random_(seed | 1) {
  const int counts[] = {7, 9, 10, 40};
  const int count = counts[static_cast<int>(variant.style)];
  for (int i = 0; i < count; ++i) {
    Shape shape{};
    shape.x = Random();
    shape.y = Random();
    shape.vx = (Random() - 0.5f) * 0.02f;
    shape.vy = (Random() - 0.5f) * 0.02f;
    shape.phase = Random() * 6.2832f;
    shape.colour = Blend(variant.background, variant.shapes, 0.35f + 0.65f * Random());
    switch (variant.style) {
      case DemoStyle::Stripes:
        shape.size = 0.04f + 0.1f * Random();
        shape.vx = 0.002f + 0.006f * Random();
        break;
      case DemoStyle::Circles:
        shape.size = 0.05f + 0.07f * Random();
        break;
      case DemoStyle::Squares:
        shape.size = 0.06f + 0.1f * Random();
        break;
      case DemoStyle::Petals:
        shape.size = 0.012f + 0.012f * Random();
        shape.vy = 0.002f + 0.004f * Random();
        break;
    }
    shapes_.push_back(shape);
  }
}

float DemoScene::Random() {
  random_ = random_ * 1664525u + 1013904223u;
  return static_cast<float>(random_ >> 8) / static_cast<float>(1u << 24);
}

void DemoScene::Step() {
  ++ticks_;
  for (auto& shape : shapes_) {
    switch (variant_.style) {
      case DemoStyle::Stripes:
        shape.x += shape.vx;
        if (shape.x > 1.0f + shape.size) shape.x = -shape.size;
        break;
      case DemoStyle::Circles:
      case DemoStyle::Squares:
        shape.x += shape.vx;
        shape.y += shape.vy;
        Bounce(shape.x, shape.vx, shape.size / 2);
        Bounce(shape.y, shape.vy, shape.size / 2);
        break;
      case DemoStyle::Petals:
        shape.y += shape.vy;
        if (shape.y > 1.05f) shape.y = -0.05f;
        break;
    }
  }
}

void DemoScene::Draw(HDC dc, int width, int height) {
  const RECT all{0, 0, width, height};
  FillSolid(dc, all, variant_.background);
  DrawShapes(dc, width, height);
  DrawLabel(dc, width, height);
}

void DemoScene::DrawShapes(HDC dc, int width, int height) const {
  const float unit = static_cast<float>(std::min(width, height));
  const ScopedSelect pen(dc, GetStockObject(NULL_PEN));
  for (const auto& shape : shapes_) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(shape.colour));
    const ScopedSelect selected(dc, brush.Get());
    const int cx = static_cast<int>(shape.x * width);
    const int cy = static_cast<int>(shape.y * height);
    switch (variant_.style) {
      case DemoStyle::Stripes: {
        // Bands lean with a slow wave so the motion reads as more than a slide.
        const int half = static_cast<int>(shape.size * width / 2);
        const int lean = static_cast<int>(std::sin(shape.phase + ticks_ * 0.03f) * width * 0.05f);
        const POINT band[] = {{cx - half + lean, 0}, {cx + half + lean, 0}, {cx + half - lean, height}, {cx - half - lean, height}};
        Polygon(dc, band, 4);
        break;
      }
      case DemoStyle::Circles: {
        const int r = static_cast<int>(shape.size * unit / 2);
        Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
        break;
      }
      case DemoStyle::Squares: {
        const int half = static_cast<int>(shape.size * unit / 2);
        const RECT square{cx - half, cy - half, cx + half, cy + half};
        FillRect(dc, &square, brush.Get());
        break;
      }
      case DemoStyle::Petals: {
        const int sway = static_cast<int>(std::sin(shape.phase + ticks_ * 0.05f) * width * 0.02f);
        const int r = std::max(2, static_cast<int>(shape.size * unit));
        Ellipse(dc, cx + sway - r, cy - r / 2, cx + sway + r + 1, cy + r / 2 + 1);
        break;
      }
    }
  }
}

void DemoScene::DrawLabel(HDC dc, int width, int height) {
  const int length = std::max<int>(4, static_cast<int>(label_.size()));
  const int wanted = std::max(8, std::min(height / 5, width * 3 / (length * 2)));
  if (!font_ || wanted != fontHeight_) {
    // Japanese names need a font that has the glyphs; asking for the charset lets the
    // font mapper choose one.
    const bool ascii = IsAscii(label_);
    font_.Reset(CreateFontW(-wanted, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ascii ? DEFAULT_CHARSET : SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS,
                            ascii ? L"Arial" : L""));
    fontHeight_ = wanted;
  }
  const ScopedSelect font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  const int shadow = std::max(1, wanted / 16);
  RECT rect{shadow, shadow, width + shadow, height + shadow};
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  SetTextColor(dc, Blend(variant_.background, RGB(0, 0, 0), 0.7f));
  DrawTextW(dc, label_.c_str(), static_cast<int>(label_.size()), &rect, format);
  rect = RECT{0, 0, width, height};
  SetTextColor(dc, variant_.text);
  DrawTextW(dc, label_.c_str(), static_cast<int>(label_.size()), &rect, format);
}
