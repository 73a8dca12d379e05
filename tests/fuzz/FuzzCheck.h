#pragma once
// What the fuzz targets share: a check that stops the run with a message (libFuzzer
// then saves the input), and a reader that takes typed values off the input bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tessora::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
  std::abort();
}

// Text as a C string literal would write it, for the messages of failed checks.
inline std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (code >= 32 && code < 127) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", code);
      out += hex;
    }
  }
  return out + "\"";
}

// A form of a settings-file name that is equal for two names exactly when they match
// with letter case ignored: ASCII letters in upper case, except the second byte of a
// Shift-JIS double-byte character, which belongs to that character.
inline std::string CaseKey(std::string_view name) {
  std::string key;
  key.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead && i + 1 < name.size()) {
      key += name[i];
      key += name[++i];
    } else {
      key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : name[i];
    }
  }
  return key;
}

// Reads from the front of the input; once it is used up every read gives zero or
// empty, so a target never has to ask how much is left.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return text_.empty(); }

  std::uint8_t Byte() {
    if (text_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(text_.front());
    text_.remove_prefix(1);
    return byte;
  }

  template <class Unsigned>
  Unsigned Bits() {
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) value = static_cast<Unsigned>(value << 8 | Byte());
    return value;
  }

  bool Flag() { return (Byte() & 1) != 0; }

  // The text up to the next separator byte (not included), or the rest.
  std::string_view Field(char separator) {
    const std::size_t end = text_.find(separator);
    const std::string_view field = text_.substr(0, end);
    text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
    return field;
  }

  std::string_view Rest() {
    const std::string_view rest = text_;
    text_ = {};
    return rest;
  }

 private:
  std::string_view text_;
};

}  // namespace tessora::fuzz

#define FUZZ_CHECK(condition, message)                                               \
  do {                                                                               \
    if (!(condition)) ::tessora::fuzz::Fail(__FILE__, __LINE__, std::string(message).c_str()); \
  } while (0)
