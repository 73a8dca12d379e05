#pragma once
// Names and version the program reports about itself.
namespace tessora {
extern const char* const kProgramTitle;  // application title and the name in the screensaver list
extern const char* const kVersionText;
}  // namespace tessora
