#include "settings/BackgroundOption.h"

#include <vector>

#include "settings/CommaText.h"
#include "settings/IniStore.h"
#include "settings/SettingsNames.h"
#include "settings/WholeNumber.h"

namespace tessora {

BackgroundOption ReadBackgroundOption(const IniStore& store) {
  const std::vector<std::string> fields =
      SplitCommaText(store.ReadString(settings::OptionSection, settings::BgColorKey, "0,0"));
  BackgroundOption option;
  option.solid = !fields.empty() && fields[0] == "1";
  option.colour = fields.size() >= 2 ? ReadWholeNumber(fields[1], 0) : 0;
  return option;
}

std::string BackgroundOptionValue(const BackgroundOption& option) {
  return (option.solid ? "1," : "0,") + WholeNumberText(option.colour);
}

}  // namespace tessora
