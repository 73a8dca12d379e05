#pragma once
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "core/ShiftJis.h"

// Characters of a text in a multibyte ANSI code page. The lead-byte test is
// passed in (IsDBCSLeadByte on Windows) so that the rules hold for any code page.
namespace tessora {

// True when a byte starts a double-byte character. An empty test means a
// single-byte code page.
using LeadByteTest = std::function<bool(unsigned char)>;

// A character: a byte range of the text.
struct TextSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// Byte length (1 or 2) of the character that starts at offset; 0 at or past the
// end. A lead byte that ends the text is a one-byte character.
std::size_t CharacterLength(std::string_view text, std::size_t offset, const LeadByteTest& isLeadByte);

std::size_t CountCharacters(std::string_view text, const LeadByteTest& isLeadByte);

std::vector<TextSpan> SplitCharacters(std::string_view text, const LeadByteTest& isLeadByte);

}  // namespace tessora
