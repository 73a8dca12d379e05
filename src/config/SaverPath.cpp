// Saver paths compared as text, byte-wise but never inside a double-byte character.
#include "config/SaverPath.h"

#include <vector>

#include "core/ShiftJis.h"
#include "settings/CaseFold.h"

namespace tessora {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Byte length of the character at offset: a lead byte and its trail byte are one.
std::size_t CharacterAt(std::string_view text, std::size_t offset) {
  return IsShiftJisLeadByte(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size() ? 2 : 1;
}

// The texts between separators, empty ones included: "\\a\b" gives "", "", "a", "b".
std::vector<std::string_view> SplitAtSeparators(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharacterAt(path, i)) {
    if (!IsSeparator(path[i])) continue;
    parts.push_back(path.substr(start, i - start));
    start = i + 1;
  }
  parts.push_back(path.substr(start));
  return parts;
}

bool IsDrive(std::string_view part) {
  if (part.size() != 2 || part[1] != ':') return false;
  const char c = part[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

std::string_view BareFileName(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharacterAt(path, i)) {
    if (IsSeparator(path[i]) || path[i] == ':') start = i + 1;
  }
  return path.substr(start);
}

std::string CanonicalPathText(std::string_view path) {
  const std::vector<std::string_view> parts = SplitAtSeparators(path);
  std::string root;
  std::size_t first = 0;  // first part after the root
  bool rooted = false;
  if (parts.size() > 1 && IsDrive(parts[0])) {
    root.assign(parts[0]).append("\\");
    first = 1;
    rooted = true;
  } else if (parts.size() > 2 && parts[0].empty() && parts[1].empty() && !parts[2].empty()) {
    // \\server\share: both names belong to the root.
    root.assign("\\\\").append(parts[2]);
    first = 3;
    if (parts.size() > 3) {
      root.append("\\").append(parts[3]);
      first = 4;
    }
    rooted = true;
  } else if (parts.size() > 1 && parts[0].empty()) {
    root = "\\";
    first = 1;
    rooted = true;
  }

  std::vector<std::string_view> segments;
  for (std::size_t i = first; i < parts.size(); ++i) {
    const std::string_view part = parts[i];
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!segments.empty() && segments.back() != "..") {
        segments.pop_back();
      } else if (!rooted) {
        segments.push_back(part);  // a relative path keeps what it climbs above
      }
      continue;
    }
    segments.push_back(part);
  }

  std::string result = root;
  // The share root takes a separator only before a further segment.
  const bool rootEndsInSeparator = root.empty() || root.back() == '\\';
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (i > 0 || !rootEndsInSeparator) result += '\\';
    result.append(segments[i]);
  }
  return result;
}

bool SamePathText(std::string_view a, std::string_view b) {
  return EqualsIgnoringCase(CanonicalPathText(a), CanonicalPathText(b));
}

bool HasSaverExtension(std::string_view path) {
  // "." is below every trail byte, so these four bytes are four characters.
  constexpr std::string_view extension = ".scr";
  const std::string_view name = BareFileName(path);
  return name.size() >= extension.size() && EqualsIgnoringCase(name.substr(name.size() - extension.size()), extension);
}

}  // namespace tessora
