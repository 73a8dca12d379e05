#include <gtest/gtest.h>

#include <ostream>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/ShadoLblGradient.h"

namespace tessora {
namespace {

// Parameterised cases print as their names.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;

// Ramps of 10 positions between 0 and 255, truncated: upward and downward.
const int kUp10[] = {0, 28, 56, 85, 113, 141, 170, 198, 226, 255};
const int kDown10[] = {255, 226, 198, 170, 141, 113, 85, 56, 28, 0};

std::vector<ColorRef> RedToBlue10() {
  std::vector<ColorRef> ramp;
  for (int i = 0; i < 10; ++i) ramp.push_back(MakeColor(kDown10[i], 0, kUp10[i]));
  return ramp;
}

struct RampCase {
  const char* name;
  ColorRef from;
  ColorRef to;
  int count;
  std::vector<ColorRef> expected;
};

class GradientRampTable : public testing::TestWithParam<RampCase> {};

TEST_P(GradientRampTable, Colours) {
  const RampCase& c = GetParam();
  EXPECT_EQ(GradientRamp(c.from, c.to, c.count), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradientRampTable,
    testing::Values(RampCase{"Empty", kRed, kBlue, 0, {}},
                    RampCase{"OnePositionTakesStart", 0x102030, 0xFFFFFF, 1, {0x102030}},
                    RampCase{"TwoPositionsAreTheEnds", 0x102030, 0x405060, 2, {0x102030, 0x405060}},
                    RampCase{"ThreeUpward", 0x000000, kRed, 3, {0x000000, 0x00007F, kRed}},
                    RampCase{"ThreeDownwardTruncates", kRed, 0x000000, 3, {kRed, 0x00007F, 0x000000}},
                    RampCase{"ComponentsApart", kGreen, kBlue, 3, {kGreen, 0x7F7F00, kBlue}},
                    RampCase{"TenRedToBlue", kRed, kBlue, 10, RedToBlue10()},
                    RampCase{"HighByteIgnored", 0x020000FF, 0x02000000, 2, {kRed, 0x000000}}),
    [](const testing::TestParamInfo<RampCase>& info) { return std::string(info.param.name); });

// A ramp from 0 to n over n + 1 positions steps by exactly 1; floating-point
// t = i / n loses one at some positions (0 -> 22 gives 14 at position 15).
TEST(GradientRamp, WholeStepsAreExact) {
  for (int n = 1; n <= 255; ++n) {
    const std::vector<ColorRef> ramp = GradientRamp(MakeColor(0, 0, n), MakeColor(0, 0, 0), n + 1);
    for (int i = 0; i <= n; ++i) {
      ASSERT_EQ(BlueOf(ramp[static_cast<std::size_t>(i)]), n - i) << "n=" << n << " i=" << i;
      ASSERT_EQ(GradientColorAt(0, MakeColor(n, 0, 0), i, n + 1), MakeColor(i, 0, 0)) << "n=" << n << " i=" << i;
    }
  }
}

constexpr std::uint8_t kUntouched = 0xAB;

struct Buffer {
  int width;
  int height;
  std::ptrdiff_t stride;
  std::vector<std::uint8_t> bytes;

  Buffer(int w, int h) : width(w), height(h), stride(DibRowStride(w)) {
    bytes.assign(static_cast<std::size_t>(stride * (h > 0 ? h : 0)) + 16, kUntouched);
  }
  std::uint8_t* Row(int y) { return bytes.data() + y * stride; }
  ColorRef Pixel(int x, int y) {
    const std::uint8_t* p = Row(y) + x * 3;
    return MakeColor(p[2], p[1], p[0]);
  }
};

struct FillCase {
  const char* name;
  int length;  // along the gradient
  bool vertical;
  ColorRef from;
  ColorRef to;
  std::vector<ColorRef> expected;
};

class FillGradientStrip : public testing::TestWithParam<FillCase> {};

// Every pixel across the strip carries its position's colour, and the row
// padding and the bytes after the last row stay untouched.
TEST_P(FillGradientStrip, FillsEveryPixelAndNoMore) {
  const FillCase& c = GetParam();
  const int across = 3;
  Buffer buffer(c.vertical ? across : c.length, c.vertical ? c.length : across);
  FillGradient(buffer.Row(0), buffer.stride, buffer.width, buffer.height, c.from, c.to, c.vertical);
  for (int y = 0; y < buffer.height; ++y) {
    for (int x = 0; x < buffer.width; ++x) {
      const ColorRef expected = c.expected[static_cast<std::size_t>(c.vertical ? y : x)];
      ASSERT_EQ(buffer.Pixel(x, y), expected) << "x=" << x << " y=" << y;
    }
    for (std::ptrdiff_t b = buffer.width * 3; b < buffer.stride; ++b)
      ASSERT_EQ(buffer.Row(y)[b], kUntouched) << "padding of row " << y;
  }
  for (std::size_t b = static_cast<std::size_t>(buffer.stride * buffer.height); b < buffer.bytes.size(); ++b)
    ASSERT_EQ(buffer.bytes[b], kUntouched);
}

INSTANTIATE_TEST_SUITE_P(
    Strips, FillGradientStrip,
    testing::Values(FillCase{"OnePixelVertical", 1, true, 0x112233, 0xFFFFFF, {0x112233}},
                    FillCase{"OnePixelHorizontal", 1, false, 0x112233, 0xFFFFFF, {0x112233}},
                    FillCase{"TwoPixelsVertical", 2, true, 0x112233, 0x445566, {0x112233, 0x445566}},
                    FillCase{"TwoPixelsHorizontal", 2, false, 0x112233, 0x445566, {0x112233, 0x445566}},
                    FillCase{"TenPixelsVertical", 10, true, kRed, kBlue, RedToBlue10()},
                    FillCase{"TenPixelsHorizontal", 10, false, kRed, kBlue, RedToBlue10()}),
    [](const testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

TEST(FillGradient, PixelBytesAreBlueGreenRed) {
  Buffer buffer(1, 1);
  FillGradient(buffer.Row(0), buffer.stride, 1, 1, 0x112233, 0x112233, false);
  EXPECT_EQ(buffer.bytes[0], 0x11);
  EXPECT_EQ(buffer.bytes[1], 0x22);
  EXPECT_EQ(buffer.bytes[2], 0x33);
}

// A bottom-up DIB: the top row is the last in memory and the stride is negative.
TEST(FillGradient, BottomUpRows) {
  Buffer buffer(2, 10);
  std::uint8_t* top = buffer.Row(9);
  FillGradient(top, -buffer.stride, 2, 10, kRed, kBlue, true);
  const std::vector<ColorRef> ramp = RedToBlue10();
  for (int y = 0; y < 10; ++y) EXPECT_EQ(buffer.Pixel(1, 9 - y), ramp[static_cast<std::size_t>(y)]) << y;
}

TEST(FillGradient, EmptySizesTouchNothing) {
  struct Case {
    int width;
    int height;
  };
  for (const Case& c : {Case{0, 5}, Case{5, 0}, Case{-1, 5}, Case{5, -3}}) {
    for (bool vertical : {false, true}) {
      Buffer buffer(5, 5);
      FillGradient(buffer.Row(0), buffer.stride, c.width, c.height, kRed, kBlue, vertical);
      for (std::uint8_t b : buffer.bytes) ASSERT_EQ(b, kUntouched);
    }
  }
}

TEST(DibRowStride, PadsToFourBytes) {
  const std::pair<int, std::ptrdiff_t> cases[] = {{0, 0}, {1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {58, 176}};
  for (const auto& [width, stride] : cases) EXPECT_EQ(DibRowStride(width), stride) << width;
}

TEST(GradientStripSize, StripPerDirection) {
  struct Case {
    int width;
    int height;
    bool vertical;
    PixelSize expected;
  };
  const Case cases[] = {
      {58, 16, true, {1, 16}}, {58, 16, false, {58, 1}}, {58, 19, false, {58, 1}}, {58, 20, false, {58, 2}},
      {58, 39, false, {58, 2}}, {58, 40, false, {58, 3}}, {0, 0, false, {0, 1}},    {-4, -30, true, {1, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GradientStripSize(c.width, c.height, c.vertical), c.expected)
        << c.width << "x" << c.height << (c.vertical ? " vertical" : " horizontal");
}

// --- text gradients -------------------------------------------------------

constexpr ColorRef kFont = kRed;
constexpr ColorRef kMid = kGreen;
constexpr ColorRef kEnd = kBlue;

struct TextColorsCase {
  const char* name;
  std::string text;
  std::vector<GradientCharacter> expected;
};

class GradientTextColorsTable : public testing::TestWithParam<TextColorsCase> {};

TEST_P(GradientTextColorsTable, TwoColours) {
  const TextColorsCase& c = GetParam();
  EXPECT_EQ(GradientTextColors(c.text, kFont, kEnd, IsShiftJisLeadByte), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradientTextColorsTable,
    testing::Values(
        TextColorsCase{"OneCharacterTakesFrom", "a", {{0, 1, kFont}}},
        TextColorsCase{"OneDoubleByteCharacter", "\x82\xA0", {{0, 2, kFont}}},
        TextColorsCase{"TwoCharacters", "ab", {{0, 1, kFont}, {1, 1, kEnd}}},
        TextColorsCase{"ThreeCharacters", "abc", {{0, 1, kFont}, {1, 1, MakeColor(127, 0, 127)}, {2, 1, kEnd}}},
        TextColorsCase{"FourCharacters",
                       "abcd",
                       {{0, 1, kFont}, {1, 1, MakeColor(170, 0, 85)}, {2, 1, MakeColor(85, 0, 170)}, {3, 1, kEnd}}},
        // "aあ": the double-byte character is one step, drawn whole
        TextColorsCase{"DoubleByteKeptWhole", "a\x82\xA0", {{0, 1, kFont}, {1, 2, kEnd}}},
        // "あいう"
        TextColorsCase{"ThreeDoubleByte",
                       "\x82\xA0\x82\xA2\x82\xA4",
                       {{0, 2, kFont}, {2, 2, MakeColor(127, 0, 127)}, {4, 2, kEnd}}}),
    [](const testing::TestParamInfo<TextColorsCase>& info) { return std::string(info.param.name); });

struct ExpectedRun {
  std::size_t offset;
  std::size_t length;
  ColorRef from;
  ColorRef to;
};

struct PlanCase {
  const char* name;
  std::string text;
  TTextGradation mode;
  std::vector<ExpectedRun> runs;
  std::vector<GradientCharacter> characters;  // all runs in order
};

class PlanTextGradientTable : public testing::TestWithParam<PlanCase> {};

TEST_P(PlanTextGradientTable, RunsAndColours) {
  const PlanCase& c = GetParam();
  const std::vector<GradientRun> runs = PlanTextGradient(c.text, c.mode, kFont, kMid, kEnd, IsShiftJisLeadByte);
  ASSERT_EQ(runs.size(), c.runs.size());
  std::vector<GradientCharacter> characters;
  std::size_t next = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].offset, c.runs[i].offset) << "run " << i;
    EXPECT_EQ(runs[i].length, c.runs[i].length) << "run " << i;
    EXPECT_EQ(runs[i].from, c.runs[i].from) << "run " << i;
    EXPECT_EQ(runs[i].to, c.runs[i].to) << "run " << i;
    EXPECT_EQ(runs[i].offset, next) << "runs must follow one another";
    next = runs[i].offset + runs[i].length;
    characters.insert(characters.end(), runs[i].characters.begin(), runs[i].characters.end());
  }
  if (!runs.empty()) {
    EXPECT_EQ(next, c.text.size()) << "runs must cover the text";
  }
  EXPECT_EQ(characters, c.characters);
}

const ColorRef kMidEnd = MakeColor(0, 127, 127);

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanTextGradientTable,
    testing::Values(
        PlanCase{"NoGradation", "abc", TTextGradation::tgNone, {}, {}},
        PlanCase{"OneCharacterTwoColours", "a", TTextGradation::tg2Colors, {}, {}},
        PlanCase{"OneCharacterThreeColours", "a", TTextGradation::tg3Colors, {}, {}},
        PlanCase{"OneDoubleByteCharacter", "\x82\xA0", TTextGradation::tg3Colors, {}, {}},
        PlanCase{"EmptyText", "", TTextGradation::tg2Colors, {}, {}},
        PlanCase{"TwoColoursTwo", "ab", TTextGradation::tg2Colors, {{0, 2, kFont, kEnd}},
                 {{0, 1, kFont}, {1, 1, kEnd}}},
        PlanCase{"TwoColoursThree", "abc", TTextGradation::tg2Colors, {{0, 3, kFont, kEnd}},
                 {{0, 1, kFont}, {1, 1, MakeColor(127, 0, 127)}, {2, 1, kEnd}}},
        PlanCase{"TwoColoursFour", "abcd", TTextGradation::tg2Colors, {{0, 4, kFont, kEnd}},
                 {{0, 1, kFont}, {1, 1, MakeColor(170, 0, 85)}, {2, 1, MakeColor(85, 0, 170)}, {3, 1, kEnd}}},
        // two characters ignore the middle colour
        PlanCase{"ThreeColoursTwo", "ab", TTextGradation::tg3Colors, {{0, 2, kFont, kEnd}},
                 {{0, 1, kFont}, {1, 1, kEnd}}},
        PlanCase{"ThreeColoursThree", "abc", TTextGradation::tg3Colors, {{0, 1, kFont, kMid}, {1, 2, kMid, kEnd}},
                 {{0, 1, kFont}, {1, 1, kMid}, {2, 1, kEnd}}},
        PlanCase{"ThreeColoursFour", "abcd", TTextGradation::tg3Colors, {{0, 2, kFont, kMid}, {2, 2, kMid, kEnd}},
                 {{0, 1, kFont}, {1, 1, kMid}, {2, 1, kMid}, {3, 1, kEnd}}},
        PlanCase{"ThreeColoursFive", "abcde", TTextGradation::tg3Colors, {{0, 2, kFont, kMid}, {2, 3, kMid, kEnd}},
                 {{0, 1, kFont}, {1, 1, kMid}, {2, 1, kMid}, {3, 1, kMidEnd}, {4, 1, kEnd}}},
        // "あいう": half the bytes ends on a lead byte, so the cut moves past its
        // trail byte; the single character left is drawn in the end colour
        PlanCase{"ThreeColoursDoubleByteRest", "\x82\xA0\x82\xA2\x82\xA4", TTextGradation::tg3Colors,
                 {{0, 4, kFont, kMid}, {4, 2, kEnd, kEnd}},
                 {{0, 2, kFont}, {2, 2, kMid}, {4, 2, kEnd}}},
        // "aあb": the double-byte character straddles the half and stays whole
        PlanCase{"ThreeColoursCutKeepsDoubleByte", "a\x82\xA0" "b", TTextGradation::tg3Colors,
                 {{0, 3, kFont, kMid}, {3, 1, kEnd, kEnd}},
                 {{0, 1, kFont}, {1, 2, kMid}, {3, 1, kEnd}}},
        // "ンンa": the half ends on the trail byte 0x93, a lead-byte value; the
        // cut stays there instead of splitting the second "ン"
        PlanCase{"ThreeColoursTrailInLeadRange", "\x83\x93\x83\x93" "a", TTextGradation::tg3Colors,
                 {{0, 2, kFont, kMid}, {2, 3, kMid, kEnd}},
                 {{0, 2, kFont}, {2, 2, kMid}, {4, 1, kEnd}}},
        // a lead byte that ends the text is a character of its own
        PlanCase{"ThreeColoursLeadByteAtEnd", "abc\x82", TTextGradation::tg3Colors,
                 {{0, 2, kFont, kMid}, {2, 2, kMid, kEnd}},
                 {{0, 1, kFont}, {1, 1, kMid}, {2, 1, kMid}, {3, 1, kEnd}}}),
    [](const testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

TEST(ThreeColorSplit, NeverInsideADoubleByteCharacter) {
  // Every mix of "a" and "ン" (whose trail byte is a lead-byte value) up to six characters.
  for (int length = 3; length <= 6; ++length) {
    for (int mask = 0; mask < (1 << length); ++mask) {
      std::string text;
      for (int i = 0; i < length; ++i) text += (mask >> i & 1) ? std::string("\x83\x93") : std::string("a");
      const std::size_t split = ThreeColorSplit(text, IsShiftJisLeadByte);
      std::size_t boundary = 0;
      while (boundary < split) boundary += CharacterLength(text, boundary, IsShiftJisLeadByte);
      EXPECT_EQ(boundary, split) << "mask " << mask << " length " << length;
      EXPECT_GE(split, text.size() / 2);
      EXPECT_LE(split, text.size() / 2 + 1);
      EXPECT_LT(split, text.size());
    }
  }
}

}  // namespace
}  // namespace tessora
