#pragma once
// How long each saver of a full-screen run shows before the engine closes it.
// A saver runs its seconds × 1000 ms in all: the close interval, then the
// restart delay before the next one starts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/PlayList.h"

namespace tessora {

inline constexpr std::uint32_t kRestartDelay = 100;
inline constexpr std::uint32_t kMaxTimerInterval = 0x7FFFFFFF;  // USER_TIMER_MAXIMUM

// seconds × 1000 − the restart delay; 0 (never closed by the engine) for 0 and
// for negative seconds, which no timer could honour; at most kMaxTimerInterval.
std::uint32_t CloseIntervalOf(std::int32_t seconds);

class EntryTimes {
 public:
  // span: the seconds of entries without seconds of their own; 0 keeps such an
  // entry running until it ends by itself.
  explicit EntryTimes(std::int32_t span);

  std::uint32_t RestartDelay() const { return kRestartDelay; }
  std::uint32_t DefaultCloseInterval() const { return defaultCloseInterval_; }
  // Of the entry started last; the default one before the first start.
  std::uint32_t CloseInterval() const { return closeInterval_; }

  // Takes the item's close interval (its own seconds, else the default) and
  // gives the path to start.
  const std::string& ApplyEntryTime(const PlayListItem& item);

  // Whether the saver just started is to be closed after CloseInterval(). A
  // single entry has nothing to switch to and runs until it ends by itself.
  bool ClosesCurrentEntry(std::size_t itemCount) const { return closeInterval_ != 0 && itemCount > 1; }

 private:
  std::uint32_t defaultCloseInterval_;
  std::uint32_t closeInterval_;
};

}  // namespace tessora
