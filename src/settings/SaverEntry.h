#pragma once
// Saver entries: the lines of a saver set, display name "=" the comma text of
// path, own seconds (0: the default interval) and frequency level.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessora {

class IniStore;

inline constexpr int LowestFrequencyLevel = 0;
inline constexpr int HighestFrequencyLevel = 4;
inline constexpr int DefaultFrequencyLevel = 2;

struct SaverEntry {
  std::string displayName;
  std::vector<std::string> fields;  // the value split as comma text; never empty
  std::string path;                 // field 1
  std::int32_t seconds = 0;         // field 2; 0 when absent or not a whole number
  int level = DefaultFrequencyLevel;  // field 3; always within 0..4
};

// A value without double quotes gets its first field quoted, so a path with
// blanks stored bare stays one field: name=C:\My Savers\W.scr,30 becomes
// name="C:\My Savers\W.scr",30. Lines without "=" and quoted values stay.
std::string ApplyEntryQuoting(std::string_view line);

// Entries of the given lines in order. Each line's value is the one of the
// first line with its key (letter case ignored); lines whose value gives no
// field are left out.
std::vector<SaverEntry> ReadSaverEntries(std::span<const std::string_view> sectionLines);
std::vector<SaverEntry> ReadSaverEntries(const std::vector<std::string>& sectionLines);
std::vector<SaverEntry> ReadSaverEntries(const IniStore& store, std::string_view section);

// The value as the dialog writes it; an empty seconds text is written as "0".
std::string SaverEntryValue(std::string_view path, std::string_view seconds, int level);
std::string SaverEntryLine(std::string_view displayName, std::string_view path, std::string_view seconds, int level);

// Writes lines (display name "=" value) into a section key by key. A display
// name that repeats (letter case ignored) keeps one line, at the first one's
// place and with the first one's value.
void WriteSaverLines(IniStore& store, std::string_view section, const std::vector<std::string>& lines);

}  // namespace tessora
