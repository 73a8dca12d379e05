#include "config/confdlg.h"

#include <shellapi.h>  // after windows.h, through confdlg.h

#include <utility>

#include "app/resource.h"
#include "config/SaverCommands.h"
#include "config/SaverFile.h"
#include "config/SecondsSpin.h"
#include "config/SettingsSave.h"
#include "config/option.h"
#include "controls/CustomKeepButton.h"
#include "controls/LabelColor.h"
#include "settings/WholeNumber.h"
#include "settings/WinSettingsFileSystem.h"
#include "toolkit/ConfirmBox.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {

constexpr COLORREF kTeal = RGB(0, 128, 128);

template <class T>
T* Make(tk::Component* owner, tk::WinControl* parent, const wchar_t* name, int left, int top, int width, int height) {
  T* control = new T(owner);
  control->Name = name;
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

// Labels of the form keep the size they are given.
tk::Label* MakeLabel(tk::Component* owner, tk::WinControl* parent, const wchar_t* name, int left, int top, int width,
                     int height, const wchar_t* caption) {
  auto* label = new tk::Label(owner);
  label->Name = name;
  label->SetParent(parent);
  label->SetAutoSize(false);
  label->SetBounds(left, top, width, height);
  label->SetCaption(caption);
  return label;
}

// The model's world: saver files as the rotation finds them, their own names read as
// data, the running program by file identity, questions in the program's own box.
class DialogEnvironment : public ConfigEnvironment {
 public:
  DialogEnvironment(tk::Form& form, SettingsPaths settings) : form_(form), settings_(std::move(settings)) {}
  SettingsPaths SettingsFiles() override { return settings_; }
  bool IsRunningProgram(const std::string& path) override { return tessora::IsRunningProgram(path); }
  bool FileExists(const std::string& path) override { return SaverFileExists(path); }
  std::string DisplayName(const std::string& path) override { return GetDisplayName(path); }
  bool Confirm(std::wstring_view question) override {
    return tk::ConfirmBox(std::wstring(question), &form_) == tk::mrYes;
  }

 private:
  tk::Form& form_;
  SettingsPaths settings_;
};

}  // namespace

// The per-entry options dialog's view of the selected row.
class TfrmConfig::RowOptions : public EntryOptionsHost {
 public:
  RowOptions(TfrmConfig& form, ConfigModel& model) : form_(form), model_(model) {}
  bool HasSelectedRow() override { return model_.SelectedRow() >= 0; }
  std::string SecondsCell() override { return Row().seconds; }
  void SetSecondsCell(const std::string& seconds) override { model_.SetRowSeconds(model_.SelectedRow(), seconds); }
  int FrequencyLevel() override { return Row().level; }
  void SetFrequencyLevel(int level) override { model_.SetRowLevel(model_.SelectedRow(), level); }
  std::string DisplayName() override { return Row().displayName; }
  std::string GlobalSpanText() override { return form_.SpanT->Text(); }
  OptionsPlacement Placement() override { return PlacementOf(form_.Handle(), *form_.ListView1); }
  void SetEdited() override { model_.MarkEdited(); }
  tk::Component* Owner() override { return &form_; }

 private:
  const ConfigRow& Row() const { return model_.Rows()[static_cast<std::size_t>(model_.SelectedRow())]; }

  TfrmConfig& form_;
  ConfigModel& model_;
};

TfrmConfig::TfrmConfig(tk::Component* owner, HWND hostParent) : TfrmConfig(owner, hostParent, ProgramSettingsPaths()) {}

TfrmConfig::~TfrmConfig() = default;

TfrmConfig::TfrmConfig(tk::Component* owner, HWND hostParent, SettingsPaths settings)
    : Form(owner),
      hostParent_(hostParent),
      environment_(std::make_unique<DialogEnvironment>(*this, std::move(settings))),
      model_(std::make_unique<ConfigModel>(*environment_)) {
  Name = L"frmConfig";
  SetCaption(L"Tessora 設定");
  Border = tk::BorderStyle::Dialog;
  DialogKeys = true;
  formFont_ = tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  SetFont(formFont_);
  SetClientSize(448, 233);
  // Centred on the desktop; the host moves it over the window that asked for it.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetBounds(work.left + (work.right - work.left - Width()) / 2, work.top + (work.bottom - work.top - Height()) / 2,
            Width(), Height());
  SetShowHint(true);
  CreateControls();
  OnCreate = [this] { FormCreate(); };
}

void TfrmConfig::CreateControls() {
  boldFont_ = tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, true, SHIFTJIS_CHARSET);
  arrowFont_ = tk::MakeSharedFont(L"ＭＳ ゴシック", -13, false, SHIFTJIS_CHARSET);
  titleFont_ = tk::MakeSharedFont(L"Arial", -13, true, ANSI_CHARSET);
  timeFont_ = tk::MakeSharedFont(L"Courier New", -12, false, ANSI_CHARSET);

  Label1 = MakeLabel(this, this, L"Label1", 4, 4, 158, 12, L"使用するスクリーンセーバー");
  Label1->SetFont(boldFont_);
  Label1->SetHint(L"右クリックでメニューから表示と設定");

  SetList = Make<tk::ComboBox>(this, this, L"SetList", 4, 24, 181, 20);
  SetList->SetTabStop(true);
  SetList->OnSelect = [this] { SetListSelect(); };
  SetList->OnChange = [this] { model_->SetListTextChanged(tk::FromWide(SetList->Text())); };

  auto pictureButton = [this](const wchar_t* name, int left, int top, int size, int picture, const wchar_t* hint) {
    auto* button = Make<tk::PictureButton>(this, this, name, left, top, size, size);
    button->SetPicture(picture);
    button->SetHint(hint);
    button->SetTabStop(true);
    return button;
  };
  addSetBtn = pictureButton(L"addSetBtn", 186, 24, 20, IDB_ADDSET, L"セット登録");
  delSetBtn = pictureButton(L"delSetBtn", 208, 24, 20, IDB_DELSET, L"セット削除");
  addSetBtn->OnClick = [this] { addSetBtnClick(); };
  delSetBtn->OnClick = [this] { delSetBtnClick(); };

  ListView1 = Make<tk::ListView>(this, this, L"ListView1", 3, 49, 230, 180);
  // The rows stay in the model: a set of thousands opens as fast as one of ten.
  ListView1->OnCellText = [this](int row, int column) { return CellText(row, column); };
  ListView1->SetTabStop(true);
  ListView1->AddColumn({L"ｽｸﾘｰﾝｾｰﾊﾞｰ名", 50, 50, tk::ColumnAlignment::Left, true});
  ListView1->AddColumn({L"秒", 40, 20, tk::ColumnAlignment::Center, false});
  ListView1->AddColumn({L"頻度", 40, 0, tk::ColumnAlignment::Center, false});
  ListView1->OnMouseDown = [this](tk::MouseButton button, WPARAM keys, int x, int y) {
    ListView1MouseDown(button, keys, x, y);
  };
  ListView1->OnCustomDrawItem = [this](tk::ListDraw& draw) { ListView1CustomDrawItem(draw); };
  ListView1->OnCustomDrawSubItem = [this](tk::ListDraw& draw) { ListView1CustomDrawSubItem(draw); };
  ListView1->OnDblClick = [this] { mOptionClick(); };

  Bevel1 = Make<tk::Bevel>(this, this, L"Bevel1", 230, 48, 37, 181);
  Bevel1->SetShape(tk::BevelShape::Frame);

  addBtn = pictureButton(L"addBtn", 238, 53, 24, IDB_ADDITEM, L"アイテム追加（複数選択可）");
  upBtn = Make<tk::Button>(this, this, L"upBtn", 238, 80, 24, 24);
  upBtn->SetCaption(L"↑");
  upBtn->SetFont(arrowFont_);
  upBtn->SetHint(L"上へ移動");
  upBtn->SetTabStop(true);
  dwnBtn = Make<tk::Button>(this, this, L"dwnBtn", 238, 105, 24, 24);
  dwnBtn->SetCaption(L"↓");
  dwnBtn->SetFont(arrowFont_);
  dwnBtn->SetHint(L"下へ移動");
  dwnBtn->SetTabStop(true);
  delBtn = pictureButton(L"delBtn", 238, 131, 24, IDB_DELITEM, L"アイテム削除");
  clrBtn = pictureButton(L"clrBtn", 238, 161, 24, IDB_CLEARLIST, L"リストクリア");
  BitBtn1 = pictureButton(L"BitBtn1", 238, 190, 24, IDB_CLEARENTRIES, L"個別設定クリア");
  BitBtn1->SetDisabledPicture(IDB_CLEARENTRIES_GREY);
  BitBtn1->OnClick = [this] { BitBtn1Click(); };
  addBtn->OnClick = [this] { addBtnClick(); };
  upBtn->OnClick = [this] { upBtnClick(); };
  dwnBtn->OnClick = [this] { dwnBtnClick(); };
  delBtn->OnClick = [this] { delBtnClick(); };
  clrBtn->OnClick = [this] { clrBtnClick(); };

  Panel1 = Make<tk::Panel>(this, this, L"Panel1", 275, 8, 169, 41);
  Panel1->SetBevelInner(tk::BevelCut::Lowered);

  ShadowLabel1 = Make<TShadowLabel>(this, Panel1, L"ShadowLabel1", 6, 3, 58, 16);
  ShadowLabel1->SetAutoSize(false);
  ShadowLabel1->SetBounds(6, 3, 58, 16);
  ShadowLabel1->SetCaption(L"Tessora");
  ShadowLabel1->SetFont(titleFont_);
  ShadowLabel1->SetFontColor(lblcolor::clGreen);
  ShadowLabel1->Highlight().SetColor(lblcolor::clWhite);
  ShadowLabel1->Highlight().SetOffsetLeft(-1);
  ShadowLabel1->Highlight().SetOffsetTop(-1);
  ShadowLabel1->Shadow().SetColor(lblcolor::clMedGray);
  ShadowLabel1->SetGradation(false);
  ShadowLabel1->SetEllipsis(TEllipsis::elNone);

  Label4 = MakeLabel(this, Panel1, L"Label4", 71, 6, 86, 12, L"v1.11  © TSR");

  URLLabel1 = Make<TURLLabel>(this, Panel1, L"URLLabel1", 7, 25, 148, 12);
  URLLabel1->SetAutoSize(false);
  URLLabel1->SetBounds(7, 25, 148, 12);
  URLLabel1->SetCaption(L"https://tessora.example/");
  URLLabel1->SetHint(L"作者のサイト");
  URLLabel1->SetFontColor(lblcolor::clNavy);
  URLLabel1->SetExecutable(true);
  URLLabel1->SetHotColor(lblcolor::clBlue);
  URLLabel1->SetPushedColor(0x800080);  // purple

  GroupBox1 = Make<tk::GroupBox>(this, this, L"GroupBox1", 275, 56, 169, 129);
  GroupBox1->SetCaption(L"起動オプション");

  randomChk = Make<tk::CheckBox>(this, GroupBox1, L"randomChk", 14, 22, 97, 17);
  randomChk->SetCaption(L"ランダム起動");
  randomChk->SetHint(L"未チェック時はリスト順に起動");
  randomChk->SetTabStop(true);

  Label2 = MakeLabel(this, GroupBox1, L"Label2", 16, 54, 54, 12, L"起動間隔：");

  SpanT = Make<TEditHex>(this, GroupBox1, L"SpanT", 72, 50, 49, 20);
  SpanT->SetText("0");
  SpanT->SetAlignment(EditAlignment::taRightJustify);
  SpanT->SetNumeralOnly(true);
  SpanT->SetNumericType(TNumericalType::Decimal);
  SpanT->SetImeDisabled(true);
  SpanT->SetHint(L"0 にすると、始めの１個だけ起動");
  SpanT->SetTabStop(true);

  SpinBtn = Make<TSlideUpDown>(this, GroupBox1, L"SpinBtn", 121, 50, 12, 20);
  SetUpSecondsSpinParts(*SpinBtn);
  AssociateSecondsSpin(*SpinBtn, *SpanT, 0);

  Label3 = MakeLabel(this, GroupBox1, L"Label3", 140, 54, 12, 12, L"秒");
  TimeLabel = MakeLabel(this, GroupBox1, L"TimeLabel", 68, 72, 70, 15, L"(00:00:00)");
  TimeLabel->SetFont(timeFont_);

  BackChk = Make<tk::CheckBox>(this, GroupBox1, L"BackChk", 14, 100, 71, 17);
  BackChk->SetCaption(L"単色背景");
  BackChk->SetTabStop(true);

  BackCol = Make<tk::Panel>(this, GroupBox1, L"BackCol", 95, 98, 40, 21);
  BackCol->SetBevelOuter(tk::BevelCut::Lowered);
  BackCol->SetColor(kTeal);
  BackCol->SetTabStop(true);
  BackCol->OnClick = [this] { BackColClick(); };

  randomChk->SetTabOrder(0);
  SpanT->SetTabOrder(1);
  BackChk->SetTabOrder(2);
  BackCol->SetTabOrder(3);

  SpeedButton1 = Make<tk::SpeedButton>(this, this, L"SpeedButton1", 276, 204, 23, 22);
  SpeedButton1->SetPicture(IDB_HELP);
  SpeedButton1->SetHint(L"ヘルプ表示");
  SpeedButton1->OnClick = [this] { SpeedButton1Click(); };

  OkBtn = Make<tk::Button>(this, this, L"OkBtn", 311, 202, 61, 25);
  OkBtn->SetCaption(L"O K");
  OkBtn->SetDefault(true);
  OkBtn->SetTabStop(true);
  OkBtn->OnClick = [this] { OkBtnClick(); };

  CanselBtn = Make<tk::Button>(this, this, L"CanselBtn", 379, 202, 61, 25);
  CanselBtn->SetCaption(L"Cancel");
  CanselBtn->SetModalResult(tk::mrCancel);
  CanselBtn->SetTabStop(true);

  OpenDialog1 = new tk::OpenDialog(this);
  OpenDialog1->Name = L"OpenDialog1";
  OpenDialog1->Filter = L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)|*.scr";
  OpenDialog1->DefaultExt = L"scr";
  OpenDialog1->AllowMultiSelect = true;
  OpenDialog1->PathMustExist = true;
  OpenDialog1->FileMustExist = true;
  OpenDialog1->HideReadOnly = true;
  OpenDialog1->EnableSizing = true;

  PMenu = new tk::PopupMenu(this);
  PMenu->Name = L"PMenu";
  mView = PMenu->Add(L"表示(&V)");
  mView->Name = L"mView";
  mConf = PMenu->Add(L"設定(&C)");
  mConf->Name = L"mConf";
  N1 = PMenu->Add(L"-");
  N1->Name = L"N1";
  mOption = PMenu->Add(L"個別設定");
  mOption->Name = L"mOption";
  mOption->Default = true;
  mView->OnClick = [this] { mViewClick(); };
  mConf->OnClick = [this] { mConfClick(); };
  mOption->OnClick = [this] { mOptionClick(); };
  PMenu->OnPopup = [this] { PMenuPopup(); };
  PMenu->AttachTo(*ListView1);

  ColorDlg = new tk::ColorDialog(this);
  ColorDlg->Name = L"ColorDlg";
  ColorDlg->SolidColor = true;
  ColorDlg->AnyColor = true;

  // The form's tab order.
  tk::WinControl* order[] = {OkBtn, CanselBtn, SetList, addSetBtn, delSetBtn, ListView1, addBtn,
                             upBtn, dwnBtn,    delBtn,  clrBtn,    BitBtn1,   GroupBox1, Panel1};
  for (int i = 0; i < static_cast<int>(std::size(order)); ++i) order[i]->SetTabOrder(i);

  SpanT->OnChange = [this](TEditHex*) { SpanTChange(); };
  SpinBtn->OnChange = [this](TSlideUpDown*) { SpanTChange(); };

  // Associating the spin control makes the windows early; controls placed on a parent
  // that already has its window get theirs only when asked, so ask now (parents come
  // first in creation order), or Tab and the tooltips would never see them.
  for (tk::Component* component : Components()) {
    auto* control = dynamic_cast<tk::WinControl*>(component);
    if (control && control->Parent() && control->Parent()->HandleAllocated()) control->Handle();
  }
  AcceptDroppedFiles(*ListView1);
}

void TfrmConfig::AcceptDroppedFiles(tk::WinControl& target) {
  dropHook_ = target.AddMessageHook([this, &target](tk::Message& message) {
    if (message.Msg == WM_CREATE) {
      DragAcceptFiles(target.Handle(), TRUE);
      return false;
    }
    if (message.Msg != WM_DROPFILES) return false;
    const auto drop = reinterpret_cast<HDROP>(message.WParam);
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
      DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
      paths.push_back(tk::FromWide(path));
    }
    DragFinish(drop);
    FilesDropped(paths);
    message.Result = 0;
    return true;
  });
  if (target.HandleAllocated()) DragAcceptFiles(target.Handle(), TRUE);
}

void TfrmConfig::FillCreateParams(tk::CreateParams& params) {
  Form::FillCreateParams(params);
  params.WndParent = hostParent_;
}

void TfrmConfig::FormCreate() {
  initialDir_ = tk::SystemFolder();
  OpenDialog1->InitialDir = initialDir_;
  model_->FormCreate();
  ShowSetList();
  ShowRows();
  SetList->SetSelection(0, 0);
  LoadOptions();
}

void TfrmConfig::LoadOptions() {
  const ConfigOptions& options = model_->Options();
  randomChk->SetChecked(options.random);
  SpanT->SetText(WholeNumberText(options.span));
  SpinBtn->SetPosition(options.span);
  UpdateTimeLabel(options.span);
  BackChk->SetChecked(options.background.solid);
  BackCol->SetColor(static_cast<COLORREF>(options.background.colour));
}

void TfrmConfig::ShowSetList() {
  SetList->ClearItems();
  for (const SaverSet& set : model_->SetList()) SetList->AddItem(tk::ToWide(set.name));
  SetList->SetItemIndex(model_->SetListIndex());
  if (model_->SetListIndex() < 0) SetList->SetText(tk::ToWide(model_->SetListText()));
}

void TfrmConfig::ShowRows() {
  ListView1->SetRowCount(static_cast<int>(model_->Rows().size()));
  ListView1->SetSelectedIndex(model_->SelectedRow());
}

std::wstring TfrmConfig::CellText(int row, int column) const {
  const auto& rows = model_->Rows();
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
  const ConfigRow& cells = rows[static_cast<std::size_t>(row)];
  switch (column) {
    case 0:
      return tk::ToWide(cells.displayName);
    case 1:
      return tk::ToWide(cells.seconds);
    default:
      return std::wstring(FrequencyWordsWide[static_cast<std::size_t>(cells.level)]);
  }
}

void TfrmConfig::ShowCells(int row) {
  if (row >= 0) ListView1->RedrawRows(row, row);
}

void TfrmConfig::SyncSelection() { model_->SelectRow(ListView1->SelectedIndex()); }

void TfrmConfig::SetListSelect() {
  model_->SetListSelect(SetList->ItemIndex());
  ShowSetList();
  ShowRows();
}

void TfrmConfig::addSetBtnClick() {
  if (!model_->addSetBtnClick()) return;
  ShowSetList();
  ShowRows();
}

void TfrmConfig::delSetBtnClick() {
  if (!model_->delSetBtnClick()) return;
  ShowSetList();
  ShowRows();
}

void TfrmConfig::addBtnClick() {
  if (!OpenDialog1->Execute(Handle())) return;
  std::vector<std::string> files;
  for (const std::wstring& file : OpenDialog1->Files()) files.push_back(tk::FromWide(file));
  SyncSelection();
  model_->addBtnClick(files);
  ShowRows();
}

void TfrmConfig::delBtnClick() {
  SyncSelection();
  if (model_->delBtnClick()) ShowRows();
}

void TfrmConfig::clrBtnClick() {
  model_->clrBtnClick();
  ShowRows();
}

void TfrmConfig::upBtnClick() {
  SyncSelection();
  if (model_->upBtnClick()) ShowRows();
}

void TfrmConfig::dwnBtnClick() {
  SyncSelection();
  if (model_->dwnBtnClick()) ShowRows();
}

void TfrmConfig::PMenuPopup() {
  SyncSelection();
  const bool enabled = model_->PMenuItemsEnabled();
  mView->Enabled = enabled;
  mConf->Enabled = enabled;
  mOption->Enabled = enabled;
}

void TfrmConfig::ListView1MouseDown(tk::MouseButton, WPARAM, int x, int y) {
  ListView1->SetHint(tk::ToWide(model_->PathHint(ListView1->ItemAt(x, y))));
}

void TfrmConfig::ListView1CustomDrawItem(tk::ListDraw& draw) {
  const auto& rows = model_->Rows();
  const bool missing = draw.Item >= 0 && static_cast<std::size_t>(draw.Item) < rows.size() &&
                       rows[static_cast<std::size_t>(draw.Item)].missing;
  draw.TextColor = GetSysColor(missing ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
}

void TfrmConfig::ListView1CustomDrawSubItem(tk::ListDraw& draw) { ListView1CustomDrawItem(draw); }

void TfrmConfig::FilesDropped(const std::vector<std::string>& paths) {
  SyncSelection();
  if (model_->FilesDropped(paths) > 0) ShowRows();
}

void TfrmConfig::SpanTChange() {
  const std::string text = SpanT->Text();
  // The field takes digits only, so a text that is no number is one beyond 32 bits:
  // the label then keeps what it shows.
  if (text.empty()) {
    UpdateTimeLabel(0);
  } else if (const auto value = ParseWholeNumber(text)) {
    UpdateTimeLabel(*value);
  }
}

void TfrmConfig::UpdateTimeLabel(std::int32_t seconds) { TimeLabel->SetCaption(tk::ToWide(TimeLabelText(seconds))); }

void TfrmConfig::BackColClick() {
  ColorDlg->Color = BackCol->Color();
  if (ColorDlg->Execute(Handle())) BackCol->SetColor(ColorDlg->Color);
}

void TfrmConfig::mOptionClick() {
  SyncSelection();
  RowOptions host(*this, *model_);
  if (EditEntryOptions(host) != tk::mrNone) ShowCells(model_->SelectedRow());
}

void TfrmConfig::BitBtn1Click() {
  if (model_->BitBtn1Click()) ListView1->RedrawRows(0, static_cast<int>(model_->Rows().size()) - 1);
}

void TfrmConfig::mViewClick() {
  SyncSelection();
  if (model_->SelectedRow() < 0) return;
  TryOutSaver(model_->PathList()[static_cast<std::size_t>(model_->SelectedRow())]);
}

void TfrmConfig::mConfClick() {
  SyncSelection();
  if (model_->SelectedRow() < 0) return;
  ConfigureSaver(model_->PathList()[static_cast<std::size_t>(model_->SelectedRow())]);
}

void TfrmConfig::SpeedButton1Click() { ShowHelp(Handle()); }

void TfrmConfig::OkBtnClick() {
  // A settings file that exists but could not be read holds settings nobody has seen
  // here: it is replaced only on the user's explicit yes.
  if (model_->IniFile().LastOpen() == IniStore::OpenResult::Unreadable && !replaceUnreadableAgreed_) {
    const std::wstring question = L"設定ファイル " + model_->IniFile().Path().wstring() +
                                  L" を読み込めませんでした。\r\n\r\nこのファイルを今の設定で置き換えて良いですか？";
    if (tk::ConfirmBox(question, this) != tk::mrYes) return;
    replaceUnreadableAgreed_ = true;
  }
  ConfigSaveInput input;
  input.random = randomChk->Checked();
  input.spanText = SpanT->Text();
  input.background = BackChk->Checked();
  input.backgroundColour = static_cast<std::int32_t>(BackCol->Color());
  for (const SaverSet& set : model_->SetList()) input.sets.push_back({set.name, set.lines});
  input.selected = model_->SetListIndex();
  OkActions actions;
  actions.askLeaveUnregistered = [this] { return tk::ConfirmBox(UnregisteredListQuestion, this) == tk::mrYes; };
  actions.showFailure = [this](const std::wstring& text) {
    MessageBoxW(Handle(), text.c_str(), Caption().c_str(), MB_OK | MB_ICONERROR);
  };
  if (RunOk(model_->Edited(), input, model_->IniFile(), model_->SettingsFiles(), DefaultSettingsFileSystem(),
            actions) == OkOutcome::Saved) {
    SetModalResult(tk::mrOk);
  }
}

}  // namespace tessora
