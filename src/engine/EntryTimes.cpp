#include "engine/EntryTimes.h"

#include <algorithm>

namespace tessora {

std::uint32_t CloseIntervalOf(std::int32_t seconds) {
  if (seconds <= 0) return 0;
  const std::int64_t milliseconds = std::int64_t{seconds} * 1000 - kRestartDelay;
  return static_cast<std::uint32_t>(std::min<std::int64_t>(milliseconds, kMaxTimerInterval));
}

EntryTimes::EntryTimes(std::int32_t span) : defaultCloseInterval_(CloseIntervalOf(span)), closeInterval_(defaultCloseInterval_) {}

const std::string& EntryTimes::ApplyEntryTime(const PlayListItem& item) {
  closeInterval_ = item.seconds > 0 ? CloseIntervalOf(item.seconds) : defaultCloseInterval_;
  return item.path;
}

}  // namespace tessora
