#include "config/option.h"

#include "config/SecondsSpin.h"

#include "controls/SUDStd.h"
#include "settings/SaverEntry.h"
#include "settings/WholeNumber.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {

constexpr const wchar_t* kLevelWords[] = {L"低", L"低め", L"標準", L"高め", L"高"};

template <class T>
T* Place(T* control, tk::WinControl* parent, int left, int top, int width, int height) {
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace

TfrmOpt::TfrmOpt(tk::Component* owner) : tk::Form(owner) {
  Border = tk::BorderStyle::Dialog;
  DialogKeys = true;
  SetCaption(L"Tessora 個別オプション");
  font_ = tk::MakeSharedFont(L"ＭＳ Ｐゴシック", -12, false, SHIFTJIS_CHARSET);
  SetFont(font_);
  SetShowHint(false);
  SetClientSize(271, 93);

  Bevel1 = Place(new tk::Bevel(this), this, 0, 0, 270, 21);
  Bevel1->SetShape(tk::BevelShape::Frame);
  Sname = Place(new tk::Label(this), this, 4, 4, 34, 12);
  Sname->SetCaption(L"Sname");
  Label1 = Place(new tk::Label(this), this, 9, 34, 48, 12);
  Label1->SetCaption(L"表示時間");

  SpanT = Place(new TEditHex(this), this, 61, 30, 49, 20);
  SpanT->SetText("1");
  SpanT->SetAlignment(EditAlignment::taRightJustify);
  SpanT->SetNumeralOnly(true);
  SpanT->SetNumericType(TNumericalType::Decimal);
  SpanT->SetImeDisabled(true);
  SpanT->SetHint(L"0 にすると、始めの１個だけ起動");
  SpanT->SetTabOrder(0);

  SpinBtn = Place(new TSlideUpDown(this), this, 110, 30, 12, 20);
  SetUpSecondsSpinParts(*SpinBtn);

  Label3 = Place(new tk::Label(this), this, 124, 34, 12, 12);
  Label3->SetCaption(L"秒");
  Label2 = Place(new tk::Label(this), this, 154, 34, 48, 12);
  Label2->SetCaption(L"実行頻度");

  ComboBox1 = Place(new tk::ComboBox(this), this, 206, 30, 58, 20);
  ComboBox1->SetStyle(tk::ComboStyle::DropDownList);
  for (const wchar_t* word : kLevelWords) ComboBox1->AddItem(word);
  ComboBox1->SetTabOrder(1);

  Button1 = Place(new tk::Button(this), this, 46, 66, 57, 22);
  Button1->SetCaption(L"O K");
  Button1->SetDefault(true);
  Button1->SetModalResult(tk::mrOk);
  Button1->SetTabOrder(3);
  Button2 = Place(new tk::Button(this), this, 106, 66, 57, 22);
  Button2->SetCaption(L"リセット");
  Button2->SetModalResult(tk::mrAbort);
  Button2->SetTabOrder(4);
  // Not the cancel button: Escape is meant to press nothing here.
  Button3 = Place(new tk::Button(this), this, 168, 66, 57, 22);
  Button3->SetCaption(L"Cancel");
  Button3->SetModalResult(tk::mrCancel);
  Button3->SetTabOrder(5);

  AssociateSecondsSpin(*SpinBtn, *SpanT, 1);
  SpinBtn->SetPosition(1);
  // Setting some of the values above makes the form's window, and the controls added
  // after it would otherwise get none.
  if (HandleAllocated())
    for (tk::WinControl* control :
         std::initializer_list<tk::WinControl*>{SpanT, SpinBtn, ComboBox1, Button1, Button2, Button3})
      control->Handle();
}

void TfrmOpt::FillCreateParams(tk::CreateParams& params) {
  tk::Form::FillCreateParams(params);
  // A tool window without title-bar buttons; the system's close command still gives Cancel.
  params.Style &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  params.ExStyle |= WS_EX_TOOLWINDOW;
}

OptionsPlacement PlacementOf(HWND dialog, const tk::Control& listView) {
  OptionsPlacement placement;
  RECT outer{}, client{};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  placement.dialogLeft = outer.left;
  placement.dialogTop = outer.top;
  placement.dialogOuterHeight = outer.bottom - outer.top;
  placement.dialogClientHeight = client.bottom - client.top;
  placement.listLeft = listView.Left();
  placement.listTop = listView.Top();
  return placement;
}

POINT OptionsOrigin(const OptionsPlacement& p) {
  return POINT{p.dialogLeft + p.listLeft + 1,
               p.dialogTop + (p.dialogOuterHeight - p.dialogClientHeight) + p.listTop - 1};
}

int EditEntryOptions(EntryOptionsHost& host) {
  if (!host.HasSelectedRow()) return tk::mrNone;
  TfrmOpt* form = tk::NewForm<TfrmOpt>(host.Owner());
  const POINT origin = OptionsOrigin(host.Placement());
  form->SetBounds(origin.x, origin.y, form->Width(), form->Height());

  const std::string global = host.GlobalSpanText();
  const std::string cell = host.SecondsCell();
  const std::optional<std::int32_t> seconds = ParseWholeNumber(cell.empty() ? global : cell);
  form->SpinBtn->SetPosition(seconds ? *seconds : ReadWholeNumber(global, 60));
  form->Sname->SetCaption(tk::ToWide(host.DisplayName()));
  const int level = host.FrequencyLevel();
  form->ComboBox1->SetItemIndex(level >= LowestFrequencyLevel && level <= HighestFrequencyLevel ? level : -1);

  const int result = form->ShowModal();
  if (result == tk::mrOk) {
    const std::string text = form->SpanT->Text();
    host.SetSecondsCell(text == global ? std::string() : text);
    // A cell that named no level and was left without a choice keeps what it had.
    if (form->ComboBox1->ItemIndex() >= 0) host.SetFrequencyLevel(form->ComboBox1->ItemIndex());
  } else if (result == tk::mrAbort) {
    host.SetSecondsCell(std::string());
    host.SetFrequencyLevel(DefaultFrequencyLevel);
  }
  if (result != tk::mrCancel) host.SetEdited();
  delete form;
  return result;
}

}  // namespace tessora
