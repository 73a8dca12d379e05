// Saver entries: the lines of a set section read with the entry quoting rule, against
// a reference that follows the reading steps; and an entry as the dialog writes it,
// read back from the lines, from the store and from the saved file.
//
// Input: the entry to write (a byte for level and "no seconds", four bytes of
// seconds, display name and path each ended by a NUL), then the section's lines.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "MemorySettingsFileSystem.h"
#include "settings/CommaText.h"
#include "settings/IniStore.h"
#include "settings/SaverEntry.h"
#include "settings/WholeNumber.h"

using namespace tessora;

namespace {
struct Expected {
  std::string displayName;
  std::vector<std::string> fields;
};

// Quotes the path of a value without double quotes, the way the rule says in words.
std::string QuotedValue(std::string_view value) {
  if (value.find('"') != std::string_view::npos) return std::string(value);
  const std::size_t comma = std::min(value.find(','), value.size());
  return "\"" + std::string(value.substr(0, comma)) + "\"" + std::string(value.substr(comma));
}

std::string KeyOf(const std::string& line) {
  const std::size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

// The reading steps, line by line: key before the first "=", value of the first
// line from the top with that key, quoting rule, comma text; nothing for a line whose
// value gives no field. Only lines with "=" supply a value; one without looks up the
// empty key.
std::vector<std::optional<Expected>> ReferenceEntries(const std::vector<std::string>& lines) {
  std::map<std::string, std::string> firstValue;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) firstValue.try_emplace(fuzz::CaseKey(KeyOf(line)), QuotedValue(line.substr(equals + 1)));
  }
  std::vector<std::optional<Expected>> entries;
  for (const std::string& line : lines) {
    const auto found = firstValue.find(fuzz::CaseKey(KeyOf(line)));
    std::vector<std::string> fields = found == firstValue.end() ? std::vector<std::string>() : SplitCommaText(found->second);
    if (fields.empty()) {
      entries.emplace_back();
    } else {
      entries.push_back(Expected{KeyOf(line), std::move(fields)});
    }
  }
  return entries;
}

void CheckEntry(const SaverEntry& entry, const std::string& where) {
  FUZZ_CHECK(!entry.fields.empty(), where + ": an entry without fields");
  FUZZ_CHECK(entry.path == entry.fields[0], where + ": the path is not the first field");
  FUZZ_CHECK(entry.level >= LowestFrequencyLevel && entry.level <= HighestFrequencyLevel,
             where + ": level " + std::to_string(entry.level) + " is outside the table");
  const std::int32_t seconds = entry.fields.size() >= 2 ? ReadWholeNumber(entry.fields[1], 0) : 0;
  FUZZ_CHECK(entry.seconds == seconds, where + ": seconds do not follow the second field");
  if (entry.fields.size() >= 3) {
    const std::int32_t level = ReadWholeNumber(entry.fields[2], DefaultFrequencyLevel);
    if (level >= LowestFrequencyLevel && level <= HighestFrequencyLevel)
      FUZZ_CHECK(entry.level == level, where + ": a level within the table is not taken");
  } else {
    FUZZ_CHECK(entry.level == DefaultFrequencyLevel, where + ": a missing level is not the default");
  }
}

// The lines of a section as the store gives them: never empty, never a CR or LF inside.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    if (end > start) lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool IsTrimmed(std::string_view text) {
  return text.empty() || (static_cast<unsigned char>(text.front()) > 32 && static_cast<unsigned char>(text.back()) > 32);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader reader(data, size);
  const std::uint8_t mode = reader.Byte();
  const auto seconds = static_cast<std::int32_t>(reader.Bits<std::uint32_t>());
  const std::string displayName(reader.Field('\0'));
  const std::string path(reader.Field('\0'));
  const std::vector<std::string> lines = Lines(reader.Rest());

  const std::vector<SaverEntry> entries = ReadSaverEntries(lines);
  for (std::size_t i = 0; i < entries.size(); ++i) CheckEntry(entries[i], "entry " + std::to_string(i));

  // A bare path, however many blanks it holds, is one field up to its first comma.
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string_view value = std::string_view(line).substr(equals + 1);
    if (value.find('"') != std::string_view::npos) continue;
    const std::vector<std::string> fields = SplitCommaText(ApplyEntryQuoting(line).substr(equals + 1));
    const std::string_view bare = value.substr(0, std::min({value.find(','), value.find('\0'), value.size()}));
    FUZZ_CHECK(!fields.empty() && fields[0] == bare, "the bare path of " + fuzz::Quoted(line) + " is not one field");
  }

  // Every line against the steps, also one without "=" beside one with the empty key.
  {
    const std::vector<std::optional<Expected>> expected = ReferenceEntries(lines);
    std::vector<const Expected*> present;
    for (const auto& entry : expected) {
      if (entry) present.push_back(&*entry);
    }
    FUZZ_CHECK(entries.size() == present.size(), "read " + std::to_string(entries.size()) + " entries, the steps give " +
                                                      std::to_string(present.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      FUZZ_CHECK(entries[i].displayName == present[i]->displayName,
                 "entry " + std::to_string(i) + ": display name " + fuzz::Quoted(entries[i].displayName));
      FUZZ_CHECK(entries[i].fields == present[i]->fields,
                 "entry " + std::to_string(i) + " of " + fuzz::Quoted(entries[i].displayName) + ": other fields");
    }

    // Written by the dialog into a store, the lines read back as the entries of the
    // first line of each display name; written key by key, the line takes the last
    // spelling of the name.
    MemorySettingsFileSystem fileSystem;
    IniStore store(fileSystem);
    WriteSaverLines(store, "Set0", lines);
    std::vector<const Expected*> firsts;
    std::map<std::string, bool> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool first = lines[i].find('=') != std::string::npos && seen.emplace(fuzz::CaseKey(KeyOf(lines[i])), true).second;
      if (first && expected[i]) firsts.push_back(&*expected[i]);
    }
    std::map<std::string, std::string> lastSpelling;
    for (const std::string& line : lines) {
      if (line.find('=') != std::string::npos) lastSpelling[fuzz::CaseKey(KeyOf(line))] = KeyOf(line);
    }
    const std::vector<SaverEntry> stored = ReadSaverEntries(store, "Set0");
    FUZZ_CHECK(stored.size() == firsts.size(), "the store holds " + std::to_string(stored.size()) + " entries, the lines " +
                                                   std::to_string(firsts.size()));
    for (std::size_t i = 0; i < stored.size(); ++i) {
      FUZZ_CHECK(stored[i].displayName == lastSpelling[fuzz::CaseKey(firsts[i]->displayName)] &&
                     stored[i].fields == firsts[i]->fields,
                 "stored entry " + std::to_string(i) + " " + fuzz::Quoted(stored[i].displayName) + " differs");
    }
  }

  // One entry as the dialog writes it. Its name ends at the first "=" (the file could
  // not keep more), and neither name nor path can hold a line break.
  const std::string name = displayName.substr(0, std::min(displayName.find_first_of("=\r\n"), displayName.size()));
  const std::string file = path.substr(0, std::min(path.find_first_of("\r\n"), path.size()));
  const int level = mode % 5;
  const bool noSeconds = (mode & 0x80) != 0;
  const std::string line = SaverEntryLine(name, file, noSeconds ? "" : WholeNumberText(seconds), level);
  const auto checkWritten = [&](const std::vector<SaverEntry>& back, const std::string& where) {
    FUZZ_CHECK(back.size() == 1, where + ": " + fuzz::Quoted(line) + " gives " + std::to_string(back.size()) + " entries");
    FUZZ_CHECK(back[0].displayName == name, where + ": display name of " + fuzz::Quoted(line));
    FUZZ_CHECK(back[0].path == file, where + ": path of " + fuzz::Quoted(line) + " reads " + fuzz::Quoted(back[0].path));
    FUZZ_CHECK(back[0].seconds == (noSeconds ? 0 : seconds), where + ": seconds of " + fuzz::Quoted(line));
    FUZZ_CHECK(back[0].level == level, where + ": level of " + fuzz::Quoted(line));
  };
  checkWritten(ReadSaverEntries(std::vector<std::string>{line}), "read from its line");

  MemorySettingsFileSystem fileSystem;
  IniStore written(fileSystem);
  written.Open("t.ini");
  WriteSaverLines(written, "Set0", {line});
  checkWritten(ReadSaverEntries(written, "Set0"), "read from the store");
  // Loading trims names and skips comment lines, so only a name that survives that
  // can come back from the file.
  if (IsTrimmed(name) && !name.starts_with(';')) {
    FUZZ_CHECK(written.Save(), "saving to memory failed");
    IniStore reloaded(fileSystem);
    reloaded.Open("t.ini");
    checkWritten(ReadSaverEntries(reloaded, "Set0"), "read from the saved file");
  }
  return 0;
}
