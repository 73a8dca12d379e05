#include "controls/AnsiForm.h"

#include <algorithm>

namespace tessora {

namespace {

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

AnsiForm::AnsiForm(std::wstring_view text, const AnsiEncoder& encode) {
  std::size_t wide = 0;
  while (wide < text.size()) {
    std::size_t units = 1;
    if (IsHighSurrogate(text[wide]) && wide + 1 < text.size() && IsLowSurrogate(text[wide + 1])) units = 2;
    std::string bytes = encode ? encode(text.substr(wide, units)) : std::string();
    if (bytes.empty()) bytes = "?";
    // The first byte of a character is a boundary at the character; the others lie
    // inside it and round up to its end.
    boundary_.push_back(wide);
    boundary_.insert(boundary_.end(), bytes.size() - 1, wide + units);
    bytes_ += bytes;
    wide += units;
  }
  boundary_.push_back(wide);
}

WideSpan AnsiForm::Wide(std::size_t offset, std::size_t length) const {
  const std::size_t last = boundary_.size() - 1;
  const std::size_t begin = boundary_[std::min(offset, last)];
  const std::size_t end = boundary_[std::min(offset + std::min(length, bytes_.size()), last)];
  return {begin, end > begin ? end - begin : 0};
}

}  // namespace tessora
