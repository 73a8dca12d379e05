#include "controls/KeepButtonLogic.h"

#include <algorithm>

namespace tessora {

unsigned KeyboardDelayMs(unsigned setting) { return (std::min(setting, 3u) + 1) * 250; }

unsigned KeyboardSpeedMs(unsigned setting) { return 1700 / (std::min(setting, 31u) + 3) - 17; }

void KeepButtonLogic::SetBody(TBody body) {
  if (body == body_) return;
  body_ = body;
  Repaint();
}

void KeepButtonLogic::SetFlat(bool flat) {
  if (flat == flat_) return;
  if (flat == raised_) raised_ = !flat;
  flat_ = flat;
  // The fill changes with Flat even when the border does not.
  Repaint();
}

void KeepButtonLogic::SetAutoRepeat(bool on) {
  if (on == autoRepeat_) return;
  autoRepeat_ = on;
  if (!on) return;
  TimerEnabled(false);
  currentInterval_ = delay_;
  TimerInterval(currentInterval_);
}

void KeepButtonLogic::SetDelay(unsigned ms, bool designing) {
  if (designing) systemRepeatTime_ = false;
  if (!systemRepeatTime_) delay_ = ms;
}

void KeepButtonLogic::SetSpeed(unsigned ms, bool designing) {
  if (designing) systemRepeatTime_ = false;
  if (!systemRepeatTime_) speed_ = ms;
}

void KeepButtonLogic::SetSystemRepeatTime(bool on, const KeyboardRepeatSettings& system) {
  systemRepeatTime_ = on;
  if (!on) return;
  if (system.delay) delay_ = KeyboardDelayMs(*system.delay);
  else systemRepeatTime_ = false;
  if (system.speed) speed_ = KeyboardSpeedMs(*system.speed);
  else systemRepeatTime_ = false;
}

void KeepButtonLogic::Press() {
  held_ = true;
  down_ = true;
  Repaint();
  repeatCount_ = 0;
  if (!autoRepeat_) return;
  if (currentInterval_ != delay_) {
    currentInterval_ = delay_;
    TimerInterval(currentInterval_);
  }
  TimerEnabled(true);
  Click();
}

void KeepButtonLogic::Release(bool pointerInside) {
  if (down_ && !autoRepeat_) Click();
  held_ = false;
  if (flat_ && !pointerInside) SetRaised(false);
  SetDown(false);
  if (autoRepeat_) TimerEnabled(false);
}

void KeepButtonLogic::CancelHold() {
  if (!held_) return;
  held_ = false;
  if (flat_) SetRaised(false);
  SetDown(false);
  if (autoRepeat_) TimerEnabled(false);
}

void KeepButtonLogic::Tick() {
  if (!autoRepeat_) return;
  if (down_) {
    ++repeatCount_;
    Click();
  }
  if (speed_ != currentInterval_) {
    currentInterval_ = speed_;
    TimerInterval(currentInterval_);
  }
}

void KeepButtonLogic::PointerEnter() {
  if (held_) SetDown(true);
  else if (flat_) SetRaised(true);
}

void KeepButtonLogic::PointerLeave() {
  if (held_) {
    if (!keepDownOnLeave_) SetDown(false);
  } else if (flat_) {
    SetRaised(false);
  }
}

void KeepButtonLogic::SetDown(bool down) {
  if (down == down_) return;
  down_ = down;
  Repaint();
}

void KeepButtonLogic::SetRaised(bool raised) {
  if (raised == raised_) return;
  raised_ = raised;
  Repaint();
}

void KeepButtonLogic::Click() const {
  if (OnClick) OnClick();
}
void KeepButtonLogic::Repaint() const {
  if (OnRepaint) OnRepaint();
}
void KeepButtonLogic::TimerInterval(unsigned ms) const {
  if (OnTimerInterval) OnTimerInterval(ms);
}
void KeepButtonLogic::TimerEnabled(bool enabled) const {
  if (OnTimerEnabled) OnTimerEnabled(enabled);
}

}  // namespace tessora
