#include "settings/SaverEntry.h"

#include "settings/CommaText.h"
#include "settings/IniStore.h"
#include "settings/KeyIndex.h"
#include "settings/WholeNumber.h"

namespace tessora {

namespace {
struct KeyedLine {
  std::string_view key;    // before the first "="; empty without one
  std::string_view value;  // after the first "="; empty without one
  bool hasEquals = false;
};

KeyedLine SplitAtEquals(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {{}, {}, false};
  return {line.substr(0, equals), line.substr(equals + 1), true};
}

// For every line, the value of the first line from the top with the same key. A line
// without "=" looks up the empty key but is never the line found: it holds no value.
std::vector<std::string_view> FirstValues(const std::vector<KeyedLine>& lines) {
  KeyIndex firstByKey;
  firstByKey.Reserve(lines.size());
  const auto keyOf = [&lines](std::size_t i) { return lines[i].key; };
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].hasEquals) firstByKey.AddIfAbsent(lines[i].key, i, keyOf);
  std::vector<std::string_view> values;
  values.reserve(lines.size());
  for (const KeyedLine& line : lines) {
    const std::size_t first = firstByKey.Find(line.key, keyOf);
    values.push_back(first == KeyIndex::npos ? std::string_view() : lines[first].value);
  }
  return values;
}

template <class Lines>
std::vector<KeyedLine> KeyedLines(const Lines& lines) {
  std::vector<KeyedLine> keyed;
  keyed.reserve(lines.size());
  for (const auto& line : lines) keyed.push_back(SplitAtEquals(line));
  return keyed;
}
}  // namespace

std::string ApplyEntryQuoting(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::string(line);
  const std::string_view value = line.substr(equals + 1);
  if (value.find('"') != std::string_view::npos) return std::string(line);
  const std::size_t comma = value.find(',');
  const std::string_view path = value.substr(0, comma);
  std::string quoted;
  quoted.reserve(line.size() + 2);
  quoted.append(line.substr(0, equals + 1)).append(1, '"').append(path).append(1, '"');
  if (comma != std::string_view::npos) quoted.append(value.substr(comma));
  return quoted;
}

std::vector<SaverEntry> ReadSaverEntries(std::span<const std::string_view> sectionLines) {
  std::vector<std::string> quotedLines;
  quotedLines.reserve(sectionLines.size());
  for (const std::string_view line : sectionLines) quotedLines.push_back(ApplyEntryQuoting(line));

  const std::vector<KeyedLine> lines = KeyedLines(quotedLines);
  const std::vector<std::string_view> values = FirstValues(lines);

  std::vector<SaverEntry> entries;
  entries.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> fields = SplitCommaText(values[i]);
    if (fields.empty()) continue;
    SaverEntry entry;
    entry.displayName.assign(lines[i].key);
    entry.path = fields[0];
    if (fields.size() >= 2) entry.seconds = ReadWholeNumber(fields[1], 0);
    if (fields.size() >= 3) {
      // The dialog never writes a level outside the table; such a level reads
      // as the default rather than indexing past the weights and labels.
      const std::int32_t level = ReadWholeNumber(fields[2], DefaultFrequencyLevel);
      entry.level = (level >= LowestFrequencyLevel && level <= HighestFrequencyLevel) ? static_cast<int>(level)
                                                                                     : DefaultFrequencyLevel;
    }
    entry.fields = std::move(fields);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<SaverEntry> ReadSaverEntries(const std::vector<std::string>& sectionLines) {
  const std::vector<std::string_view> views(sectionLines.begin(), sectionLines.end());
  return ReadSaverEntries(views);
}

std::vector<SaverEntry> ReadSaverEntries(const IniStore& store, std::string_view section) {
  return ReadSaverEntries(store.SectionLineViews(section));
}

std::string SaverEntryValue(std::string_view path, std::string_view seconds, int level) {
  const std::string levelText = WholeNumberText(level);
  return JoinCommaText({path, seconds.empty() ? std::string_view("0") : seconds, std::string_view(levelText)});
}

std::string SaverEntryLine(std::string_view displayName, std::string_view path, std::string_view seconds, int level) {
  std::string line(displayName);
  line += '=';
  line += SaverEntryValue(path, seconds, level);
  return line;
}

void WriteSaverLines(IniStore& store, std::string_view section, const std::vector<std::string>& lines) {
  const std::vector<KeyedLine> keyed = KeyedLines(lines);
  const std::vector<std::string_view> values = FirstValues(keyed);
  for (std::size_t i = 0; i < keyed.size(); ++i) {
    // A line without "=" holds no entry; written as "=" it would come back as one.
    if (lines[i].find('=') == std::string::npos) continue;
    store.WriteString(section, keyed[i].key, values[i]);
  }
}

}  // namespace tessora
