#include "app/Version.h"

namespace tessora {
const char* const kProgramTitle = "Tessora";
const char* const kVersionText = "1.0.0";
}  // namespace tessora
