#include "app/Version.h"

#include "TessoraVersion.h"

namespace tessora {
const char* const kProgramTitle = "Tessora";
const char* const kVersionText = TESSORA_VERSION_TEXT;
}  // namespace tessora
