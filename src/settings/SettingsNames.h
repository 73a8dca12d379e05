#pragma once
// Section and key names of the settings file.
#include <string_view>

namespace tessora {

namespace settings {
inline constexpr std::string_view OptionSection = "Option";
inline constexpr std::string_view RandomKey = "random";
inline constexpr std::string_view SpanKey = "span";
inline constexpr std::string_view BgColorKey = "bgcolor";
inline constexpr std::string_view SetListSection = "SetList";
inline constexpr std::string_view CountKey = "Count";
inline constexpr std::string_view CurrentKey = "Current";
inline constexpr std::string_view ItemKeyPrefix = "Item";    // followed by the set's number
inline constexpr std::string_view SetSectionPrefix = "Set";  // followed by the set's number
inline constexpr std::string_view LegacySaversSection = "Savers";

inline constexpr int DefaultRandom = 0;
inline constexpr int DefaultSpan = 60;
inline constexpr int DefaultCurrent = -1;
}  // namespace settings

}  // namespace tessora
