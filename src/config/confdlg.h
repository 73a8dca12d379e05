#pragma once
// The configuration dialog: the saver sets, the saver list and the options, read
// once from the settings file when the form is created.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigModel.h"
#include "controls/EditHex.h"
#include "controls/ShadoLbl.h"
#include "controls/SlideUpDown.h"
#include "controls/URLLabel.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ColorDialog.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureButton.h"
#include "toolkit/PopupMenu.h"

namespace tessora {

class TfrmConfig : public tk::Form {
 public:
  // hostParent is the window that asked for the configuration (null for none): the
  // dialog's owner, so it stays above that window. settings tells where the settings
  // file is looked for.
  TfrmConfig(tk::Component* owner, HWND hostParent, SettingsPaths settings);
  TfrmConfig(tk::Component* owner, HWND hostParent);
  ~TfrmConfig() override;

  // Owned by the form.
  tk::Label* Label1 = nullptr;
  tk::ComboBox* SetList = nullptr;
  tk::PictureButton* addSetBtn = nullptr;
  tk::PictureButton* delSetBtn = nullptr;
  tk::ListView* ListView1 = nullptr;
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
  tk::OpenDialog* OpenDialog1 = nullptr;
  tk::PopupMenu* PMenu = nullptr;
  tk::MenuItem* mView = nullptr;
  tk::MenuItem* mConf = nullptr;
  tk::MenuItem* N1 = nullptr;
  tk::MenuItem* mOption = nullptr;
  tk::ColorDialog* ColorDlg = nullptr;

  void FormCreate();
  void SetListSelect();
  void addSetBtnClick();
  void addBtnClick();
  void delSetBtnClick();
  void delBtnClick();
  void clrBtnClick();
  void upBtnClick();
  void dwnBtnClick();
  void PMenuPopup();
  void ListView1MouseDown(tk::MouseButton button, WPARAM keys, int x, int y);
  void ListView1CustomDrawItem(tk::ListDraw& draw);
  void ListView1CustomDrawSubItem(tk::ListDraw& draw);
  // Files dropped from the shell; the ".scr" files among them are added as addBtn adds them.
  void FilesDropped(const std::vector<std::string>& paths);
  void SpanTChange();
  void UpdateTimeLabel(std::int32_t seconds);
  void BackColClick();
  void mOptionClick();
  void BitBtn1Click();
  void mViewClick();
  void mConfClick();
  void SpeedButton1Click();
  void OkBtnClick();

  // The folder the open-file dialog starts in: the system folder.
  const std::wstring& InitialDir() const { return initialDir_; }
  // What the dialog shows: the sets, the rows and their paths, Edited.
  const ConfigModel& Model() const { return *model_; }
  HWND HostParent() const { return hostParent_; }

 protected:
  // CreateParams: the owner window is the host's hWndParent.
  void FillCreateParams(tk::CreateParams& params) override;

 private:
  class RowOptions;

  void CreateControls();
  void LoadOptions();
  // Puts the model's sets into the set box: items, selection, edit field.
  void ShowSetList();
  // Fills the list with the model's rows and its selected row.
  void ShowRows();
  // Shows a row's seconds and frequency cells again.
  void ShowCells(int row);
  // What the list shows in a cell of the model's rows.
  std::wstring CellText(int row, int column) const;
  // The model follows the row the user selected in the list.
  void SyncSelection();
  // Takes the shell's file drops on the control's window.
  void AcceptDroppedFiles(tk::WinControl& target);

  HWND hostParent_ = nullptr;
  std::unique_ptr<ConfigEnvironment> environment_;
  std::unique_ptr<ConfigModel> model_;
  // The user agreed to replace a settings file that could not be read.
  bool replaceUnreadableAgreed_ = false;
  std::wstring initialDir_;
  tk::MessageHookRegistration dropHook_;

  tk::FontRef formFont_;
  tk::FontRef boldFont_;
  tk::FontRef arrowFont_;
  tk::FontRef titleFont_;
  tk::FontRef timeFont_;
};

}  // namespace tessora
