#include "settings/SettingsFilePath.h"

namespace tessora {

namespace {
template <class Char>
std::basic_string<Char> ReplaceExtension(std::basic_string_view<Char> path) {
  static constexpr Char ini[] = {Char('i'), Char('n'), Char('i'), Char(0)};
  const std::size_t dot = path.rfind(Char('.'));
  std::basic_string<Char> result(dot == std::basic_string_view<Char>::npos ? std::basic_string_view<Char>()
                                                                            : path.substr(0, dot + 1));
  result += ini;
  return result;
}
}  // namespace

std::string SettingsFilePath(std::string_view programPath) { return ReplaceExtension(programPath); }
std::wstring SettingsFilePath(std::wstring_view programPath) { return ReplaceExtension(programPath); }

}  // namespace tessora
