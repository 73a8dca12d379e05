#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A wide text next to its form in the ANSI code page. The label rules that count
// and split characters work on the ANSI bytes (lead bytes decide what a character
// is); drawing uses the wide text, so every character shows even where the code page
// has none for it. The map between the two carries a byte range over to the wide
// characters it stands for.
namespace tessora {

// The ANSI bytes of one character (one UTF-16 unit, or a surrogate pair).
using AnsiEncoder = std::function<std::string(std::wstring_view character)>;

struct WideSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  friend bool operator==(const WideSpan&, const WideSpan&) = default;
};

class AnsiForm {
 public:
  // Encodes character by character; a character the encoder gives no bytes for
  // becomes "?", so that it still has a place among the bytes.
  AnsiForm(std::wstring_view text, const AnsiEncoder& encode);

  const std::string& Bytes() const { return bytes_; }

  // The wide characters of the bytes [offset, offset + length). A boundary inside a
  // character's bytes (a code page with three-byte characters) moves to the end of
  // that character, so that neighbouring ranges never share one.
  WideSpan Wide(std::size_t offset, std::size_t length) const;

 private:
  std::string bytes_;
  // For each byte offset 0..size: the wide offset of the first character boundary at
  // or after it.
  std::vector<std::size_t> boundary_;
};

}  // namespace tessora
