#include <windows.h>

#include "engine/MainFrm.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    tk::App().Initialize();
    tk::App().SetTitle(L"Tessora");
    tk::App().CreateForm<TfrmMain>();
    return tk::App().Run();
  } catch (...) {
    // Failures are silent: the program ends without a report.
    return 1;
  }
}
