#include "settings/CommaText.h"

namespace tessora {

namespace {
bool IsBlank(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

bool NeedsQuotes(std::string_view field) {
  for (char c : field) {
    if (IsBlank(c) || c == '"' || c == ',') return true;
  }
  return false;
}

void AppendField(std::string& out, std::string_view field) {
  if (!NeedsQuotes(field)) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

template <class Fields>
std::string Join(const Fields& fields) {
  if (fields.size() == 1 && std::string_view(*fields.begin()).empty()) return "\"\"";
  std::string out;
  bool first = true;
  for (const auto& field : fields) {
    if (!first) out += ',';
    first = false;
    AppendField(out, field);
  }
  return out;
}
}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
  // Without this cut a NUL would be an empty field that never advances.
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);

  std::vector<std::string> fields;
  const std::size_t n = text.size();
  std::size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < n && IsBlank(text[i])) ++i;
  };

  skipBlanks();
  while (i < n) {
    std::string field;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        const std::size_t start = i;
        while (i < n && text[i] != '"') ++i;
        field.append(text, start, i - start);
      }
    } else {
      const std::size_t start = i;
      while (i < n && static_cast<unsigned char>(text[i]) > 32 && text[i] != ',') ++i;
      field.assign(text, start, i - start);
    }
    fields.push_back(std::move(field));
    skipBlanks();
    if (i < n && text[i] == ',') {
      if (i == n - 1) fields.emplace_back();
      ++i;
      skipBlanks();
    }
  }
  return fields;
}

std::string JoinCommaText(std::span<const std::string_view> fields) { return Join(fields); }
std::string JoinCommaText(std::span<const std::string> fields) { return Join(fields); }
std::string JoinCommaText(std::initializer_list<std::string_view> fields) { return Join(fields); }

}  // namespace tessora
