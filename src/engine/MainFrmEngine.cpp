#include <algorithm>
#include <filesystem>

#include "config/SaverFile.h"
#include "settings/BackgroundOption.h"
#include "settings/IniStore.h"
#include "engine/MainFrm.h"
#include "settings/SaverEntry.h"
#include "settings/SettingsLocation.h"
#include "settings/WinSettingsFileSystem.h"
#include "settings/SettingsNames.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {
// A colour of the settings file: 0x00BBGGRR, or a system colour's code.
COLORREF FormColour(std::int32_t value) { return tk::ColorToRgb(static_cast<ColorRef>(value)); }

// Switch times at which a child whose windows could not be closed nor ended is tried
// again; after them it stays, as a child that is never switched, until it goes.
constexpr int kCloseAttempts = 3;

std::string SaverSection(std::int32_t current) {
  if (current < 0) return std::string(settings::LegacySaversSection);
  return std::string(settings::SetSectionPrefix) + std::to_string(current);
}
}  // namespace

void TfrmMain::ZussRunNormal(tk::Component*, HWND, HWND) {
  IniStore store;
  store.Open(SettingsReadPath(ProgramSettingsPaths(), DefaultSettingsFileSystem()));
  const std::int32_t current = store.ReadInteger(settings::SetListSection, settings::CurrentKey, settings::DefaultCurrent);
  const std::vector<SaverEntry> entries = ReadSaverEntries(store, SaverSection(current));
  randomOrder_ = store.ReadInteger(settings::OptionSection, settings::RandomKey, settings::DefaultRandom) != 0;
  const std::int32_t span = store.ReadInteger(settings::OptionSection, settings::SpanKey, settings::DefaultSpan);
  const BackgroundOption background = ReadBackgroundOption(store);

  bool maximise = background.solid;
  if (!maximise) SetBounds(0, 0, 1, 1);
  SetColor(FormColour(background.colour));

  entryTimes_ = EntryTimes(span);
  // Tessora never rotates itself: an entry naming this very program is passed over.
  ScrList = BuildPlayList(entries, [](const std::string& path) { return SaverFileExists(path) && !IsRunningProgram(path); });

  if (ScrList.Empty()) {
    // Nothing to play: a plain screen that the host's own trapping ends.
    ShowMaximised();
    return;
  }
  if (maximise) ShowMaximised();
  Zuss->TrapEvents = {};
  if (randomOrder_) random_ = SeededRandom(ClockSeed());
  child_ = std::make_unique<ChildSaver>();
  failedStarts_.assign(ScrList.Count(), false);
  Timer1->SetEnabled(true);
}

void TfrmMain::ShowMaximised() {
  // The window appears when the message loop starts; it fills the screen from then on.
  auto previous = OnShow;
  OnShow = [this, previous] {
    ShowWindow(Handle(), SW_MAXIMIZE);
    if (previous) previous();
  };
}

int TfrmMain::SelectNextEntry() {
  const int index = ScrList.SelectNextEntry(static_cast<int>(Timer1->Tag), randomOrder_, random_);
  Timer1->Tag = index;
  return index;
}

std::string TfrmMain::ApplyEntryTime(int index) { return entryTimes_.ApplyEntryTime(ScrList[static_cast<std::size_t>(index)]); }

void TfrmMain::Timer1Timer() {
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  if (!child_) return;
  if (Timer1->Interval() == entryTimes_.CloseInterval()) {
    CloseStep();
  } else {
    StartStep();
  }
}

void TfrmMain::CloseStep() {
  if (child_->CloseSaver()) {
    ArmStartStep();
  } else if (child_->LastCloseLeftWindows()) {
    // Its windows are still on the screen and the next saver must not start under
    // them: it stays the running child, watched as before, until a later switch time
    // closes it or it goes by itself.
    ++failedCloses_;
    ArmCloseStep();
    Timer2->SetEnabled(true);
  } else {
    // The child went by itself (the user's input) just before its time was up.
    Zuss->RequestClose();
  }
}

void TfrmMain::ArmCloseStep() {
  if (failedCloses_ >= kCloseAttempts || !entryTimes_.ClosesCurrentEntry(ScrList.Count())) return;
  Timer1->SetInterval(entryTimes_.CloseInterval());
  Timer1->SetEnabled(true);
}

void TfrmMain::ArmStartStep() {
  Timer1->SetInterval(entryTimes_.RestartDelay());
  Timer1->SetEnabled(true);
}

void TfrmMain::StartStep() {
  const int index = SelectNextEntry();
  const std::string path = ApplyEntryTime(index);
  if (!child_->StartSaver(path)) {
    // A saver that shows nothing is passed over; only a list of which no entry
    // starts any more ends the run.
    failedStarts_[static_cast<std::size_t>(index)] = true;
    if (std::find(failedStarts_.begin(), failedStarts_.end(), false) == failedStarts_.end()) {
      Zuss->RequestClose();
    } else {
      ArmStartStep();
    }
    return;
  }
  failedStarts_.assign(failedStarts_.size(), false);
  failedCloses_ = 0;
  ArmCloseStep();
  Zuss->MarkScreenSaverRunning();
  Timer2->SetEnabled(true);
}

void TfrmMain::Timer2Timer() {
  // The windows of the processes the child started count too: a saver may show
  // its window from a process of its own.
  if (!child_ || !child_->ShowsWindows()) Zuss->RequestClose();
}

void TfrmMain::ZussClose(tk::Component*) {
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  Timer3->SetEnabled(false);
  if (child_) child_->ClearLists();
}

void TfrmMain::ZussCloseCancel(tk::Component*) {
  // The password was not given: the screensaver runs on. A child still on the
  // screen is watched and switched again; otherwise the next one starts.
  if (!child_) return;
  if (child_->ShowsWindows()) {
    ArmCloseStep();
    Timer2->SetEnabled(true);
  } else {
    ArmStartStep();
  }
}

void TfrmMain::ZussRunPreview(tk::Component*, HWND, HWND hWndParent) {
  previewHook_ = AddMessageHook([this](tk::Message& message) { return PreviewWindowProc(message); });

  RECT client{};
  GetClientRect(hWndParent, &client);
  // The form covers the preview window, whatever its size, so the label's range
  // lies inside the form.
  SetBounds(0, 0, client.right - client.left, client.bottom - client.top);
  random_ = SeededRandom(ClockSeed());
  previewPath_.Start(client.right - client.left, client.bottom - client.top, PreLabel->Width(), PreLabel->Height(),
                     random_);
  PreLabel->SetBounds(previewPath_.Left(), previewPath_.Top(), PreLabel->Width(), PreLabel->Height());
  PreLabel->SetVisible(true);
  Timer3->SetEnabled(true);
}

void TfrmMain::Timer3Timer() {
  previewPath_.Tick(random_);
  PreLabel->SetBounds(previewPath_.Left(), previewPath_.Top(), PreLabel->Width(), PreLabel->Height());
}

bool TfrmMain::PreviewWindowProc(tk::Message& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      // The buffered paint fills the background itself; erasing first would flicker.
      message.Result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      if (dc) PaintBuffered(dc);
      EndPaint(Handle(), &paint);
      return true;
    }
    default:
      return false;
  }
}

void TfrmMain::PaintBuffered(HDC target) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  tk::MemoryDc buffer(CreateCompatibleDC(target));
  tk::GdiObject bitmap(CreateCompatibleBitmap(target, width, height));
  if (!buffer || !bitmap) return;
  tk::ScopedSelect selected(buffer.Get(), bitmap.Get());
  tk::GdiObject brush(CreateSolidBrush(Color()));
  FillRect(buffer.Get(), &client, static_cast<HBRUSH>(brush.Get()));
  PaintGraphicControls(buffer.Get(), client);
  BitBlt(target, 0, 0, width, height, buffer.Get(), 0, 0, SRCCOPY);
}

}  // namespace tessora
