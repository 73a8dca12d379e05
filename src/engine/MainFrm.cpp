#include "engine/MainFrm.h"

#include "config/confdlg.h"

namespace tessora {

namespace {
constexpr wchar_t kTitle[] = L"Tessora";

tk::GdiObject MakeFont(const wchar_t* face, int pixels, int weight, BYTE charset) {
  LOGFONTW font{};
  font.lfHeight = -pixels;
  font.lfWeight = weight;
  font.lfCharSet = charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return tk::GdiObject(CreateFontIndirectW(&font));
}
}  // namespace

TfrmMain::TfrmMain(tk::Component* owner) : Form(owner) {
  // The form's own values come first: the host creates the form's window in its constructor.
  Name = L"frmMain";
  SetCaption(kTitle);
  Border = tk::BorderStyle::None;
  SetColor(RGB(0, 0, 0));
  SetBounds(277, 114, 194, 182);  // no border: the window is the client area
  formFont_ = MakeFont(L"ＭＳ Ｐゴシック", 12, FW_NORMAL, SHIFTJIS_CHARSET);
  SetFont(static_cast<HFONT>(formFont_.Get()));

  PreLabel = new tk::Label(this);
  PreLabel->Name = L"PreLabel";
  PreLabel->SetParent(this);
  PreLabel->SetVisible(false);
  preLabelFont_ = MakeFont(L"Tahoma", 20, FW_BOLD, ANSI_CHARSET);
  PreLabel->SetFont(static_cast<HFONT>(preLabelFont_.Get()));
  PreLabel->SetFontColor(RGB(255, 255, 255));
  PreLabel->SetBounds(60, 120, 89, 24);
  PreLabel->SetCaption(kTitle);

  Zuss = new TZuScreenSaver(this);
  Zuss->Name = L"Zuss";
  Zuss->ConfigTitle = kTitle;
  Zuss->ConfigMessage = L"このスクリーンセーバーには、設定できるオプションがありません.";
  Zuss->Initialize = false;
  Zuss->Mutex = true;
  Zuss->MutexName = L"TessoraMutex87107";
  Zuss->SetShowCursor(false);
  Zuss->ShowTaskbarIcon = false;
  Zuss->TrapEvents = {zuteMouseMove, zuteMouseDownL, zuteMouseDownR, zuteMouseDownM, zuteKeyDown};
  Zuss->TrapSpecialKeys = {zutsAlt, zutsTab, zutsPrintScreen};
  Zuss->OnClose = [this](tk::Component* sender) { ZussClose(sender); };
  Zuss->OnCloseCancel = [this](tk::Component* sender) { ZussCloseCancel(sender); };
  Zuss->OnCreateConfigForm = [this](tk::Component* sender, tk::Form*& configForm) {
    ZussCreateConfigForm(sender, configForm);
  };
  Zuss->OnRunNormal = [this](tk::Component* sender, HWND wnd, HWND parent) { ZussRunNormal(sender, wnd, parent); };
  Zuss->OnRunPreview = [this](tk::Component* sender, HWND wnd, HWND parent) { ZussRunPreview(sender, wnd, parent); };

  Timer1 = new tk::Timer(this);
  Timer1->Name = L"Timer1";
  Timer1->SetEnabled(false);
  Timer1->SetInterval(300);
  Timer1->Tag = -1;
  Timer1->OnTimer = [this] { Timer1Timer(); };

  Timer2 = new tk::Timer(this);
  Timer2->Name = L"Timer2";
  Timer2->SetEnabled(false);
  Timer2->SetInterval(1000);
  Timer2->OnTimer = [this] { Timer2Timer(); };

  Timer3 = new tk::Timer(this);
  Timer3->Name = L"Timer3";
  Timer3->SetEnabled(false);
  Timer3->SetInterval(80);
  Timer3->OnTimer = [this] { Timer3Timer(); };
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::ZussCreateConfigForm(tk::Component*, tk::Form*& configForm) {
  configForm = tk::NewForm<TfrmConfig>(this, Zuss->hWndParent());
}

}  // namespace tessora
