#include "settings/SettingsFilePath.h"

#include <gtest/gtest.h>

using namespace tessora;

namespace {
TEST(SettingsFilePath, ReplacesWhatFollowsTheLastDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Windows\\Tessora.scr", "C:\\Windows\\Tessora.ini"},
      {"C:\\Program Files\\Tessora.SCR", "C:\\Program Files\\Tessora.ini"},
      {"C:\\a.b\\Tessora.x.scr", "C:\\a.b\\Tessora.x.ini"},
      {"C:\\saver.d\\Tessora", "C:\\saver.ini"},  // the last "." of the whole path
      {"Tessora.", "Tessora.ini"},
      {"Tessora", "ini"},
      {"", "ini"},
      {"C:\\\x83\x65\x83\x58\x83\x67\\\x95\x5C.scr", "C:\\\x83\x65\x83\x58\x83\x67\\\x95\x5C.ini"},
  };
  for (const auto& [program, settings] : cases) {
    EXPECT_EQ(SettingsFilePath(std::string_view(program)), settings) << program;
    const std::wstring wide(program, program + std::char_traits<char>::length(program));
    const std::wstring wideSettings(settings, settings + std::char_traits<char>::length(settings));
    EXPECT_EQ(SettingsFilePath(std::wstring_view(wide)), wideSettings) << program;
  }
  EXPECT_EQ(SettingsFilePath(std::wstring_view(L"C:\\\u30c6\u30b9\u30c8\\Tessora.scr")),
            L"C:\\\u30c6\u30b9\u30c8\\Tessora.ini");
}
}  // namespace
