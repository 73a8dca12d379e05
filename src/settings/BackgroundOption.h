#pragma once
// Option/bgcolor: a flag and a colour (0x00BBGGRR, or a system colour code)
// as a comma text of two fields.
#include <cstdint>
#include <string>

namespace tessora {

class IniStore;

struct BackgroundOption {
  bool solid = false;  // only the exact text "1" turns it on
  std::int32_t colour = 0;
};

BackgroundOption ReadBackgroundOption(const IniStore& store);
std::string BackgroundOptionValue(const BackgroundOption& option);

}  // namespace tessora
