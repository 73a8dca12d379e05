#pragma once
// The full-screen run's play list: the savers that can be started, each with its
// own seconds and its cumulative selection weight, and the choice of the next one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "engine/RandomSource.h"
#include "settings/SaverEntry.h"

namespace tessora {

// Selection weight of each frequency level, "低" to "高".
inline constexpr std::array<std::uint32_t, 5> kLevelWeights{6, 10, 14, 26, 43};
// A level outside 0 to 4 (never written by the dialog) weighs as the default.
std::uint32_t LevelWeight(std::int32_t level);

struct PlayListItem {
  std::string path;
  std::int32_t seconds = 0;  // 0: the default close interval applies
  std::uint64_t cumulativeWeight = 0;  // weights of this and every earlier item
};

class PlayList {
 public:
  void Clear();
  void Add(std::string path, std::int32_t seconds, std::int32_t level);
  void Add(const SaverEntry& entry) { Add(entry.path, entry.seconds, entry.level); }

  bool Empty() const { return items_.empty(); }
  std::size_t Count() const { return items_.size(); }
  const PlayListItem& operator[](std::size_t index) const { return items_[index]; }
  const std::vector<PlayListItem>& Items() const { return items_; }
  std::uint64_t TotalWeight() const { return items_.empty() ? 0 : items_.back().cumulativeWeight; }

  // The item to start after `last` (-1 before the first start). In list order
  // the items follow each other and wrap; in random order a draw by weight that
  // never gives `last` again. -1 when the list is empty.
  int SelectNextEntry(int last, bool randomOrder, RandomSource& random) const;

 private:
  int ItemAtWeight(std::uint64_t r) const;
  int DrawExcluding(int last, RandomSource& random) const;

  std::vector<PlayListItem> items_;
};

// The entries that can be started, in order: an entry whose file does not exist
// (an empty path included) is left out and adds nothing to the total weight.
PlayList BuildPlayList(std::span<const SaverEntry> entries, const std::function<bool(const std::string& path)>& fileExists);

}  // namespace tessora
