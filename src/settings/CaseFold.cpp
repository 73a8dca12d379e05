#include "settings/CaseFold.h"

namespace tessora {

namespace {
constexpr unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}
}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const std::size_t n = a.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (ca == cb) {
      // Equal lead bytes: the trail bytes must match exactly.
      if (IsShiftJisLeadByte(ca) && i + 1 < n) {
        ++i;
        if (a[i] != b[i]) return false;
      }
      continue;
    }
    if (FoldAscii(ca) != FoldAscii(cb)) return false;
  }
  return true;
}

std::uint32_t HashIgnoringCase(std::string_view text) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (IsShiftJisLeadByte(c) && i + 1 < n) {
      hash = (hash ^ c) * 16777619u;
      c = static_cast<unsigned char>(text[++i]);
    } else {
      c = FoldAscii(c);
    }
    hash = (hash ^ c) * 16777619u;
  }
  return hash;
}

}  // namespace tessora
