#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "controls/URLLabelState.h"

namespace tessora {
namespace {

// Parameterised cases print as their names.
template <typename Case>
  requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// The dialog's link label: navy text, blue under the pointer, purple pressed.
constexpr ColorRef kOwn = 0x800000;
constexpr ColorRef kHot = 0xFF0000;
constexpr ColorRef kPushed = 0x800080;

enum class Event { Enter, Leave, Down, UpInside, UpOutside };

// A label's font colour driven by the state's reactions.
struct LabelModel {
  URLLabelState state;
  ColorRef font = kOwn;
  int repaints = 0;
  int opened = 0;

  LabelModel() {
    state.SetHotColor(kHot);
    state.SetPushedColor(kPushed);
  }
  void Apply(const URLLabelReaction& reaction) {
    if (reaction.fontColor) font = *reaction.fontColor;
    if (reaction.repaint) ++repaints;
    if (reaction.openLink) ++opened;
  }
  void Send(Event event) {
    switch (event) {
      case Event::Enter: Apply(state.MouseEnter(font)); break;
      case Event::Leave: Apply(state.MouseLeave()); break;
      case Event::Down: Apply(state.MouseDown(font)); break;
      case Event::UpInside: Apply(state.MouseUp(true, font)); break;
      case Event::UpOutside: Apply(state.MouseUp(false, font)); break;
    }
  }
};

TEST(URLLabelState, Defaults) {
  URLLabelState state;
  EXPECT_FALSE(state.Executable());
  EXPECT_TRUE(state.HotTrack());
  EXPECT_EQ(state.HotColor(), 0xFFFF00u);
  EXPECT_EQ(state.PushedColor(), 0x0000FFu);
  EXPECT_EQ(state.ColorState(), URLLabelColorState::Normal);
  EXPECT_EQ(URLLabelState::kHandPointCursor, 32761);
}

struct Step {
  Event event;
  ColorRef font;
  URLLabelColorState state;
};

struct SequenceCase {
  const char* name;
  bool hotTrack;
  std::vector<Step> steps;
};

class URLLabelColourTable : public testing::TestWithParam<SequenceCase> {};

TEST_P(URLLabelColourTable, FontColourAfterEachEvent) {
  const SequenceCase& c = GetParam();
  LabelModel label;
  label.Apply(label.state.SetHotTrack(c.hotTrack));
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    label.Send(c.steps[i].event);
    EXPECT_EQ(label.font, c.steps[i].font) << "after step " << i;
    EXPECT_EQ(label.state.ColorState(), c.steps[i].state) << "after step " << i;
  }
}

using S = URLLabelColorState;
constexpr auto kN = S::Normal;
constexpr auto kH = S::Hover;
constexpr auto kP = S::Pushed;

INSTANTIATE_TEST_SUITE_P(
    Sequences, URLLabelColourTable,
    testing::Values(
        SequenceCase{"ClickInside", true,
                     {{Event::Enter, kHot, kH}, {Event::Down, kPushed, kP}, {Event::UpInside, kHot, kH},
                      {Event::Leave, kOwn, kN}}},
        SequenceCase{"DragOffLeaveThenRelease", true,
                     {{Event::Enter, kHot, kH}, {Event::Down, kPushed, kP}, {Event::Leave, kOwn, kN},
                      {Event::UpOutside, kOwn, kN}}},
        SequenceCase{"DragOffReleaseThenLeave", true,
                     {{Event::Enter, kHot, kH}, {Event::Down, kPushed, kP}, {Event::UpOutside, kOwn, kN},
                      {Event::Leave, kOwn, kN}}},
        SequenceCase{"DragOffAndBack", true,
                     {{Event::Enter, kHot, kH}, {Event::Down, kPushed, kP}, {Event::Leave, kOwn, kN},
                      {Event::Enter, kHot, kH}, {Event::UpInside, kHot, kH}, {Event::Leave, kOwn, kN}}},
        SequenceCase{"TwoClicks", true,
                     {{Event::Enter, kHot, kH}, {Event::Down, kPushed, kP}, {Event::UpInside, kHot, kH},
                      {Event::Down, kPushed, kP}, {Event::UpInside, kHot, kH}, {Event::Leave, kOwn, kN}}},
        // a repeated entry must not take the hover colour for the label's own
        SequenceCase{"RepeatedEnter", true,
                     {{Event::Enter, kHot, kH}, {Event::Enter, kHot, kH}, {Event::Leave, kOwn, kN}}},
        // the entry went unseen (tracking switched on over the label)
        SequenceCase{"PressWithoutEnter", true,
                     {{Event::Down, kPushed, kP}, {Event::UpInside, kHot, kH}, {Event::Leave, kOwn, kN}}},
        SequenceCase{"LeaveWithoutEnter", true, {{Event::Leave, kOwn, kN}}},
        SequenceCase{"NoHotTrack", false,
                     {{Event::Enter, kOwn, kN}, {Event::Down, kOwn, kN}, {Event::UpInside, kOwn, kN},
                      {Event::UpOutside, kOwn, kN}, {Event::Leave, kOwn, kN}}}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return std::string(info.param.name); });

TEST(URLLabelState, EveryPressOpensAnExecutableLink) {
  struct Case {
    bool executable;
    bool hotTrack;
    int opened;
  };
  const Case cases[] = {{true, true, 2}, {true, false, 2}, {false, true, 0}, {false, false, 0}};
  for (const Case& c : cases) {
    LabelModel label;
    label.state.SetExecutable(c.executable);
    label.Apply(label.state.SetHotTrack(c.hotTrack));
    // A right-button press is the same event as a left one: MouseDown knows no button.
    for (Event e : {Event::Enter, Event::Down, Event::UpInside, Event::Down, Event::UpOutside, Event::Leave})
      label.Send(e);
    EXPECT_EQ(label.opened, c.opened) << "executable " << c.executable << " hotTrack " << c.hotTrack;
  }
}

TEST(URLLabelState, PressRepaintsAndOpensTogether) {
  URLLabelState state;
  state.SetExecutable(true);
  state.MouseEnter(kOwn);
  const URLLabelReaction reaction = state.MouseDown(0xFFFF00);
  EXPECT_EQ(reaction.fontColor, std::optional<ColorRef>(0x0000FF));
  EXPECT_TRUE(reaction.repaint);
  EXPECT_TRUE(reaction.openLink);
}

// A colour the program sets while the pointer is over the label is lost when it leaves.
TEST(URLLabelState, OwnColourIsTakenOnEntry) {
  LabelModel label;
  label.Send(Event::Enter);
  EXPECT_EQ(label.state.SavedColor(), kOwn);
  label.font = 0x00FF00;
  label.Send(Event::Leave);
  EXPECT_EQ(label.font, kOwn);
  label.font = 0x00FF00;
  label.Send(Event::Enter);
  label.Send(Event::Leave);
  EXPECT_EQ(label.font, 0x00FF00u);
}

TEST(URLLabelState, ColourSettersRepaintOnlyOnChange) {
  struct Case {
    const char* name;
    URLLabelReaction (URLLabelState::*setter)(ColorRef);
    ColorRef (URLLabelState::*getter)() const;
    ColorRef initial;
  };
  const Case cases[] = {{"HotColor", &URLLabelState::SetHotColor, &URLLabelState::HotColor, 0xFFFF00},
                        {"PushedColor", &URLLabelState::SetPushedColor, &URLLabelState::PushedColor, 0x0000FF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    URLLabelState state;
    EXPECT_EQ((state.*c.setter)(c.initial), URLLabelReaction{});
    const URLLabelReaction changed = (state.*c.setter)(0x123456);
    EXPECT_TRUE(changed.repaint);
    EXPECT_FALSE(changed.fontColor.has_value());
    EXPECT_EQ((state.*c.getter)(), 0x123456u);
  }
}

TEST(URLLabelState, HotTrackSetter) {
  struct Case {
    const char* name;
    std::vector<Event> before;
    bool value;
    URLLabelReaction expected;
    URLLabelColorState after;
  };
  const Case cases[] = {
      {"SameValue", {}, true, {}, URLLabelColorState::Normal},
      {"OffWhileNormal", {}, false, {std::nullopt, true, false}, URLLabelColorState::Normal},
      // the hover and pressed colours must not outlive tracking
      {"OffWhileHover", {Event::Enter}, false, {kOwn, true, false}, URLLabelColorState::Normal},
      {"OffWhilePushed", {Event::Enter, Event::Down}, false, {kOwn, true, false}, URLLabelColorState::Normal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LabelModel label;
    for (Event e : c.before) label.Send(e);
    EXPECT_EQ(label.state.SetHotTrack(c.value), c.expected);
    EXPECT_EQ(label.state.ColorState(), c.after);
    EXPECT_EQ(label.state.HotTrack(), c.value);
  }
}

}  // namespace
}  // namespace tessora
