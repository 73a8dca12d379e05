#include "DemoCommandLine.h"

#include <cwctype>
#include <limits>

namespace {
std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

int DigitValue(wchar_t c, int base) {
  int value = -1;
  if (c >= L'0' && c <= L'9') value = c - L'0';
  else if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
  return value < base ? value : -1;
}
}  // namespace

std::optional<std::uint64_t> ParseDemoNumber(const std::wstring& text) {
  std::size_t pos = 0;
  int base = 10;
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    pos = 2;
    base = 16;
  }
  if (pos >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], base);
    if (digit < 0) return std::nullopt;
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / base) return std::nullopt;
    value = value * base + digit;
  }
  return value;
}

DemoOptions ParseDemoCommandLine(const std::vector<std::wstring>& args) {
  DemoOptions options;
  bool modeSeen = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) continue;
    std::wstring name = Lower(arg.substr(1));
    std::wstring value;
    bool hasValue = false;
    if (const auto colon = name.find(L':'); colon != std::wstring::npos) {
      value = arg.substr(1 + colon + 1);
      name.resize(colon);
      hasValue = true;
    }
    // "/p 1234": the value may also be the next argument.
    auto takeNext = [&]() {
      if (!hasValue && i + 1 < args.size() && ParseDemoNumber(args[i + 1])) {
        value = args[++i];
        hasValue = true;
      }
    };
    auto setMode = [&](DemoMode mode) {
      if (modeSeen) return false;
      modeSeen = true;
      options.mode = mode;
      return true;
    };
    if (name == L"s") {
      setMode(DemoMode::Screen);
    } else if (name == L"p" || name == L"c" || name == L"a") {
      takeNext();
      const DemoMode mode = name == L"c" ? DemoMode::Config : name == L"a" ? DemoMode::Password : DemoMode::Preview;
      if (setMode(mode) && hasValue) {
        const auto handle = ParseDemoNumber(value);
        if (handle && *handle <= std::numeric_limits<std::uintptr_t>::max())
          options.window = static_cast<std::uintptr_t>(*handle);
      }
    } else if (name == L"child") {
      options.launchedChild = true;
    } else if (name == L"end") {
      takeNext();
      if (const auto seconds = hasValue ? ParseDemoNumber(value) : std::nullopt;
          seconds && *seconds <= std::numeric_limits<unsigned>::max() / 1000)
        options.endSeconds = static_cast<unsigned>(*seconds);
    }
  }
  return options;
}
