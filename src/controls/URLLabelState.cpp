#include "controls/URLLabelState.h"

namespace tessora {

URLLabelReaction URLLabelState::SetHotTrack(bool value) {
  if (hotTrack_ == value) return {};
  hotTrack_ = value;
  if (!value && state_ != URLLabelColorState::Normal) return Restore();
  return {std::nullopt, true, false};
}

URLLabelReaction URLLabelState::SetHotColor(ColorRef value) {
  if (hotColor_ == value) return {};
  hotColor_ = value;
  return {std::nullopt, true, false};
}

URLLabelReaction URLLabelState::SetPushedColor(ColorRef value) {
  if (pushedColor_ == value) return {};
  pushedColor_ = value;
  return {std::nullopt, true, false};
}

URLLabelReaction URLLabelState::MouseEnter(ColorRef fontColor) {
  if (!hotTrack_) return {};
  return Show(URLLabelColorState::Hover, hotColor_, fontColor);
}

URLLabelReaction URLLabelState::MouseLeave() {
  if (!hotTrack_) return {};
  return Restore();
}

URLLabelReaction URLLabelState::MouseDown(ColorRef fontColor) {
  URLLabelReaction reaction;
  if (hotTrack_) reaction = Show(URLLabelColorState::Pushed, pushedColor_, fontColor);
  reaction.openLink = executable_;
  return reaction;
}

URLLabelReaction URLLabelState::MouseUp(bool pointerInside, ColorRef fontColor) {
  if (!hotTrack_) return {};
  if (pointerInside) return Show(URLLabelColorState::Hover, hotColor_, fontColor);
  return Restore();
}

// The label's own colour is saved whenever a tracking colour replaces it, not
// only on entry: the entry may have passed unseen (tracking switched on while
// the pointer was over the label), and a repeated entry must not save the
// hover colour as the label's own.
URLLabelReaction URLLabelState::Show(URLLabelColorState state, ColorRef color, ColorRef fontColor) {
  if (state_ == URLLabelColorState::Normal) savedColor_ = fontColor;
  state_ = state;
  return {color, true, false};
}

// With nothing saved the font already shows the label's own colour.
URLLabelReaction URLLabelState::Restore() {
  if (state_ == URLLabelColorState::Normal) return {};
  state_ = URLLabelColorState::Normal;
  return {savedColor_, true, false};
}

}  // namespace tessora
