// Frequency words and the interval's time label.
#include "config/ConfigTexts.h"

#include <cstdio>

namespace tessora {

std::optional<int> FrequencyLevelOfWord(std::string_view word) {
  for (std::size_t level = 0; level < FrequencyWords.size(); ++level) {
    if (FrequencyWords[level] == word) return static_cast<int>(level);
  }
  return std::nullopt;
}

std::string TimeLabelText(std::int32_t seconds) {
  // A negative span (only a hand-edited file holds one) divides toward zero and
  // shows minus signs, e.g. "(00:00:-05)".
  std::int32_t minutes = seconds / 60;
  const std::int32_t hours = minutes / 60;
  minutes %= 60;
  char text[40];
  std::snprintf(text, sizeof text, "(%.2d:%.2d:%.2d)", static_cast<int>(hours), static_cast<int>(minutes),
                static_cast<int>(seconds % 60));
  return text;
}

}  // namespace tessora
