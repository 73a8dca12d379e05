#pragma once
#include <windows.h>

#include "DemoVariant.h"

// The whole life of a demo saver process: reads the command line, does what the mode
// asks and returns the process exit code.
int RunDemoSaver(const DemoVariant& variant, HINSTANCE instance);
