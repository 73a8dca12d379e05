#pragma once
// The configuration dialog without its windows: the saver sets of the set box, the
// rows of the saver list with their paths, the options as loaded, and what every
// button does to them. The form shows what this holds and forwards each user action
// here; the world outside comes through ConfigEnvironment. Texts are ANSI bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigEnvironment.h"
#include "config/ConfigTexts.h"
#include "settings/BackgroundOption.h"
#include "settings/IniStore.h"
#include "settings/SaverEntry.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsNames.h"

namespace tessora {

// One row of the saver list.
struct ConfigRow {
  std::string displayName;
  // Empty: the entry follows the global interval; else its own seconds as stored or typed.
  std::string seconds;
  int level = DefaultFrequencyLevel;  // 0 to 4
  // The file was not there when the set was shown: the row is drawn grey.
  bool missing = false;

  std::string_view FrequencyCell() const { return FrequencyWords[static_cast<std::size_t>(level)]; }
  friend bool operator==(const ConfigRow&, const ConfigRow&) = default;
};

// An item of the set box: a name and its entry lines (display name "=" value).
struct SaverSet {
  std::string name;
  std::vector<std::string> lines;
  friend bool operator==(const SaverSet&, const SaverSet&) = default;
};

struct ConfigOptions {
  bool random = false;
  std::int32_t span = settings::DefaultSpan;
  BackgroundOption background;
};

class ConfigModel {
 public:
  explicit ConfigModel(ConfigEnvironment& environment, SettingsFileSystem& fileSystem = DefaultSettingsFileSystem());

  // Reads the settings file (the user's own when there is one, else the one beside
  // the program), fills the set box, shows the selected set and loads the options.
  void FormCreate();

  // The saver list. PathList()[i] is the file of Rows()[i].
  const std::vector<ConfigRow>& Rows() const { return rows_; }
  const std::vector<std::string>& PathList() const { return pathList_; }
  int SelectedRow() const { return selectedRow_; }
  // The user selected a row; anything out of range selects none.
  void SelectRow(int row);
  // The pop-up menu's view, configure and per-entry items.
  bool PMenuItemsEnabled() const { return selectedRow_ >= 0; }
  // The list's hint after a press on row (-1: on no row): its path, or nothing.
  std::string PathHint(int row) const;

  // The set box: its items, the selected one (-1: none) and its edit field's text.
  const std::vector<SaverSet>& SetList() const { return sets_; }
  int SetListIndex() const { return setIndex_; }
  const std::string& SetListText() const { return setText_; }
  // Selects item index (anything out of range selects none) and shows it; unregistered
  // edits are dropped.
  void SetListSelect(int index);
  // The user typed in the edit field: the text changes and no item is selected.
  void SetListTextChanged(std::string text);

  int ShownSet() const { return shownSet_; }
  bool Edited() const { return edited_; }

  // Appends the files the open dialog returned, in its order; the number of rows
  // added. A file already listed or the program itself adds nothing; Edited is set
  // even then.
  std::size_t addBtnClick(const std::vector<std::string>& chosenFiles);
  // Files dropped on the list: the ".scr" files among them are added as addBtnClick
  // adds them; without any, nothing happens.
  std::size_t FilesDropped(const std::vector<std::string>& paths);
  // Each true when the list changed.
  bool delBtnClick();
  void clrBtnClick();
  bool upBtnClick();
  bool dwnBtnClick();

  // The per-entry options of one row (out of range: nothing happens). These change the
  // cells only; the options dialog marks the list edited for every answer but Cancel.
  void SetRowSeconds(int row, std::string seconds);
  void SetRowLevel(int row, int level);
  void MarkEdited() { edited_ = true; }
  // Clears every row's own seconds and frequency; true when there was a row (an
  // empty list stays as it is, Edited included).
  bool BitBtn1Click();

  // Registers the list as the set named by the edit field; true when it did.
  bool addSetBtnClick();
  // Deletes the selected set and shows a neighbour; true when it did.
  bool delSetBtnClick();

  const ConfigOptions& Options() const { return options_; }
  ConfigOptions& Options() { return options_; }
  // The store as read; LastOpen() tells a missing file from one that could not be read.
  const IniStore& IniFile() const { return iniFile_; }
  IniStore& IniFile() { return iniFile_; }
  // The places FormCreate was given, for the save.
  const SettingsPaths& SettingsFiles() const { return settingsFiles_; }

 private:
  void ShowSelectedSet();
  std::vector<std::string> LinesOfRows() const;
  std::vector<std::string> QuotedSectionLines(std::string_view section) const;
  std::vector<std::int32_t> StoredSetNumbers(std::int32_t count) const;
  std::string NewRowName(const std::string& path) const;
  bool MoveRow(int from, int to);

  ConfigEnvironment& environment_;
  SettingsFileSystem& fileSystem_;
  SettingsPaths settingsFiles_;
  IniStore iniFile_;
  std::vector<ConfigRow> rows_;
  std::vector<std::string> pathList_;
  int selectedRow_ = -1;
  std::vector<SaverSet> sets_;
  int setIndex_ = -1;
  std::string setText_;
  int shownSet_ = -1;
  bool edited_ = false;
  ConfigOptions options_;
};

}  // namespace tessora
