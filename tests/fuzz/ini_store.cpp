// The settings store loaded from any bytes: every read against a reference built
// from the saved text by plain scanning, saving and loading again keeps the text,
// and writes keep every read right.
//
// The whole input is the file. Its last bytes, read backwards, also choose a few
// writes, so that a real settings file works as a seed unchanged.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "MemorySettingsFileSystem.h"
#include "settings/IniStore.h"
#include "settings/SaverEntry.h"
#include "settings/WholeNumber.h"

using namespace tessora;

namespace {
constexpr std::string_view kFallback = "\x01" "fallback";

struct Block {
  std::string name;
  std::vector<std::string> lines;
};

// The saved text taken apart again: "[" name "]", the lines, an empty line, each
// ended by CR LF. Stored lines are never empty, so the empty line ends a section.
std::vector<Block> Blocks(const std::string& text) {
  std::vector<Block> blocks;
  bool inSection = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    FUZZ_CHECK(end != std::string::npos, "the saved text does not end with CR LF");
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    if (!inSection) {
      FUZZ_CHECK(line.size() >= 2 && line.front() == '[' && line.back() == ']',
                 "a section of the saved text starts with " + fuzz::Quoted(line));
      blocks.push_back({line.substr(1, line.size() - 2), {}});
      inSection = true;
    } else if (line.empty()) {
      inSection = false;
    } else {
      FUZZ_CHECK(line.find('\r') == std::string::npos && line.find('\n') == std::string::npos, "a line holds a line break");
      blocks.back().lines.push_back(line);
    }
  }
  FUZZ_CHECK(!inSection, "the last section of the saved text has no closing empty line");
  return blocks;
}

// The same name in other letter case; trail bytes of double-byte characters stay.
std::string FlipCase(std::string_view name) {
  std::string flipped(name);
  for (std::size_t i = 0; i < flipped.size(); ++i) {
    const auto c = static_cast<unsigned char>(flipped[i]);
    if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < flipped.size()) {
      ++i;
    } else if (c >= 'a' && c <= 'z') {
      flipped[i] = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      flipped[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return flipped;
}

struct Reference {
  std::vector<Block> blocks;
  std::map<std::string, std::size_t> lastBlock;  // CaseKey(name) -> block
  // CaseKey(name) -> CaseKey(key) -> value of the last line with the key
  std::map<std::string, std::map<std::string, std::string>> values;

  explicit Reference(const std::string& text) : blocks(Blocks(text)) {
    for (std::size_t i = 0; i < blocks.size(); ++i) lastBlock[fuzz::CaseKey(blocks[i].name)] = i;
    for (const auto& [name, block] : lastBlock) {
      auto& keys = values[name];
      for (const std::string& line : blocks[block].lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) keys[fuzz::CaseKey(line.substr(0, equals))] = line.substr(equals + 1);
      }
    }
  }

  const Block* Section(std::string_view name) const {
    const auto found = lastBlock.find(fuzz::CaseKey(name));
    return found == lastBlock.end() ? nullptr : &blocks[found->second];
  }

  std::string Read(std::string_view section, std::string_view key) const {
    const auto keys = values.find(fuzz::CaseKey(section));
    if (keys == values.end()) return std::string(kFallback);
    const auto value = keys->second.find(fuzz::CaseKey(key));
    return value == keys->second.end() ? std::string(kFallback) : value->second;
  }
};

void CheckRead(const IniStore& store, const Reference& reference, std::string_view section, std::string_view key) {
  const std::string expected = reference.Read(section, key);
  const std::string got = store.ReadString(section, key, kFallback);
  FUZZ_CHECK(got == expected, "ReadString(" + fuzz::Quoted(section) + ", " + fuzz::Quoted(key) + ") = " +
                                  fuzz::Quoted(got) + ", the lines give " + fuzz::Quoted(expected));
  const std::int32_t number = store.ReadInteger(section, key, 4711);
  FUZZ_CHECK(number == (expected == kFallback ? 4711 : ReadWholeNumber(expected, 4711)),
             "ReadInteger(" + fuzz::Quoted(section) + ", " + fuzz::Quoted(key) + ") does not follow its text");
}

// Every read of the store against the reference made from its saved text; with
// nearMisses also keys that are almost those of the lines.
Reference CheckReads(const IniStore& store, bool nearMisses) {
  Reference reference(store.Text());
  for (const auto& [caseKey, number] : reference.lastBlock) {
    const Block& block = reference.blocks[number];
    for (const std::string& name : {block.name, FlipCase(block.name)}) {
      FUZZ_CHECK(store.SectionExists(name), "section " + fuzz::Quoted(name) + " is not found");
      FUZZ_CHECK(store.ReadSectionLines(name) == block.lines, "the lines of " + fuzz::Quoted(name) + " differ");
      const std::vector<std::string_view> views = store.SectionLineViews(name);
      FUZZ_CHECK(std::equal(views.begin(), views.end(), block.lines.begin(), block.lines.end()),
                 "the line views of " + fuzz::Quoted(name) + " differ");
    }
    const std::string flipped = FlipCase(block.name);
    for (const std::string& line : block.lines) {
      const std::size_t equals = line.find('=');
      const std::string key = line.substr(0, std::min(equals, line.size()));
      CheckRead(store, reference, block.name, key);
      CheckRead(store, reference, flipped, FlipCase(key));
      if (!nearMisses) continue;
      // Near misses: a line without "=" has no key, and a key is no prefix of another.
      CheckRead(store, reference, block.name, line);
      if (!key.empty()) CheckRead(store, reference, block.name, key.substr(0, key.size() - 1));
      CheckRead(store, reference, block.name, key + " ");
    }
  }
  for (const std::string_view absent : {"\x02", "Option\x02", ""}) {
    if (reference.Section(absent) != nullptr) continue;
    FUZZ_CHECK(!store.SectionExists(absent) && store.ReadSectionLines(absent).empty(),
               "absent section " + fuzz::Quoted(absent) + " is found");
    CheckRead(store, reference, absent, "span");
  }
  return reference;
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

bool IsTrimmed(std::string_view text) {
  return text.empty() || (static_cast<unsigned char>(text.front()) > 32 && static_cast<unsigned char>(text.back()) > 32);
}

std::string Bytes(fuzz::InputReader& reader, std::size_t count) {
  std::string bytes;
  for (std::size_t i = 0; i < count && !reader.Empty(); ++i) bytes += static_cast<char>(reader.Byte());
  return bytes;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  MemorySettingsFileSystem fileSystem;
  fileSystem.files["t.ini"] = std::string(file);

  IniStore store(fileSystem);
  FUZZ_CHECK(store.Open("t.ini"), "the file is not read");
  CheckReads(store, true);
  // What the engine and the dialog read first.
  for (const std::string_view section : {"Option", "SetList", "Set0", "Savers"}) {
    (void)ReadSaverEntries(store, section);
    (void)store.ReadInteger(section, "Count", 0);
  }

  // Saved and loaded again, the file holds the same text and so gives the same reads.
  FUZZ_CHECK(store.Save(), "saving to memory failed");
  const std::string saved = fileSystem.files["t.ini"];
  FUZZ_CHECK(saved == store.Text(), "Save did not write Text()");
  IniStore reloaded(fileSystem);
  FUZZ_CHECK(reloaded.Open("t.ini"), "the saved file is not read");
  FUZZ_CHECK(reloaded.Text() == saved, "loading the saved file changes it: " + fuzz::Quoted(saved) + " becomes " +
                                           fuzz::Quoted(reloaded.Text()));
  CheckReads(reloaded, false);

  // A few writes, chosen by the last bytes of the input read backwards.
  const std::string backwards(file.rbegin(), file.rend());
  fuzz::InputReader reader(reinterpret_cast<const std::uint8_t*>(backwards.data()), backwards.size());
  const int writes = reader.Byte() % 8;
  bool allFit = true;  // every write is one that loading gives back as written
  for (int i = 0; i < writes; ++i) {
    const Reference before(store.Text());
    const std::uint8_t sectionChoice = reader.Byte();
    const std::uint8_t keyChoice = reader.Byte();
    std::string section;
    if (sectionChoice < 0xC0 && !before.blocks.empty()) {
      section = before.blocks[sectionChoice % before.blocks.size()].name;
      if (sectionChoice & 1) section = FlipCase(section);
    } else {
      section = Bytes(reader, reader.Byte() % 8);
    }
    std::string key;
    const Block* target = before.Section(OneLine(section));
    if (keyChoice < 0xC0 && target != nullptr && !target->lines.empty()) {
      const std::string& line = target->lines[keyChoice % target->lines.size()];
      key = line.substr(0, std::min(line.find('='), line.size()));
      if (keyChoice & 1) key = FlipCase(key);
    } else {
      key = Bytes(reader, reader.Byte() % 8);
    }
    const std::string value = Bytes(reader, reader.Byte() % 16);

    const std::vector<std::string> linesBefore = store.ReadSectionLines(OneLine(section));
    store.WriteString(section, key, value);
    const std::string sectionLine = OneLine(section), keyLine = OneLine(key), valueLine = OneLine(value);
    const std::string written = keyLine + "=" + valueLine;
    // Loading trims around the first "=" and skips comments; a key with "=" in it
    // splits elsewhere, and a bracketed line starts a section.
    allFit = allFit && IsTrimmed(sectionLine) && IsTrimmed(keyLine) && IsTrimmed(valueLine) &&
             keyLine.find('=') == std::string::npos && !keyLine.starts_with(';') &&
             !(written.starts_with('[') && written.ends_with(']'));

    // The last line with the key is replaced in place, or a line is appended.
    std::vector<std::string> expected = linesBefore;
    std::size_t last = expected.size();
    for (std::size_t j = 0; j < expected.size(); ++j) {
      const std::size_t equals = expected[j].find('=');
      if (equals != std::string::npos && fuzz::CaseKey(expected[j].substr(0, equals)) == fuzz::CaseKey(keyLine)) last = j;
    }
    if (last == expected.size()) {
      expected.push_back(written);
    } else {
      expected[last] = written;
    }
    FUZZ_CHECK(store.ReadSectionLines(sectionLine) == expected,
               "writing " + fuzz::Quoted(key) + " in " + fuzz::Quoted(section) + " left other lines");
    if (keyLine.find('=') == std::string::npos) {
      FUZZ_CHECK(store.ReadString(sectionLine, keyLine, kFallback) == valueLine,
                 "the value written for " + fuzz::Quoted(key) + " in " + fuzz::Quoted(section) + " does not read back");
    }
  }
  if (writes > 0) {
    CheckReads(store, true);
    FUZZ_CHECK(store.Save(), "saving to memory failed");
    IniStore again(fileSystem);
    again.Open("t.ini");
    if (allFit) {
      FUZZ_CHECK(again.Text() == store.Text(), "written lines do not load back: " + fuzz::Quoted(store.Text()) +
                                                  " becomes " + fuzz::Quoted(again.Text()));
    }
    CheckReads(again, false);
  }
  return 0;
}
