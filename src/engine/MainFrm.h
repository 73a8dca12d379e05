#pragma once
// The main form: carries the screensaver host Zuss, the engine's three timers and the
// preview label. Its construction and stored values live in MainFrm.cpp; the
// rotation and the preview animation (the handlers below) in MainFrmEngine.cpp.
#include <windows.h>

#include "engine/PlayList.h"
#include "host/ZuScreenSaver.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"
#include "toolkit/Label.h"
#include "toolkit/Timer.h"

class TfrmMain : public tk::Form {
 public:
  explicit TfrmMain(tk::Component* owner);
  ~TfrmMain() override;

  // Owned by the form.
  tk::Label* PreLabel = nullptr;
  TZuScreenSaver* Zuss = nullptr;
  tk::Timer* Timer1 = nullptr;
  tk::Timer* Timer2 = nullptr;
  tk::Timer* Timer3 = nullptr;
  // The full-screen run's play list; never shown.
  PlayList ScrList;

  void ZussRunNormal(tk::Component* sender, HWND hWnd, HWND hWndParent);
  void ZussRunPreview(tk::Component* sender, HWND hWnd, HWND hWndParent);
  void ZussCreateConfigForm(tk::Component* sender, tk::Form*& configForm);
  void ZussClose(tk::Component* sender);
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();

 private:
  tk::GdiObject formFont_;
  tk::GdiObject preLabelFont_;
};
