#pragma once
// Maps a name (letter case ignored, see CaseFold.h) to an item number, so that
// looking up a key among thousands of lines is not a scan. The names stay with
// the caller: keyOf(item) gives the name of an item, which keeps the table free
// of copies and valid however the caller's items move in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "settings/CaseFold.h"

namespace tessora {

class KeyIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  void Clear() {
    slots_.clear();
    count_ = 0;
  }

  template <class KeyOf>
  std::size_t Find(std::string_view key, KeyOf&& keyOf) const {
    if (slots_.empty()) return npos;
    const std::uint32_t hash = HashIgnoringCase(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.item == 0) return npos;
      if (slot.hash == hash && EqualsIgnoringCase(keyOf(slot.item - 1), key)) return slot.item - 1;
    }
  }

  // Points key at item, replacing what it pointed at before.
  template <class KeyOf>
  void Assign(std::string_view key, std::size_t item, KeyOf&& keyOf) {
    Slot& slot = SlotFor(key, keyOf);
    if (slot.item == 0) ++count_;
    slot.item = static_cast<std::uint32_t>(item + 1);
  }

  // Points key at item only when the key is not there yet; true when added.
  template <class KeyOf>
  bool AddIfAbsent(std::string_view key, std::size_t item, KeyOf&& keyOf) {
    Slot& slot = SlotFor(key, keyOf);
    if (slot.item != 0) return false;
    ++count_;
    slot.item = static_cast<std::uint32_t>(item + 1);
    return true;
  }

  void Reserve(std::size_t items) {
    if (items * 2 > slots_.size()) Rehash(items * 2);
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t item = 0;  // item number + 1; 0 is an empty slot
  };

  template <class KeyOf>
  Slot& SlotFor(std::string_view key, KeyOf& keyOf) {
    if ((count_ + 1) * 2 > slots_.size()) Rehash((count_ + 1) * 2);
    const std::uint32_t hash = HashIgnoringCase(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.item == 0) {
        slot.hash = hash;
        return slot;
      }
      if (slot.hash == hash && EqualsIgnoringCase(keyOf(slot.item - 1), key)) return slot;
    }
  }

  void Rehash(std::size_t atLeast) {
    std::size_t size = 16;
    while (size < atLeast) size *= 2;
    std::vector<Slot> old(size);
    old.swap(slots_);
    const std::size_t mask = size - 1;
    for (const Slot& slot : old) {
      if (slot.item == 0) continue;
      std::size_t i = slot.hash & mask;
      while (slots_[i].item != 0) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace tessora
