#pragma once
// Colour values as the program stores them: 0x00BBGGRR for a plain colour, or
// 0x80000000 plus a system colour index (decoded with the system's colour table).
#include <cstdint>
#include <functional>

namespace tessora {

using ColorRef = std::uint32_t;

inline constexpr ColorRef kSystemColorFlag = 0x80000000u;

constexpr bool IsSystemColor(ColorRef color) { return (color & kSystemColorFlag) != 0; }
constexpr int SystemColorIndex(ColorRef color) { return static_cast<int>(color & 0xFF); }

// Looks up a system colour index (GetSysColor on Windows).
using SystemColorLookup = std::function<ColorRef(int index)>;

// A system-colour code becomes the plain colour the lookup gives for its index
// (black without a lookup); a plain colour is returned as it is.
inline ColorRef ResolveColor(ColorRef color, const SystemColorLookup& systemColor) {
  if (!IsSystemColor(color)) return color;
  return systemColor ? systemColor(SystemColorIndex(color)) : 0;
}

}  // namespace tessora
