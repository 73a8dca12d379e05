#include "engine/MainFrm.h"

void TfrmMain::ZussRunNormal(tk::Component*, HWND, HWND) {}

void TfrmMain::ZussRunPreview(tk::Component*, HWND, HWND) {}

void TfrmMain::ZussClose(tk::Component*) {}

void TfrmMain::Timer1Timer() {}

void TfrmMain::Timer2Timer() {}

void TfrmMain::Timer3Timer() {}
