#pragma once
// The per-entry options dialog: one saver entry's own seconds and frequency level.
// The form only holds its controls; EditEntryOptions (mOptionClick) fills it from the
// selected row of the configuration dialog, shows it and writes the result back.
#include <windows.h>

#include <string>

#include "controls/EditHex.h"
#include "controls/SlideUpDown.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace tessora {

// リセット closes the dialog with this result.
constexpr int mrAbort = IDABORT;

class TfrmOpt : public tk::Form {
 public:
  explicit TfrmOpt(tk::Component* owner);

  tk::Bevel* Bevel1;
  tk::Label* Sname;
  tk::Label* Label1;
  TEditHex* SpanT;
  TSlideUpDown* SpinBtn;
  tk::Label* Label3;
  tk::Label* Label2;
  tk::ComboBox* ComboBox1;
  tk::Button* Button1;
  tk::Button* Button2;
  tk::Button* Button3;

 protected:
  void FillCreateParams(tk::CreateParams& params) override;

 private:
  tk::FontRef font_;
};

// Where the dialog and its list view are, in the dialog's own terms: its outer
// rectangle on the screen, its client height, the list view's place in its client area.
struct OptionsPlacement {
  int dialogLeft = 0, dialogTop = 0, dialogOuterHeight = 0, dialogClientHeight = 0;
  int listLeft = 0, listTop = 0;
};
// Read from the windows themselves.
OptionsPlacement PlacementOf(HWND dialog, const tk::Control& listView);
// The options dialog's top-left corner on the screen: about over the list's own.
POINT OptionsOrigin(const OptionsPlacement& placement);

// What the options dialog needs of the configuration dialog. Texts are ANSI bytes as
// the rows hold them.
class EntryOptionsHost {
 public:
  virtual ~EntryOptionsHost() = default;
  virtual bool HasSelectedRow() = 0;
  // The selected row's cells. An empty seconds cell: the entry follows the global interval.
  virtual std::string SecondsCell() = 0;
  virtual void SetSecondsCell(const std::string& seconds) = 0;
  // The level of the frequency cell (0 to 4; -1 when the cell names none).
  virtual int FrequencyLevel() = 0;
  virtual void SetFrequencyLevel(int level) = 0;
  virtual std::string DisplayName() = 0;
  // The configuration dialog's interval field.
  virtual std::string GlobalSpanText() = 0;
  virtual OptionsPlacement Placement() = 0;
  virtual void SetEdited() = 0;
  // The options dialog's owner: the configuration dialog.
  virtual tk::Component* Owner() = 0;
};

// mOptionClick: shows the options of the selected row and applies the answer. The
// dialog's result, or mrNone when no row is selected.
int EditEntryOptions(EntryOptionsHost& host);

}  // namespace tessora
