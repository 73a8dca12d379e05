#pragma once
// The behaviour of an auto-repeat button part without its window: pressed look,
// repeats while held, clicks. The Win32 part feeds it mouse and timer events and
// carries out what the callbacks ask.
#include <functional>
#include <optional>

#include "controls/PartTypes.h"

namespace tessora {

// Keyboard delay setting (0 to 3) in milliseconds: (d + 1) * 250. Settings beyond
// the documented range count as its nearest end.
unsigned KeyboardDelayMs(unsigned setting);
// Keyboard speed setting (0 to 31) in milliseconds between repeats:
// 1700 div (s + 3) - 17. Beyond 31 it counts as 31, which keeps the result positive.
unsigned KeyboardSpeedMs(unsigned setting);

// The system's keyboard settings as read; nullopt where the query failed.
struct KeyboardRepeatSettings {
  std::optional<unsigned> delay;
  std::optional<unsigned> speed;
};

class KeepButtonLogic {
 public:
  // Callbacks must not destroy this object.
  std::function<void()> OnClick;
  std::function<void()> OnRepaint;
  std::function<void(unsigned)> OnTimerInterval;  // set the repeat timer's interval
  std::function<void(bool)> OnTimerEnabled;       // enable or disable the repeat timer

  TBody Body() const { return body_; }
  void SetBody(TBody body);
  bool Flat() const { return flat_; }
  // Switching to flat hides the border until the pointer next enters.
  void SetFlat(bool flat);
  bool Held() const { return held_; }
  bool Down() const { return down_; }
  bool Raised() const { return raised_; }
  bool KeepDownOnLeave() const { return keepDownOnLeave_; }
  void SetKeepDownOnLeave(bool keep) { keepDownOnLeave_ = keep; }
  bool AutoRepeat() const { return autoRepeat_; }
  // The caller creates its repeat timer before switching on and releases it after
  // switching off.
  void SetAutoRepeat(bool on);

  unsigned Delay() const { return delay_; }
  unsigned Speed() const { return speed_; }
  unsigned CurrentInterval() const { return currentInterval_; }
  // Ignored while SystemRepeatTime is on; in a form designer, setting either turns it off.
  void SetDelay(unsigned ms, bool designing = false);
  void SetSpeed(unsigned ms, bool designing = false);
  bool SystemRepeatTime() const { return systemRepeatTime_; }
  // Switching on takes the times from system; a failed query switches it off again
  // and leaves that time as it was. The running timer is not touched.
  void SetSystemRepeatTime(bool on, const KeyboardRepeatSettings& system);
  int RepeatCount() const { return repeatCount_; }

  // The left button went down on the part.
  void Press();
  // Any button went up; pointerInside tells where the pointer is now (flat parts use it).
  void Release(bool pointerInside);
  // The hold ended without a button-up (the mouse was taken away): no click, no repeat,
  // and no later pointer entry presses the part again.
  void CancelHold();
  void Tick();
  void PointerEnter();
  void PointerLeave();

 private:
  void SetDown(bool down);
  void SetRaised(bool raised);
  void Click() const;
  void Repaint() const;
  void TimerInterval(unsigned ms) const;
  void TimerEnabled(bool enabled) const;

  TBody body_ = TBody::bdMedium;
  bool flat_ = false;
  bool held_ = false;
  bool down_ = false;
  bool raised_ = true;
  bool keepDownOnLeave_ = false;
  bool autoRepeat_ = false;
  unsigned delay_ = 0;
  unsigned speed_ = 0;
  unsigned currentInterval_ = 0;
  bool systemRepeatTime_ = false;
  int repeatCount_ = 0;
};

}  // namespace tessora
