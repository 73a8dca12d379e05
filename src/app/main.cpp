#include <windows.h>

#include "engine/MainFrm.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    tessora::tk::App().Initialize();
    tessora::tk::App().SetTitle(L"Tessora");
    tessora::tk::App().CreateForm<tessora::TfrmMain>();
    return tessora::tk::App().Run();
  } catch (...) {
    // Failures are silent: the program ends without a report.
    return 1;
  }
}
