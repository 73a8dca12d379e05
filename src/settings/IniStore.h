#pragma once
// The settings file held whole in memory: sections of lines in file order.
// Text is kept as the bytes of the file (the system's ANSI code page, Shift-JIS
// on Japanese systems) and never converted. Section names and keys match with
// ASCII letter case ignored.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/KeyIndex.h"
#include "settings/SettingsFileSystem.h"

namespace tessora {

class IniStore {
 public:
  explicit IniStore(SettingsFileSystem& fileSystem = DefaultSettingsFileSystem());

  enum class OpenResult { Read, Missing, Unreadable };

  // Loads the file at path, or starts empty when there is none (or it cannot be
  // read: LastOpen tells which); Save writes back to path. True when a file was read.
  bool Open(const std::filesystem::path& path);
  OpenResult LastOpen() const { return lastOpen_; }
  // Replaces the store's content with the parsed text.
  void Load(std::string_view text);
  const std::filesystem::path& Path() const { return path_; }

  // The value of the last line with the key in the last section of that name;
  // fallback when there is none. An empty value is a value.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // ReadString, then the whole-number rule; fallback for anything else.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
  // Every line of the section in order (key "=" value, or a line without "=").
  std::vector<std::string> ReadSectionLines(std::string_view section) const;
  // The same lines without copies; valid until the store is next changed.
  std::vector<std::string_view> SectionLineViews(std::string_view section) const;
  bool SectionExists(std::string_view section) const;

  // Replaces the last line with the key in place, or appends one; a missing
  // section is appended to the store.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void Clear();

  // The file's text: per section "[name]", its lines and an empty line, each
  // ended by CR LF.
  std::string Text() const;
  // Replaces the file with Text(). False when it cannot be written; the file
  // on disk is then left as it was.
  bool Save();
  // Saves to another path, which becomes the store's path when that worked.
  bool SaveAs(const std::filesystem::path& path);

 private:
  struct Line {
    std::string text;
    std::size_t keyLength;  // up to the first "="; npos for a line without one
    std::string_view Key() const { return std::string_view(text).substr(0, keyLength); }
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
    // Key of a line -> the last line with that key; built on first lookup.
    mutable KeyIndex keys;
    mutable bool indexed = false;
  };

  std::size_t FindSection(std::string_view name) const;  // KeyIndex::npos when absent
  Section& SectionForWriting(std::string_view name);
  std::size_t FindLine(const Section& section, std::string_view key) const;
  void AddSection(std::string name);
  void AddLine(Section& section, std::string text);

  SettingsFileSystem* fileSystem_;
  std::filesystem::path path_;
  OpenResult lastOpen_ = OpenResult::Missing;
  std::vector<Section> sections_;
  KeyIndex sectionIndex_;  // name -> the last section of that name
};

}  // namespace tessora
