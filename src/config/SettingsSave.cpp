#include "config/SettingsSave.h"

#include <string_view>

#include "settings/BackgroundOption.h"
#include "settings/SaverEntry.h"
#include "settings/SettingsNames.h"
#include "settings/WholeNumber.h"

namespace tessora {

void WriteConfigSettings(IniStore& store, const ConfigSaveInput& input) {
  using namespace settings;
  store.Clear();
  store.WriteInteger(OptionSection, RandomKey, input.random ? 1 : 0);
  store.WriteString(OptionSection, SpanKey, input.spanText);
  store.WriteString(OptionSection, BgColorKey,
                    BackgroundOptionValue(BackgroundOption{input.background, input.backgroundColour}));
  store.WriteInteger(SetListSection, CountKey, static_cast<std::int32_t>(input.sets.size()));
  // Anything outside the list would name a set the file does not have.
  const bool selectedInRange = input.selected >= 0 && static_cast<std::size_t>(input.selected) < input.sets.size();
  store.WriteInteger(SetListSection, CurrentKey, selectedInRange ? input.selected : DefaultCurrent);
  for (std::size_t i = 0; i < input.sets.size(); ++i) {
    const std::string number = WholeNumberText(static_cast<std::int32_t>(i));
    store.WriteString(SetListSection, std::string(ItemKeyPrefix) + number, input.sets[i].name);
    WriteSaverLines(store, std::string(SetSectionPrefix) + number, input.sets[i].lines);
  }
}

std::wstring SaveFailureText(const std::filesystem::path& path) {
  return L"ファイル " + path.wstring() + L" を作成できません";
}

OkOutcome RunOk(bool edited, const ConfigSaveInput& input, IniStore& store, const SettingsPaths& paths,
                SettingsFileSystem& fileSystem, const OkActions& actions) {
  if (edited && !(actions.askLeaveUnregistered && actions.askLeaveUnregistered())) return OkOutcome::Kept;
  WriteConfigSettings(store, input);
  std::filesystem::path lastTried;
  if (SaveSettings(store, paths, fileSystem, lastTried)) return OkOutcome::Saved;
  if (actions.showFailure) actions.showFailure(SaveFailureText(lastTried));
  return OkOutcome::Failed;
}

}  // namespace tessora
