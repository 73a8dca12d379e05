#pragma once
// A one-line list of fields: separated by commas (or blanks), a field with
// blanks, commas or double quotes enclosed in double quotes with inner quotes
// doubled. Bytes are never converted, so Shift-JIS text passes through as is.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessora {

// A quoted field without its closing quote takes the rest of the text. A NUL
// byte ends the text, as it would for any consumer of the text as a C string.
std::vector<std::string> SplitCommaText(std::string_view text);

std::string JoinCommaText(std::span<const std::string_view> fields);
std::string JoinCommaText(std::span<const std::string> fields);
std::string JoinCommaText(std::initializer_list<std::string_view> fields);

}  // namespace tessora
