#pragma once
#include <optional>

#include "controls/LabelColor.h"

namespace tessora {

// What the URL label does after an event: set its font colour (when given),
// repaint, and open its caption with the shell.
struct URLLabelReaction {
  std::optional<ColorRef> fontColor;
  bool repaint = false;
  bool openLink = false;
  friend bool operator==(const URLLabelReaction&, const URLLabelReaction&) = default;
};

// Which colour the URL label shows while it tracks the pointer.
enum class URLLabelColorState { Normal, Hover, Pushed };

// The URL label's colour and link logic. The label passes in its current font
// colour and whether the pointer is inside, and applies the reaction.
class URLLabelState {
 public:
  static constexpr int kHandPointCursor = 32761;  // cursor number the hand pointer is registered under
  static constexpr ColorRef kDefaultHotColor = 0xFFFF00;
  static constexpr ColorRef kDefaultPushedColor = 0x0000FF;

  bool Executable() const { return executable_; }
  void SetExecutable(bool value) { executable_ = value; }

  bool HotTrack() const { return hotTrack_; }
  // Turning tracking off while a tracking colour shows puts the label's own
  // colour back, so it cannot stay in the hover or pressed colour.
  URLLabelReaction SetHotTrack(bool value);

  ColorRef HotColor() const { return hotColor_; }
  URLLabelReaction SetHotColor(ColorRef value);

  ColorRef PushedColor() const { return pushedColor_; }
  URLLabelReaction SetPushedColor(ColorRef value);

  URLLabelColorState ColorState() const { return state_; }
  // The label's own colour, kept while a tracking colour shows.
  ColorRef SavedColor() const { return savedColor_; }

  URLLabelReaction MouseEnter(ColorRef fontColor);
  URLLabelReaction MouseLeave();
  // Any button.
  URLLabelReaction MouseDown(ColorRef fontColor);
  // pointerInside: the pointer is within the client rectangle at the release.
  URLLabelReaction MouseUp(bool pointerInside, ColorRef fontColor);

 private:
  URLLabelReaction Show(URLLabelColorState state, ColorRef color, ColorRef fontColor);
  URLLabelReaction Restore();

  bool executable_ = false;
  bool hotTrack_ = true;
  ColorRef savedColor_ = 0;
  ColorRef hotColor_ = kDefaultHotColor;
  ColorRef pushedColor_ = kDefaultPushedColor;
  URLLabelColorState state_ = URLLabelColorState::Normal;
};

}  // namespace tessora
