#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "controls/ShadoLblLayout.h"

namespace tessora {
namespace {

// Parameterised cases print as their names.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

TEST(ShadoLblLayout, PaintText) {
  struct Case {
    std::string caption;
    bool showAccelChar;
    std::string expected;
  };
  const Case cases[] = {
      {"", false, " "},          {"", true, " "},         {"&", true, "& "},
      {"&", false, "&"},         {"&&", true, "&&"},      {"Tessora", true, "Tessora"},
      {" ", true, " "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PaintText(c.caption, c.showAccelChar), c.expected) << '"' << c.caption << "\" " << c.showAccelChar;
    const std::wstring wide(c.caption.begin(), c.caption.end());
    EXPECT_EQ(PaintText(wide, c.showAccelChar), std::wstring(c.expected.begin(), c.expected.end()))
        << '"' << c.caption << "\" " << c.showAccelChar << " (wide)";
  }
}

TEST(ShadoLblLayout, DrawTextFormat) {
  struct Case {
    LabelAlignment alignment;
    bool wordWrap;
    bool showAccelChar;
    TEllipsis ellipsis;
    unsigned expected;
  };
  const Case cases[] = {
      {LabelAlignment::taLeftJustify, false, true, TEllipsis::elNone, 0x40},
      {LabelAlignment::taCenter, false, true, TEllipsis::elNone, 0x41},
      {LabelAlignment::taRightJustify, false, true, TEllipsis::elNone, 0x42},
      {LabelAlignment::taLeftJustify, true, true, TEllipsis::elNone, 0x50},
      {LabelAlignment::taLeftJustify, false, false, TEllipsis::elNone, 0x840},
      {LabelAlignment::taLeftJustify, false, true, TEllipsis::elEnd, 0x8040},
      {LabelAlignment::taCenter, false, true, TEllipsis::elPath, 0x4041},
      {LabelAlignment::taRightJustify, true, false, TEllipsis::elEnd, 0x8852},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DrawTextFormat(c.alignment, c.wordWrap, c.showAccelChar, c.ellipsis), c.expected)
        << std::hex << c.expected;
}

struct PlaceCase {
  const char* name;
  LabelLayout layout;
  int textHeight;
  int shift;
};

class PlaceCopiesTable : public testing::TestWithParam<PlaceCase> {};

// The title label of the configuration dialog: 58 x 16, highlight one pixel
// up-left, shadow one pixel down-right.
TEST_P(PlaceCopiesTable, TextAndCopies) {
  const PlaceCase& c = GetParam();
  const LabelRect client{0, 0, 58, 16};
  const LabelCopyRects rects = PlaceCopies(client, c.layout, c.textHeight, 1, 1, -1, -1);
  EXPECT_EQ(rects.text, (LabelRect{0, c.shift, 58, 16 + c.shift}));
  EXPECT_EQ(rects.shadow, (LabelRect{1, c.shift + 1, 59, 17 + c.shift}));
  EXPECT_EQ(rects.highlight, (LabelRect{-1, c.shift - 1, 57, 15 + c.shift}));
}

INSTANTIATE_TEST_SUITE_P(Layouts, PlaceCopiesTable,
                         testing::Values(PlaceCase{"Top", LabelLayout::tlTop, 13, 0},
                                         PlaceCase{"CentreHalvesDown", LabelLayout::tlCenter, 13, 1},
                                         PlaceCase{"CentreEven", LabelLayout::tlCenter, 12, 2},
                                         PlaceCase{"Bottom", LabelLayout::tlBottom, 13, 3},
                                         // text taller than the label: -3 / 2 truncates toward zero
                                         PlaceCase{"CentreTallText", LabelLayout::tlCenter, 19, -1},
                                         PlaceCase{"BottomTallText", LabelLayout::tlBottom, 19, -3},
                                         PlaceCase{"TopTallText", LabelLayout::tlTop, 19, 0}),
                         [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST(ShadoLblLayout, CopiesFollowAClientRectNotAtTheOrigin) {
  const LabelCopyRects rects = PlaceCopies({10, 20, 40, 60}, LabelLayout::tlCenter, 10, 0, 0, 2, -3);
  EXPECT_EQ(rects.text, (LabelRect{10, 35, 40, 75}));
  EXPECT_EQ(rects.shadow, rects.text);  // zero offsets lie exactly under the text
  EXPECT_EQ(rects.highlight, (LabelRect{12, 32, 42, 72}));
}

TEST(ShadoLblLayout, CopyColours) {
  struct Case {
    bool enabled;
    LabelCopyColors expected;
  };
  const Case cases[] = {
      {true, {0xA4A0A0, 0xFFFFFF, 0x008000}},
      {false, {0x808080, 0x80000014, 0x80000010}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseCopyColors(c.enabled, 0xA4A0A0, 0xFFFFFF, 0x008000), c.expected) << c.enabled;
}

TEST(ShadoLblLayout, BackgroundAndTarget) {
  struct Case {
    bool transparent;
    bool gradation;
    bool flickerless;
    LabelBackground background;
    bool offscreen;
  };
  const Case cases[] = {
      {false, false, false, LabelBackground::Solid, false},
      {false, false, true, LabelBackground::Solid, true},
      {false, true, false, LabelBackground::GradientStrip, false},
      {false, true, true, LabelBackground::GradientBitmap, true},
      {true, false, false, LabelBackground::None, false},
      {true, false, true, LabelBackground::None, false},
      {true, true, false, LabelBackground::None, false},
      {true, true, true, LabelBackground::None, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "transparent " << c.transparent << " gradation " << c.gradation
                                    << " flickerless " << c.flickerless);
    EXPECT_EQ(ChooseBackground(c.transparent, c.gradation, c.flickerless), c.background);
    EXPECT_EQ(UsesOffscreenBitmap(c.flickerless, c.transparent), c.offscreen);
  }
}

}  // namespace
}  // namespace tessora
