#pragma once
#include <cstdint>

namespace tessora {

// What the program was started to do; the values are the host's mode numbers.
enum class RunMode : std::uint8_t {
  Normal = 0,    // full-screen screensaver
  Preview = 1,   // drawn inside the system's preview window
  Password = 2,  // change the screensaver password
  Config = 3,    // show the configuration form
};

}  // namespace tessora
