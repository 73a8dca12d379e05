#pragma once
// Fixed texts of the configuration dialog that its model hands out: the frequency
// words, the interval as hours, minutes and seconds, the questions it asks.
// The words come twice: as ANSI bytes (Shift-JIS), which the rows and the settings
// texts are made of, and wide, for windows that should not depend on the code page.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessora {

// Indexed by frequency level 0 to 4: 低, 低め, 標準, 高め, 高.
inline constexpr std::array<std::string_view, 5> FrequencyWords{"\x92\xE1", "\x92\xE1\x82\xDF", "\x95\x57\x8F\x80",
                                                                "\x8D\x82\x82\xDF", "\x8D\x82"};
inline constexpr std::array<std::wstring_view, 5> FrequencyWordsWide{L"低", L"低め", L"標準", L"高め", L"高"};

// The level whose word equals word exactly, the first from level 0; none for others.
std::optional<int> FrequencyLevelOfWord(std::string_view word);

// "(hh:mm:ss)", each at least two digits; hours do not wrap at 24.
std::string TimeLabelText(std::int32_t seconds);

inline constexpr std::wstring_view OverwriteSetQuestion = L"同名セットがあります。上書きしますか？";

}  // namespace tessora
