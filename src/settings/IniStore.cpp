#include "settings/IniStore.h"

#include <cstring>

#include "settings/WholeNumber.h"

namespace tessora {

namespace {
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return text;
}

// A line break inside a name or value would split its line in the saved file
// (and could start a section there), so it is stored as a blank.
std::string_view OneLine(std::string_view text, std::string& scratch) {
  if (text.find_first_of("\r\n") == std::string_view::npos) return text;
  scratch.assign(text);
  for (char& c : scratch) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return scratch;
}
}  // namespace

IniStore::IniStore(SettingsFileSystem& fileSystem) : fileSystem_(&fileSystem) {}

bool IniStore::Open(const std::filesystem::path& path) {
  path_ = path;
  if (auto content = fileSystem_->ReadWholeFile(path)) {
    Load(*content);
    lastOpen_ = OpenResult::Read;
    return true;
  }
  Clear();
  // A file that is there but could not be read is not an empty one: saving over it
  // would lose settings nobody has seen.
  lastOpen_ = fileSystem_->Exists(path) ? OpenResult::Unreadable : OpenResult::Missing;
  return false;
}

void IniStore::Load(std::string_view text) {
  Clear();
  Section* current = nullptr;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    // CR LF, CR and LF all end a line; the empty lines between them are skipped below.
    const char* lineEnd = p;
    while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
    const std::string_view line = Trim(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
    p = lineEnd + 1;

    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      AddSection(std::string(Trim(line.substr(1, line.size() - 2))));
      current = &sections_.back();
      continue;
    }
    if (current == nullptr) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      AddLine(*current, std::string(line));
      continue;
    }
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value = Trim(line.substr(equals + 1));
    std::string stored;
    stored.reserve(key.size() + 1 + value.size());
    stored.append(key).append(1, '=').append(value);
    AddLine(*current, std::move(stored));
  }
}

void IniStore::AddSection(std::string name) {
  sections_.push_back(Section{std::move(name), {}, {}, false});
  const std::size_t number = sections_.size() - 1;
  sectionIndex_.Assign(sections_.back().name, number,
                       [this](std::size_t i) -> std::string_view { return sections_[i].name; });
}

void IniStore::AddLine(Section& section, std::string text) {
  const std::size_t equals = text.find('=');
  section.lines.push_back(Line{std::move(text), equals});
  if (section.indexed && equals != std::string::npos) {
    const std::size_t number = section.lines.size() - 1;
    section.keys.Assign(section.lines.back().Key(), number,
                        [&section](std::size_t i) { return section.lines[i].Key(); });
  }
}

std::size_t IniStore::FindSection(std::string_view name) const {
  return sectionIndex_.Find(name, [this](std::size_t i) -> std::string_view { return sections_[i].name; });
}

std::size_t IniStore::FindLine(const Section& section, std::string_view key) const {
  const auto keyOf = [&section](std::size_t i) { return section.lines[i].Key(); };
  if (!section.indexed) {
    section.keys.Clear();
    section.keys.Reserve(section.lines.size());
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
      if (section.lines[i].keyLength != std::string::npos) section.keys.Assign(section.lines[i].Key(), i, keyOf);
    }
    section.indexed = true;
  }
  return section.keys.Find(key, keyOf);
}

std::string IniStore::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const std::size_t found = FindSection(section);
  if (found == KeyIndex::npos) return std::string(fallback);
  const std::size_t line = FindLine(sections_[found], key);
  if (line == KeyIndex::npos) return std::string(fallback);
  const Line& hit = sections_[found].lines[line];
  return hit.text.substr(hit.keyLength + 1);
}

std::int32_t IniStore::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
  return ReadWholeNumber(ReadString(section, key, {}), fallback);
}

std::vector<std::string> IniStore::ReadSectionLines(std::string_view section) const {
  std::vector<std::string> lines;
  if (const std::size_t found = FindSection(section); found != KeyIndex::npos) {
    lines.reserve(sections_[found].lines.size());
    for (const Line& line : sections_[found].lines) lines.push_back(line.text);
  }
  return lines;
}

std::vector<std::string_view> IniStore::SectionLineViews(std::string_view section) const {
  std::vector<std::string_view> lines;
  if (const std::size_t found = FindSection(section); found != KeyIndex::npos) {
    lines.reserve(sections_[found].lines.size());
    for (const Line& line : sections_[found].lines) lines.emplace_back(line.text);
  }
  return lines;
}

bool IniStore::SectionExists(std::string_view section) const { return FindSection(section) != KeyIndex::npos; }

IniStore::Section& IniStore::SectionForWriting(std::string_view name) {
  if (const std::size_t found = FindSection(name); found != KeyIndex::npos) return sections_[found];
  AddSection(std::string(name));
  return sections_.back();
}

void IniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string sectionScratch, keyScratch, valueScratch;
  section = OneLine(section, sectionScratch);
  key = OneLine(key, keyScratch);
  value = OneLine(value, valueScratch);

  Section& target = SectionForWriting(section);
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append(1, '=').append(value);

  const std::size_t line = FindLine(target, key);
  if (line == KeyIndex::npos) {
    AddLine(target, std::move(text));
    return;
  }
  // Same key up to letter case, so the index entry stays right.
  Line& hit = target.lines[line];
  hit.text = std::move(text);
  hit.keyLength = hit.text.find('=');
}

void IniStore::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, WholeNumberText(value));
}

void IniStore::Clear() {
  sections_.clear();
  sectionIndex_.Clear();
}

std::string IniStore::Text() const {
  std::size_t size = 0;
  for (const Section& section : sections_) {
    size += section.name.size() + 6;
    for (const Line& line : section.lines) size += line.text.size() + 2;
  }
  std::string text;
  text.reserve(size);
  for (const Section& section : sections_) {
    text.append(1, '[').append(section.name).append("]\r\n");
    for (const Line& line : section.lines) text.append(line.text).append("\r\n");
    text.append("\r\n");
  }
  return text;
}

bool IniStore::Save() {
  if (path_.empty()) return false;
  return fileSystem_->WriteReplace(path_, Text());
}

bool IniStore::SaveAs(const std::filesystem::path& path) {
  if (path.empty() || !fileSystem_->WriteReplace(path, Text())) return false;
  path_ = path;
  return true;
}

}  // namespace tessora
