#pragma once
// The configuration dialog: the saver sets, the saver list and the options, read
// once from the settings file when the form is created.
#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/EditHex.h"
#include "controls/ShadoLbl.h"
#include "controls/SlideUpDown.h"
#include "controls/URLLabel.h"
#include "settings/IniStore.h"
#include "settings/SettingsLocation.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureButton.h"

namespace tessora {

class TfrmConfig : public tk::Form {
 public:
  // hostParent is the window that asked for the configuration (null for none): the
  // dialog's owner, so it stays above that window. settings tells where the settings
  // file is looked for.
  TfrmConfig(tk::Component* owner, HWND hostParent, SettingsPaths settings);
  TfrmConfig(tk::Component* owner, HWND hostParent);

  // Owned by the form.
  tk::Label* Label1 = nullptr;
  tk::ComboBox* SetList = nullptr;
  tk::PictureButton* addSetBtn = nullptr;
  tk::PictureButton* delSetBtn = nullptr;
  tk::Bevel* Bevel1 = nullptr;
  tk::PictureButton* addBtn = nullptr;
  tk::Button* upBtn = nullptr;
  tk::Button* dwnBtn = nullptr;
  tk::PictureButton* delBtn = nullptr;
  tk::PictureButton* clrBtn = nullptr;
  tk::PictureButton* BitBtn1 = nullptr;
  tk::Panel* Panel1 = nullptr;
  TShadowLabel* ShadowLabel1 = nullptr;
  tk::Label* Label4 = nullptr;
  TURLLabel* URLLabel1 = nullptr;
  tk::GroupBox* GroupBox1 = nullptr;
  tk::CheckBox* randomChk = nullptr;
  tk::Label* Label2 = nullptr;
  TEditHex* SpanT = nullptr;
  TSlideUpDown* SpinBtn = nullptr;
  tk::Label* Label3 = nullptr;
  tk::Label* TimeLabel = nullptr;
  tk::CheckBox* BackChk = nullptr;
  tk::Panel* BackCol = nullptr;
  tk::SpeedButton* SpeedButton1 = nullptr;
  tk::Button* OkBtn = nullptr;
  tk::Button* CanselBtn = nullptr;

  void FormCreate();
  void SpanTChange();
  void UpdateTimeLabel(std::int32_t seconds);
  void OkBtnClick();

  // The folder the open-file dialog starts in: the system folder.
  const std::wstring& InitialDir() const { return initialDir_; }
  const IniStore& IniFile() const { return iniFile_; }
  HWND HostParent() const { return hostParent_; }

 protected:
  // CreateParams: the owner window is the host's hWndParent.
  void FillCreateParams(tk::CreateParams& params) override;

 private:
  void CreateControls();
  void LoadOptions();

  HWND hostParent_ = nullptr;
  SettingsPaths settings_;
  IniStore iniFile_;
  std::wstring initialDir_;

  tk::FontRef formFont_;
  tk::FontRef boldFont_;
  tk::FontRef arrowFont_;
  tk::FontRef titleFont_;
  tk::FontRef timeFont_;
};

}  // namespace tessora
