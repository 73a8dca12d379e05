// The configuration dialog's model: loading the sets, showing one, editing the list,
// registering and deleting sets.
#include "config/ConfigModel.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <utility>

#include "config/SaverPath.h"
#include "settings/CaseFold.h"
#include "settings/WholeNumber.h"

namespace tessora {

namespace {
constexpr std::string_view DefaultSetName = "Default";

struct FoldedHash {
  std::size_t operator()(std::string_view text) const { return HashIgnoringCase(text); }
};
struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const { return EqualsIgnoringCase(a, b); }
};
// Texts that count as one when they differ in ASCII letter case only.
using FoldedSet = std::unordered_set<std::string, FoldedHash, FoldedEqual>;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// The store trims these from keys and values when it reads a file back.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

// A display name is the key of its entry line, so it must come back from the file
// as it went in: the store trims keys and writes line breaks as blanks, ends the key
// at the first "=", and takes a line that starts with ";" for a comment. Bytes below
// 0x40 are never the second byte of a double-byte character, so a byte scan is safe.
std::string StorableName(std::string_view name) {
  std::string text(name);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
    if (c == '=') c = '_';
  }
  std::string result(Trimmed(text));
  if (!result.empty() && result.front() == ';') result.front() = '_';
  return result;
}

std::string Numbered(std::string_view prefix, std::int32_t number) {
  return std::string(prefix) + WholeNumberText(number);
}

// "Item" followed by the decimal digits of a number below count, without leading zeros.
std::optional<std::int32_t> ItemNumber(std::string_view key, std::int32_t count) {
  const std::string_view prefix = settings::ItemKeyPrefix;
  if (key.size() <= prefix.size() || !EqualsIgnoringCase(key.substr(0, prefix.size()), prefix)) return std::nullopt;
  const std::string_view digits = key.substr(prefix.size());
  if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
  std::int64_t number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number >= count) return std::nullopt;
  return static_cast<std::int32_t>(number);
}
}  // namespace

ConfigModel::ConfigModel(ConfigEnvironment& environment, SettingsFileSystem& fileSystem)
    : environment_(environment), fileSystem_(fileSystem), iniFile_(fileSystem) {}

void ConfigModel::FormCreate() {
  edited_ = false;
  rows_.clear();
  pathList_.clear();
  selectedRow_ = -1;
  shownSet_ = -1;
  sets_.clear();
  setIndex_ = -1;
  setText_.clear();

  // The same file the rotation reads.
  settingsFiles_ = environment_.SettingsFiles();
  iniFile_.Open(SettingsReadPath(settingsFiles_, fileSystem_));

  const std::string count = iniFile_.ReadString(settings::SetListSection, settings::CountKey, "-");
  if (count != "-") {
    for (const std::int32_t i : StoredSetNumbers(ReadWholeNumber(count, 0))) {
      std::string name = iniFile_.ReadString(settings::SetListSection, Numbered(settings::ItemKeyPrefix, i), "");
      // A set without a name is skipped; the later ones move up.
      if (name.empty()) continue;
      sets_.push_back({std::move(name), QuotedSectionLines(Numbered(settings::SetSectionPrefix, i))});
    }
    const std::int32_t current =
        iniFile_.ReadInteger(settings::SetListSection, settings::CurrentKey, settings::DefaultCurrent);
    const bool inRange = current >= 0 && static_cast<std::size_t>(current) < sets_.size();
    SetListSelect(inRange ? static_cast<int>(current) : -1);
  } else {
    // A file of the earlier layout: its one list becomes a set like any other.
    sets_.push_back({std::string(DefaultSetName), QuotedSectionLines(settings::LegacySaversSection)});
    SetListSelect(0);
  }

  options_.random = iniFile_.ReadInteger(settings::OptionSection, settings::RandomKey, settings::DefaultRandom) != 0;
  options_.span = iniFile_.ReadInteger(settings::OptionSection, settings::SpanKey, settings::DefaultSpan);
  options_.background = ReadBackgroundOption(iniFile_);
}

std::vector<std::string> ConfigModel::QuotedSectionLines(std::string_view section) const {
  std::vector<std::string> lines;
  const std::vector<std::string_view> stored = iniFile_.SectionLineViews(section);
  lines.reserve(stored.size());
  for (const std::string_view line : stored) lines.push_back(ApplyEntryQuoting(line));
  return lines;
}

// The numbers i below count whose Item key is in the file, in order: the same sets
// as asking for Item0 to Item(count - 1) one by one, but a count of two thousand
// million in a hand-edited file costs no more than the keys that are there.
std::vector<std::int32_t> ConfigModel::StoredSetNumbers(std::int32_t count) const {
  std::vector<std::int32_t> numbers;
  for (const std::string_view line : iniFile_.SectionLineViews(settings::SetListSection)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (const auto number = ItemNumber(line.substr(0, equals), count)) numbers.push_back(*number);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

void ConfigModel::SelectRow(int row) {
  selectedRow_ = (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) ? row : -1;
}

std::string ConfigModel::PathHint(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= pathList_.size()) return {};
  return pathList_[static_cast<std::size_t>(row)];
}

void ConfigModel::SetListSelect(int index) {
  const bool inRange = index >= 0 && static_cast<std::size_t>(index) < sets_.size();
  setIndex_ = inRange ? index : -1;
  if (inRange) setText_ = sets_[static_cast<std::size_t>(index)].name;
  ShowSelectedSet();
}

void ConfigModel::SetListTextChanged(std::string text) {
  setText_ = std::move(text);
  setIndex_ = -1;
}

void ConfigModel::ShowSelectedSet() {
  rows_.clear();
  pathList_.clear();
  selectedRow_ = -1;
  if (setIndex_ < 0) {
    // ShownSet and Edited stay: nothing new is shown.
    setText_.clear();
    return;
  }
  // The same reading as the rotation's, so the list shows what would be played:
  // each entry's value is that of the first line with its name.
  const std::vector<SaverEntry> entries = ReadSaverEntries(sets_[static_cast<std::size_t>(setIndex_)].lines);
  rows_.reserve(entries.size());
  pathList_.reserve(entries.size());
  for (const SaverEntry& entry : entries) {
    ConfigRow row;
    row.displayName = entry.displayName;
    // 0, a negative number or text all follow the global interval.
    if (entry.seconds > 0) row.seconds = entry.fields[1];
    // A level outside 0 to 4 reads as the default; the stored line keeps it until
    // the set is registered again.
    row.level = entry.level;
    row.missing = !environment_.FileExists(entry.path);
    rows_.push_back(std::move(row));
    pathList_.push_back(entry.path);
  }
  shownSet_ = setIndex_;
  edited_ = false;
}

std::size_t ConfigModel::addBtnClick(const std::vector<std::string>& chosenFiles) {
  FoldedSet names;
  names.reserve(rows_.size() + chosenFiles.size());
  for (const ConfigRow& row : rows_) names.insert(row.displayName);
  FoldedSet paths;
  paths.reserve(pathList_.size() + chosenFiles.size());
  for (const std::string& path : pathList_) paths.insert(CanonicalPathText(path));

  std::size_t added = 0;
  for (const std::string& path : chosenFiles) {
    if (path.empty()) continue;
    std::string canonical = CanonicalPathText(path);
    if (paths.contains(canonical)) continue;
    // The rotation would start itself in a loop.
    if (environment_.IsRunningProgram(path)) continue;

    // Two rows of one name would be one line of the file: the new one gets a number.
    std::string name = StorableName(environment_.DisplayName(path));
    if (name.empty()) name = StorableName(BareFileName(path));
    if (name.empty()) name = "_";
    if (names.contains(name)) {
      std::string numbered;
      for (std::int32_t n = 2;; ++n) {
        numbered = name + " (" + WholeNumberText(n) + ")";
        if (!names.contains(numbered)) break;
      }
      name = std::move(numbered);
    }

    names.insert(name);
    paths.insert(std::move(canonical));
    ConfigRow row;
    row.displayName = std::move(name);
    rows_.push_back(std::move(row));
    pathList_.push_back(path);
    ++added;
  }
  edited_ = true;
  return added;
}

std::size_t ConfigModel::FilesDropped(const std::vector<std::string>& paths) {
  std::vector<std::string> savers;
  // The open dialog takes existing files only; a dropped folder named *.scr is none.
  for (const std::string& path : paths) {
    if (HasSaverExtension(path) && environment_.FileExists(path)) savers.push_back(path);
  }
  if (savers.empty()) return 0;
  return addBtnClick(savers);
}

bool ConfigModel::delBtnClick() {
  if (selectedRow_ < 0) return false;
  const auto row = static_cast<std::ptrdiff_t>(selectedRow_);
  rows_.erase(rows_.begin() + row);
  pathList_.erase(pathList_.begin() + row);
  selectedRow_ = -1;
  edited_ = true;
  return true;
}

void ConfigModel::clrBtnClick() {
  rows_.clear();
  pathList_.clear();
  selectedRow_ = -1;
  edited_ = true;
}

bool ConfigModel::MoveRow(int from, int to) {
  const auto a = static_cast<std::size_t>(from);
  const auto b = static_cast<std::size_t>(to);
  std::swap(rows_[a], rows_[b]);
  std::swap(pathList_[a], pathList_[b]);
  selectedRow_ = to;
  edited_ = true;
  return true;
}

bool ConfigModel::upBtnClick() {
  if (selectedRow_ < 1) return false;
  return MoveRow(selectedRow_, selectedRow_ - 1);
}

bool ConfigModel::dwnBtnClick() {
  if (selectedRow_ < 0 || static_cast<std::size_t>(selectedRow_) + 1 >= rows_.size()) return false;
  return MoveRow(selectedRow_, selectedRow_ + 1);
}

void ConfigModel::SetRowSeconds(int row, std::string seconds) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  rows_[static_cast<std::size_t>(row)].seconds = std::move(seconds);
}

void ConfigModel::SetRowLevel(int row, int level) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
  if (level < LowestFrequencyLevel || level > HighestFrequencyLevel) return;
  rows_[static_cast<std::size_t>(row)].level = level;
}

bool ConfigModel::BitBtn1Click() {
  if (rows_.empty()) return false;
  for (ConfigRow& row : rows_) {
    row.seconds.clear();
    row.level = DefaultFrequencyLevel;
  }
  edited_ = true;
  return true;
}

std::vector<std::string> ConfigModel::LinesOfRows() const {
  std::vector<std::string> lines;
  lines.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const ConfigRow& row = rows_[i];
    lines.push_back(SaverEntryLine(row.displayName, pathList_[i], row.seconds, row.level));
  }
  return lines;
}

bool ConfigModel::addSetBtnClick() {
  // Trimmed as the file would give the name back; a name of blanks only would be
  // read back as none and its set dropped.
  const std::string name(Trimmed(setText_));
  if (name.empty()) return false;

  const auto found = std::find_if(sets_.begin(), sets_.end(),
                                  [&name](const SaverSet& set) { return EqualsIgnoringCase(set.name, name); });
  std::size_t target;
  if (found == sets_.end()) {
    sets_.push_back({name, {}});
    target = sets_.size() - 1;
  } else {
    if (!environment_.Confirm(OverwriteSetQuestion)) return false;
    // The stored name stays as it is, letter case included.
    target = static_cast<std::size_t>(found - sets_.begin());
  }
  sets_[target].lines = LinesOfRows();
  // Shown afresh from the lines just made: missing marks are computed again and
  // seconds "0" come back empty.
  SetListSelect(static_cast<int>(target));
  edited_ = false;
  return true;
}

bool ConfigModel::delSetBtnClick() {
  if (setIndex_ < 0) return false;
  sets_.erase(sets_.begin() + setIndex_);
  // Usually the deleted set was the one shown: its follower moves into its place,
  // or, when it was the last, the new last set is shown.
  const int remaining = static_cast<int>(sets_.size());
  SetListSelect(remaining == shownSet_ ? remaining - 1 : shownSet_);
  return true;
}

}  // namespace tessora
