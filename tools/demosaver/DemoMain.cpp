// Built once per demo saver; DEMO_SAVER_ID picks the entry of kDemoVariants.
#include "DemoSaver.h"

#ifndef DEMO_SAVER_ID
#error "DEMO_SAVER_ID must name an entry of kDemoVariants"
#endif
static_assert(FindDemoVariant(DEMO_SAVER_ID) != nullptr, "DEMO_SAVER_ID names no entry of kDemoVariants");

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunDemoSaver(*FindDemoVariant(DEMO_SAVER_ID), instance);
}
