#include "controls/LeadByteText.h"

namespace tessora {

std::size_t CharacterLength(std::string_view text, std::size_t offset, const LeadByteTest& isLeadByte) {
  if (offset >= text.size()) return 0;
  const bool lead = isLeadByte && isLeadByte(static_cast<unsigned char>(text[offset]));
  return lead && offset + 1 < text.size() ? 2 : 1;
}

std::size_t CountCharacters(std::string_view text, const LeadByteTest& isLeadByte) {
  std::size_t count = 0;
  for (std::size_t offset = 0; offset < text.size(); offset += CharacterLength(text, offset, isLeadByte)) ++count;
  return count;
}

std::vector<TextSpan> SplitCharacters(std::string_view text, const LeadByteTest& isLeadByte) {
  std::vector<TextSpan> spans;
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t length = CharacterLength(text, offset, isLeadByte);
    spans.push_back({offset, length});
    offset += length;
  }
  return spans;
}

}  // namespace tessora
