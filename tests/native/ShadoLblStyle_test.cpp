#include <gtest/gtest.h>

#include <ostream>
#include <functional>
#include <string>

#include "controls/ShadoLblStyle.h"

namespace tessora {
namespace {

// Parameterised cases print as their names.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

TEST(TShadow, Defaults) {
  TShadow shadow;
  EXPECT_TRUE(shadow.Visible());
  EXPECT_EQ(shadow.Color(), 0xC0C0C0u);
  EXPECT_EQ(shadow.OffsetLeft(), 1);
  EXPECT_EQ(shadow.OffsetTop(), 1);
}

struct ShadowSetterCase {
  const char* name;
  std::function<void(TShadow&)> sameValue;
  std::function<void(TShadow&)> newValue;
  std::function<bool(const TShadow&)> holdsNewValue;
};

class TShadowSetters : public testing::TestWithParam<ShadowSetterCase> {};

TEST_P(TShadowSetters, ChangeOnlyOnNewValue) {
  const ShadowSetterCase& c = GetParam();
  TShadow shadow;
  int changes = 0;
  TShadow* sender = nullptr;
  shadow.OnChange = [&](TShadow& s) {
    ++changes;
    sender = &s;
  };
  c.sameValue(shadow);
  EXPECT_EQ(changes, 0);
  c.newValue(shadow);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sender, &shadow);
  EXPECT_TRUE(c.holdsNewValue(shadow));
  c.newValue(shadow);
  EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, TShadowSetters,
    testing::Values(
        ShadowSetterCase{"Visible", [](TShadow& s) { s.SetVisible(true); }, [](TShadow& s) { s.SetVisible(false); },
                         [](const TShadow& s) { return !s.Visible(); }},
        ShadowSetterCase{"Color", [](TShadow& s) { s.SetColor(0xC0C0C0); }, [](TShadow& s) { s.SetColor(0x123456); },
                         [](const TShadow& s) { return s.Color() == 0x123456u; }},
        ShadowSetterCase{"OffsetLeft", [](TShadow& s) { s.SetOffsetLeft(1); }, [](TShadow& s) { s.SetOffsetLeft(-4); },
                         [](const TShadow& s) { return s.OffsetLeft() == -4; }},
        ShadowSetterCase{"OffsetTop", [](TShadow& s) { s.SetOffsetTop(1); }, [](TShadow& s) { s.SetOffsetTop(0); },
                         [](const TShadow& s) { return s.OffsetTop() == 0; }}),
    [](const testing::TestParamInfo<ShadowSetterCase>& info) { return std::string(info.param.name); });

TEST(TShadow, AssignCopiesAllAndNotifiesOnceEvenWhenEqual) {
  TShadow source;
  source.SetVisible(false);
  source.SetColor(0x010203);
  source.SetOffsetLeft(-2);
  source.SetOffsetTop(5);
  TShadow target;
  int changes = 0;
  target.OnChange = [&](TShadow&) { ++changes; };
  target.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(target.Visible());
  EXPECT_EQ(target.Color(), 0x010203u);
  EXPECT_EQ(target.OffsetLeft(), -2);
  EXPECT_EQ(target.OffsetTop(), 5);
  target.Assign(source);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(static_cast<bool>(source.OnChange)) << "the source's handler is not touched";
}

class ShadowLabelStyleTest : public testing::Test {
 protected:
  int repaints = 0;
  ShadowLabelStyle style{[this] { ++repaints; }};
};

TEST_F(ShadowLabelStyleTest, DefaultsWithoutRepaint) {
  EXPECT_EQ(repaints, 0);
  EXPECT_EQ(style.Ellipsis(), TEllipsis::elNone);
  EXPECT_TRUE(style.Flickerless());
  EXPECT_FALSE(style.GradateVert());
  EXPECT_FALSE(style.Gradation());
  EXPECT_EQ(style.GradationColor(), 0xFF0000u);
  EXPECT_EQ(style.TextGradation(), TTextGradation::tgNone);
  EXPECT_EQ(style.TextGradationColor(), 0x000080u);
  EXPECT_EQ(style.TextMidColor(), 0x800000u);
  EXPECT_TRUE(style.Highlight().Visible());
  EXPECT_EQ(style.Highlight().Color(), 0xFFFFFFu);
  EXPECT_EQ(style.Highlight().OffsetLeft(), -1);
  EXPECT_EQ(style.Highlight().OffsetTop(), -1);
  EXPECT_TRUE(style.Shadow().Visible());
  EXPECT_EQ(style.Shadow().Color(), 0xC0C0C0u);
  EXPECT_EQ(style.Shadow().OffsetLeft(), 1);
  EXPECT_EQ(style.Shadow().OffsetTop(), 1);
}

struct RepaintCase {
  const char* name;
  TTextGradation mode;  // set before the change
  std::function<void(ShadowLabelStyle&)> change;
  std::function<bool(const ShadowLabelStyle&)> stored;
  bool repaints;
};

class ShadowLabelStyleRepaint : public testing::TestWithParam<RepaintCase> {};

TEST_P(ShadowLabelStyleRepaint, RepaintsOnlyWhenTheLookChanges) {
  const RepaintCase& c = GetParam();
  int repaints = 0;
  ShadowLabelStyle style([&] { ++repaints; });
  style.SetTextGradation(c.mode);
  repaints = 0;
  c.change(style);
  EXPECT_TRUE(c.stored(style)) << "the value is stored whether or not it repaints";
  EXPECT_EQ(repaints > 0, c.repaints);
}

using Style = ShadowLabelStyle;
constexpr auto kNone = TTextGradation::tgNone;
constexpr auto k2 = TTextGradation::tg2Colors;
constexpr auto k3 = TTextGradation::tg3Colors;

INSTANTIATE_TEST_SUITE_P(
    Properties, ShadowLabelStyleRepaint,
    testing::Values(
        RepaintCase{"EllipsisNew", kNone, [](Style& s) { s.SetEllipsis(TEllipsis::elPath); },
                    [](const Style& s) { return s.Ellipsis() == TEllipsis::elPath; }, true},
        RepaintCase{"EllipsisSame", kNone, [](Style& s) { s.SetEllipsis(TEllipsis::elNone); },
                    [](const Style& s) { return s.Ellipsis() == TEllipsis::elNone; }, false},
        RepaintCase{"FlickerlessIsAPlainField", kNone, [](Style& s) { s.SetFlickerless(false); },
                    [](const Style& s) { return !s.Flickerless(); }, false},
        RepaintCase{"GradateVert", kNone, [](Style& s) { s.SetGradateVert(true); },
                    [](const Style& s) { return s.GradateVert(); }, true},
        RepaintCase{"Gradation", kNone, [](Style& s) { s.SetGradation(true); },
                    [](const Style& s) { return s.Gradation(); }, true},
        RepaintCase{"GradationColorNew", kNone, [](Style& s) { s.SetGradationColor(0x00FF00); },
                    [](const Style& s) { return s.GradationColor() == 0x00FF00u; }, true},
        RepaintCase{"GradationColorSame", kNone, [](Style& s) { s.SetGradationColor(0xFF0000); },
                    [](const Style& s) { return s.GradationColor() == 0xFF0000u; }, false},
        RepaintCase{"TextGradation", kNone, [](Style& s) { s.SetTextGradation(k3); },
                    [](const Style& s) { return s.TextGradation() == k3; }, true},
        RepaintCase{"TextGradationColorUnused", kNone, [](Style& s) { s.SetTextGradationColor(1); },
                    [](const Style& s) { return s.TextGradationColor() == 1u; }, false},
        RepaintCase{"TextGradationColorTwo", k2, [](Style& s) { s.SetTextGradationColor(1); },
                    [](const Style& s) { return s.TextGradationColor() == 1u; }, true},
        RepaintCase{"TextGradationColorThree", k3, [](Style& s) { s.SetTextGradationColor(1); },
                    [](const Style& s) { return s.TextGradationColor() == 1u; }, true},
        RepaintCase{"TextGradationColorSame", k3, [](Style& s) { s.SetTextGradationColor(0x80); },
                    [](const Style& s) { return s.TextGradationColor() == 0x80u; }, false},
        RepaintCase{"TextMidColorUnused", kNone, [](Style& s) { s.SetTextMidColor(1); },
                    [](const Style& s) { return s.TextMidColor() == 1u; }, false},
        RepaintCase{"TextMidColorTwoColours", k2, [](Style& s) { s.SetTextMidColor(1); },
                    [](const Style& s) { return s.TextMidColor() == 1u; }, false},
        RepaintCase{"TextMidColorThreeColours", k3, [](Style& s) { s.SetTextMidColor(1); },
                    [](const Style& s) { return s.TextMidColor() == 1u; }, true},
        RepaintCase{"HighlightThroughItsSetter", kNone, [](Style& s) { s.Highlight().SetOffsetTop(0); },
                    [](const Style& s) { return s.Highlight().OffsetTop() == 0; }, true},
        RepaintCase{"ShadowThroughItsSetter", kNone, [](Style& s) { s.Shadow().SetVisible(false); },
                    [](const Style& s) { return !s.Shadow().Visible(); }, true},
        RepaintCase{"ShadowSameValue", kNone, [](Style& s) { s.Shadow().SetColor(0xC0C0C0); },
                    [](const Style& s) { return s.Shadow().Color() == 0xC0C0C0u; }, false}),
    [](const testing::TestParamInfo<RepaintCase>& info) { return std::string(info.param.name); });

TEST_F(ShadowLabelStyleTest, SetShadowCopiesIntoTheOwnedObject) {
  TShadow given;
  given.SetColor(0xA4A0A0);
  given.SetOffsetLeft(3);
  style.SetShadow(&given);
  EXPECT_GT(repaints, 0);
  EXPECT_EQ(style.Shadow().Color(), 0xA4A0A0u);
  EXPECT_EQ(style.Shadow().OffsetLeft(), 3);
  EXPECT_NE(&style.Shadow(), &given);
  // The owned object still reports to the label after the copy.
  repaints = 0;
  style.Shadow().SetOffsetTop(7);
  EXPECT_GT(repaints, 0);
  EXPECT_EQ(given.OffsetTop(), 1);
}

TEST_F(ShadowLabelStyleTest, SetHighlightToNothingIsIgnored) {
  style.SetHighlight(nullptr);
  style.SetShadow(nullptr);
  EXPECT_EQ(repaints, 0);
  EXPECT_EQ(style.Highlight().Color(), 0xFFFFFFu);
  EXPECT_EQ(style.Shadow().Color(), 0xC0C0C0u);
}

TEST_F(ShadowLabelStyleTest, SetHighlightEqualValuesStillRepaints) {
  TShadow same;
  same.SetColor(0xFFFFFF);
  same.SetOffsetLeft(-1);
  same.SetOffsetTop(-1);
  style.SetHighlight(&same);
  EXPECT_GT(repaints, 0);
}

}  // namespace
}  // namespace tessora
