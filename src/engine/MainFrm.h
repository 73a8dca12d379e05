#pragma once
// The main form: carries the screensaver host Zuss, the engine's three timers and the
// preview label. Its construction and stored values live in MainFrm.cpp; the
// rotation and the preview animation (the handlers below) in MainFrmEngine.cpp.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/ChildSaver.h"
#include "engine/EntryTimes.h"
#include "engine/PlayList.h"
#include "engine/PreviewPath.h"
#include "engine/RandomSource.h"
#include "host/ZuScreenSaver.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"
#include "toolkit/Label.h"
#include "toolkit/Timer.h"

namespace tessora {

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
  void ZussCloseCancel(tk::Component* sender);
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();

  // The play-list item to start next; also kept in Timer1's Tag.
  int SelectNextEntry();
  // Sets the close interval for the item and gives its path.
  std::string ApplyEntryTime(int index);

 private:
  void StartStep();
  void CloseStep();
  void ArmStartStep();
  void ArmCloseStep();
  void ShowMaximised();
  bool PreviewWindowProc(tk::Message& message);
  void PaintBuffered(HDC target);

  // Full-screen run, set up by ZussRunNormal.
  bool randomOrder_ = false;
  EntryTimes entryTimes_{60};
  SeededRandom random_{0};
  // From ZussRunNormal to the program's end: the job that ends the children with it.
  std::unique_ptr<ChildSaver> child_;
  // Items that failed to start since the last start that showed a window.
  std::vector<bool> failedStarts_;
  // Switch times in a row at which the running child's windows could not be closed.
  int failedCloses_ = 0;
  // Preview.
  PreviewPath previewPath_;
  tk::MessageHookRegistration previewHook_;

  tk::GdiObject formFont_;
  tk::GdiObject preLabelFont_;
};

}  // namespace tessora
