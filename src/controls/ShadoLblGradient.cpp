#include "controls/ShadoLblGradient.h"

#include <algorithm>
#include <cstring>

namespace tessora {

namespace {

// from + (to - from) * index / steps, truncated. The sum equals
// (from * (steps - index) + to * index) / steps, which is never negative, so
// integer division truncates it exactly.
int Interpolate(int from, int to, int index, int steps) {
  const std::int64_t sum = std::int64_t{from} * (steps - index) + std::int64_t{to} * index;
  return static_cast<int>(sum / steps);
}

}  // namespace

ColorRef GradientColorAt(ColorRef from, ColorRef to, int index, int count) {
  if (count <= 1 || index <= 0) return MakeColor(RedOf(from), GreenOf(from), BlueOf(from));
  const int steps = count - 1;
  index = std::min(index, steps);
  return MakeColor(Interpolate(RedOf(from), RedOf(to), index, steps),
                   Interpolate(GreenOf(from), GreenOf(to), index, steps),
                   Interpolate(BlueOf(from), BlueOf(to), index, steps));
}

std::vector<ColorRef> GradientRamp(ColorRef from, ColorRef to, int count) {
  std::vector<ColorRef> ramp;
  if (count <= 0) return ramp;
  ramp.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) ramp.push_back(GradientColorAt(from, to, i, count));
  return ramp;
}

std::ptrdiff_t DibRowStride(int width) {
  if (width <= 0) return 0;
  return (static_cast<std::ptrdiff_t>(width) * 3 + 3) / 4 * 4;
}

namespace {

void PutPixel(std::uint8_t* pixel, ColorRef color) {
  pixel[0] = static_cast<std::uint8_t>(BlueOf(color));
  pixel[1] = static_cast<std::uint8_t>(GreenOf(color));
  pixel[2] = static_cast<std::uint8_t>(RedOf(color));
}

}  // namespace

void FillGradient(std::uint8_t* topRow, std::ptrdiff_t stride, int width, int height, ColorRef from, ColorRef to,
                  bool vertical) {
  if (topRow == nullptr || width <= 0 || height <= 0) return;
  if (vertical) {
    const std::vector<ColorRef> ramp = GradientRamp(from, to, height);
    for (int y = 0; y < height; ++y) {
      std::uint8_t* row = topRow + y * stride;
      for (int x = 0; x < width; ++x) PutPixel(row + x * 3, ramp[static_cast<std::size_t>(y)]);
    }
    return;
  }
  const std::vector<ColorRef> ramp = GradientRamp(from, to, width);
  for (int x = 0; x < width; ++x) PutPixel(topRow + x * 3, ramp[static_cast<std::size_t>(x)]);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  for (int y = 1; y < height; ++y) std::memcpy(topRow + y * stride, topRow, rowBytes);
}

PixelSize GradientStripSize(int rectWidth, int rectHeight, bool vertical) {
  rectWidth = std::max(rectWidth, 0);
  rectHeight = std::max(rectHeight, 0);
  if (vertical) return {1, rectHeight};
  return {rectWidth, rectHeight / 20 + 1};
}

std::vector<GradientCharacter> GradientTextColors(std::string_view s, ColorRef from, ColorRef to,
                                                  const LeadByteTest& isLeadByte) {
  const std::vector<TextSpan> spans = SplitCharacters(s, isLeadByte);
  const int count = static_cast<int>(spans.size());
  std::vector<GradientCharacter> characters;
  characters.reserve(spans.size());
  for (int i = 0; i < count; ++i) {
    const TextSpan& span = spans[static_cast<std::size_t>(i)];
    characters.push_back({span.offset, span.length, GradientColorAt(from, to, i, count)});
  }
  return characters;
}

std::size_t ThreeColorSplit(std::string_view text, const LeadByteTest& isLeadByte) {
  // Checking only whether the byte at the half is a lead-byte value would cut
  // a character whose trail byte lies in the lead range (Shift-JIS "ン" is
  // 0x83 0x93), so the cut is found by walking the characters.
  const std::size_t half = text.size() / 2;
  std::size_t offset = 0;
  while (offset < half) offset += CharacterLength(text, offset, isLeadByte);
  return offset;
}

namespace {

GradientRun MakeRun(std::string_view text, std::size_t offset, std::size_t length, ColorRef from, ColorRef to,
                    const LeadByteTest& isLeadByte) {
  GradientRun run{offset, length, from, to, GradientTextColors(text.substr(offset, length), from, to, isLeadByte)};
  for (GradientCharacter& character : run.characters) character.offset += offset;
  return run;
}

}  // namespace

std::vector<GradientRun> PlanTextGradient(std::string_view text, TTextGradation mode, ColorRef fontColor,
                                          ColorRef midColor, ColorRef endColor, const LeadByteTest& isLeadByte) {
  std::vector<GradientRun> runs;
  const std::size_t count = CountCharacters(text, isLeadByte);
  if (mode == TTextGradation::tgNone || count <= 1) return runs;
  if (mode == TTextGradation::tg2Colors || count == 2) {
    runs.push_back(MakeRun(text, 0, text.size(), fontColor, endColor, isLeadByte));
    return runs;
  }
  const std::size_t split = ThreeColorSplit(text, isLeadByte);
  runs.push_back(MakeRun(text, 0, split, fontColor, midColor, isLeadByte));
  const std::size_t restLength = text.size() - split;
  if (CountCharacters(text.substr(split), isLeadByte) == 1)
    runs.push_back(MakeRun(text, split, restLength, endColor, endColor, isLeadByte));
  else
    runs.push_back(MakeRun(text, split, restLength, midColor, endColor, isLeadByte));
  return runs;
}

}  // namespace tessora
