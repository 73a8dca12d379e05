#include "engine/PlayList.h"

#include <algorithm>
#include <utility>

namespace tessora {

namespace {
// Redrawing until the draw differs from the last item ends almost at once for
// any real generator; past this many redraws the source is taken to be broken
// and the draw is made among the other items directly.
constexpr int kMaxRedraws = 1000;
}  // namespace

std::uint32_t LevelWeight(std::int32_t level) {
  if (level < 0 || level >= static_cast<std::int32_t>(kLevelWeights.size())) level = DefaultFrequencyLevel;
  return kLevelWeights[static_cast<std::size_t>(level)];
}

void PlayList::Clear() { items_.clear(); }

void PlayList::Add(std::string path, std::int32_t seconds, std::int32_t level) {
  items_.push_back({std::move(path), seconds, TotalWeight() + LevelWeight(level)});
}

int PlayList::ItemAtWeight(std::uint64_t r) const {
  const auto it = std::upper_bound(items_.begin(), items_.end(), r,
                                   [](std::uint64_t value, const PlayListItem& item) { return value < item.cumulativeWeight; });
  // A source that breaks its bound still lands on an item.
  return it == items_.end() ? static_cast<int>(items_.size()) - 1 : static_cast<int>(it - items_.begin());
}

int PlayList::DrawExcluding(int last, RandomSource& random) const {
  const auto& excluded = items_[static_cast<std::size_t>(last)];
  const std::uint64_t excludedEnd = excluded.cumulativeWeight;
  const std::uint64_t excludedWeight = excludedEnd - (last == 0 ? 0 : items_[static_cast<std::size_t>(last) - 1].cumulativeWeight);
  std::uint64_t r = random.Below(TotalWeight() - excludedWeight);
  if (r >= excludedEnd - excludedWeight) r += excludedWeight;  // step over the excluded item's share
  return ItemAtWeight(r);
}

int PlayList::SelectNextEntry(int last, bool randomOrder, RandomSource& random) const {
  const int count = static_cast<int>(items_.size());
  if (count == 0) return -1;
  if (!randomOrder) {
    const int next = last + 1;
    return next > 0 && next < count ? next : 0;
  }
  if (count == 1) return 0;
  for (int attempt = 0; attempt < kMaxRedraws; ++attempt) {
    const int index = ItemAtWeight(random.Below(TotalWeight()));
    if (index != last) return index;
  }
  return DrawExcluding(last, random);
}

PlayList BuildPlayList(std::span<const SaverEntry> entries, const std::function<bool(const std::string& path)>& fileExists) {
  PlayList list;
  for (const SaverEntry& entry : entries) {
    if (!entry.path.empty() && fileExists(entry.path)) list.Add(entry);
  }
  return list;
}

}  // namespace tessora
