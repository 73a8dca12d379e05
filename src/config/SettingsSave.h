#pragma once
// What OK of the configuration dialog writes, from the dialog's state as plain data,
// and the OK steps around it: the question about an unregistered list, the save with
// its per-user fallback and the failure message.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "settings/IniStore.h"
#include "settings/SettingsFileSystem.h"
#include "settings/SettingsLocation.h"

namespace tessora {

struct SavedSet {
  std::string name;
  // Entry lines "display name=value" as the set holds them: loaded lines after the
  // entry quoting, registered lines joined from the three fields.
  std::vector<std::string> lines;
};

struct ConfigSaveInput {
  bool random = false;
  std::string spanText;  // as the interval field reports it, possibly empty
  bool background = false;
  std::int32_t backgroundColour = 0;
  std::vector<SavedSet> sets;
  int selected = -1;  // index into sets; -1 when no set is selected
};

// Empties the store and fills it in the order OK writes: Option (random, span,
// bgcolor), SetList (Count, Current, then per set Item i followed by section Set i).
// A set without entry lines gets its Item key but no section; a line without "="
// names no entry and is left out; a display name that repeats keeps the first line.
void WriteConfigSettings(IniStore& store, const ConfigSaveInput& input);

inline constexpr const wchar_t* UnregisteredListQuestion =
    L"リストが編集されています。\r\n\r\n保存せず終了して良いですか？";
// "ファイル %s を作成できません" with the path in place of %s.
std::wstring SaveFailureText(const std::filesystem::path& path);

enum class OkOutcome {
  Kept,    // the user chose to stay and register the list first; nothing written
  Saved,   // the file holds the new settings; the dialog closes
  Failed,  // no place took the file; the message was shown, the dialog stays open
};

struct OkActions {
  // Asks UnregisteredListQuestion; true for Yes.
  std::function<bool()> askLeaveUnregistered;
  std::function<void(const std::wstring& message)> showFailure;
};

// OK from its question to the save: asks only when the list holds edits no set has
// taken up, then writes the store and saves it where SaveSettings finds room.
OkOutcome RunOk(bool edited, const ConfigSaveInput& input, IniStore& store, const SettingsPaths& paths,
                SettingsFileSystem& fileSystem, const OkActions& actions);

}  // namespace tessora
