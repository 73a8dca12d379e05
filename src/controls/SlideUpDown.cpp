#include "controls/SlideUpDown.h"

#include <optional>

#include "controls/SUDStd.h"
#include "controls/SlideUpDownLayout.h"

namespace tessora {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buffer[16] = {};
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 1 ? std::string(buffer) : std::string(fallback);
}

NumberPunctuation SystemPunctuation() {
  NumberPunctuation punctuation;
  punctuation.thousandsSeparator = LocaleText(LOCALE_STHOUSAND, ",");
  punctuation.decimalPoint = LocaleText(LOCALE_SDECIMAL, ".");
  return punctuation;
}

}  // namespace

// ---- TButtonProperty

TBody TButtonProperty::Body() const { return owner_.upButton_->Body(); }
void TButtonProperty::SetBody(TBody body) {
  owner_.upButton_->SetBody(body);
  owner_.downButton_->SetBody(body);
}
bool TButtonProperty::Flat() const { return owner_.upButton_->Flat(); }
void TButtonProperty::SetFlat(bool flat) {
  owner_.upButton_->SetFlat(flat);
  owner_.downButton_->SetFlat(flat);
}
unsigned TButtonProperty::Delay() const { return owner_.upButton_->Delay(); }
void TButtonProperty::SetDelay(unsigned ms) {
  owner_.upButton_->SetDelay(ms);
  owner_.downButton_->SetDelay(ms);
}
int TButtonProperty::Speed() const { return static_cast<int>(owner_.upButton_->Speed()); }
void TButtonProperty::SetSpeed(int ms) {
  owner_.upButton_->SetSpeed(static_cast<unsigned>(ms));
  owner_.downButton_->SetSpeed(static_cast<unsigned>(ms));
}
bool TButtonProperty::SystemRepeatTime() const { return owner_.upButton_->SystemRepeatTime(); }
void TButtonProperty::SetSystemRepeatTime(bool on) {
  owner_.upButton_->SetSystemRepeatTime(on);
  owner_.downButton_->SetSystemRepeatTime(on);
}
long double TButtonProperty::Quantity() const { return owner_.value_.ButtonsQuantity(); }
void TButtonProperty::SetQuantity(long double quantity) { owner_.value_.SetButtonsQuantity(quantity); }
long double TButtonProperty::QuantityRatio() const { return owner_.value_.ButtonsQuantityRatio(); }

// ---- TSliderProperty

TBody TSliderProperty::Body() const { return owner_.sliderPart_->Body(); }
void TSliderProperty::SetBody(TBody body) { owner_.sliderPart_->SetBody(body); }
bool TSliderProperty::Flat() const { return owner_.sliderPart_->Flat(); }
void TSliderProperty::SetFlat(bool flat) { owner_.sliderPart_->SetFlat(flat); }
int TSliderProperty::Cursor() const { return owner_.sliderPart_->Cursor(); }
void TSliderProperty::SetCursor(int number) { owner_.sliderPart_->SetCursor(number); }
int TSliderProperty::Height() const { return owner_.sliderHeight_; }
void TSliderProperty::SetHeight(int height) { owner_.SetSliderHeight(height); }
long double TSliderProperty::Quantity() const { return owner_.value_.SliderQuantity(); }
void TSliderProperty::SetQuantity(long double quantity) { owner_.value_.SetSliderQuantity(quantity); }
long double TSliderProperty::QuantityRatio() const { return owner_.value_.SliderQuantityRatio(); }

// ---- TSlideUpDown

TSlideUpDown::TSlideUpDown(tk::Component* owner) : WinControl(owner) {
  width_ = 12;
  height_ = 20;
  // The slider first, so that the buttons lie above it.
  sliderPart_ = new TSliderPart(this);
  sliderPart_->SetParent(this);
  sliderPart_->OnMouseDown = [this](TCustomKeepButton* part, tk::MouseButton button, WPARAM keys, int x, int y) {
    x += part->Left();
    y += part->Top();
    if (HWND associate = AssociateWindow()) ::SetFocus(associate);
    value_.SliderPress(x, y);
    if (OnSliderDown) OnSliderDown(this, button, keys, x, y);
  };
  sliderPart_->OnMouseMove = [this](TCustomKeepButton* part, WPARAM keys, int x, int y) {
    x += part->Left();
    y += part->Top();
    if (part->Down()) value_.SliderDrag(y);
    if (OnSliderMove) OnSliderMove(this, keys, x, y);
  };
  sliderPart_->OnMouseUp = [this](TCustomKeepButton* part, tk::MouseButton button, WPARAM keys, int x, int y) {
    if (OnSliderUp) OnSliderUp(this, button, keys, x + part->Left(), y + part->Top());
  };
  upButton_ = new TUpDownButtonPart(this);
  upButton_->SetParent(this);
  upButton_->SetButtonType(TButtonType::btUp);
  upButton_->OnClick = [this](TCustomKeepButton* part) { ButtonClick(part); };
  downButton_ = new TUpDownButtonPart(this);
  downButton_->SetParent(this);
  downButton_->SetButtonType(TButtonType::btDown);
  downButton_->OnClick = [this](TCustomKeepButton* part) { ButtonClick(part); };

  value_.Punctuation = SystemPunctuation();
  value_.ReadAssociateText = [this]() -> std::optional<std::string> {
    HWND associate = AssociateWindow();
    if (!associate) return std::nullopt;
    return ReadWindowText(associate);
  };
  value_.WriteAssociateText = [this](const std::string& text) {
    HWND associate = AssociateWindow();
    return associate && SetWindowTextA(associate, text.c_str());
  };
  value_.OnChange = [this] {
    if (OnChange) OnChange(this);
  };

  SetSystemWidth(false);
  slider_.SetHeight(3);
  slider_.SetCursor(crVSplit);
  // From here on the owner applies its stored values, until Loaded().
  value_.Loading = true;
}

TSlideUpDown::~TSlideUpDown() { UnregisterArrowKeyWindow(ownHandle_); }

void TSlideUpDown::FillCreateParams(tk::CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.ClassName = L"Tessora.SlideUpDown";
  // Flat parts leave their area unpainted; it shows the button face.
  params.Background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

void TSlideUpDown::SetSliderHeight(int height) {
  sliderHeight_ = height;
  LayOut();
}

void TSlideUpDown::SetSystemWidth(bool on) {
  systemWidth_ = on;
  if (on) SetWidth(GetSystemMetrics(SM_CXVSCROLL));
}

void TSlideUpDown::LayOut() {
  if (!sliderPart_ || !upButton_ || !downButton_) return;
  const SlideUpDownParts parts = LayOutSlideUpDown(width_, height_, sliderHeight_);
  sliderPart_->SetBounds(parts.slider.left, parts.slider.top, parts.slider.width, parts.slider.height);
  upButton_->SetBounds(parts.up.left, parts.up.top, parts.up.width, parts.up.height);
  downButton_->SetBounds(parts.down.left, parts.down.top, parts.down.width, parts.down.height);
}

void TSlideUpDown::SetBounds(int left, int top, int width, int height) {
  WinControl::SetBounds(left, top, width, height);
  if (!Loading() && systemWidth_ && width != GetSystemMetrics(SM_CXVSCROLL)) systemWidth_ = false;
  // Moved away from its field, it stays where it was put.
  if (Associate() && !IsAligned(alignButton_)) alignButton_ = TAlignButton::sudNone;
  // Also without a parent: the parts must fit the control once it gets one.
  LayOut();
}

void TSlideUpDown::HandleCreated() {
  WinControl::HandleCreated();
  ownHandle_ = Handle();
  if (arrowKeys_ && AssociateWindow()) RegisterArrowKeyWindow(ownHandle_);
}

void TSlideUpDown::HandleDestroying() {
  // The hook must never ask a window that is gone, or one that later gets its number.
  UnregisterArrowKeyWindow(ownHandle_);
  ownHandle_ = nullptr;
}

void TSlideUpDown::SetParent(tk::WinControl* parent) {
  WinControl::SetParent(parent);
  if (!parent) return;
  ownHandle_ = Handle();
  SetArrowKeys(true);
}

void TSlideUpDown::Loaded() {
  WinControl::Loaded();
  value_.Loaded();
}

void TSlideUpDown::Notification(tk::Component* component, tk::Operation operation) {
  WinControl::Notification(component, operation);
  if (operation == tk::Operation::Remove && component == associate_) DropAssociate();
}

HWND TSlideUpDown::AssociateWindow() {
  if (!associate_) return nullptr;
  HWND wnd = associate_->Handle();
  if (!wnd || !IsWindow(wnd)) {
    DropAssociate();
    return nullptr;
  }
  return wnd;
}

void TSlideUpDown::DropAssociate() {
  associate_ = nullptr;
  UnregisterArrowKeyWindow(ownHandle_);
}

tk::WinControl* TSlideUpDown::Associate() {
  AssociateWindow();
  return associate_;
}

void TSlideUpDown::SetAssociate(tk::WinControl* associate) {
  if (associate == this) return;
  associate_ = associate;
  UnregisterArrowKeyWindow(ownHandle_);
  if (!value_.TakeOverAssociate()) associate_ = nullptr;
  AlignToAssociate();
  if (arrowKeys_ && associate_) RegisterArrowKeyWindow(ownHandle_);
}

bool TSlideUpDown::IsAligned(TAlignButton alignment) {
  tk::WinControl* associate = Associate();
  if (!associate) return false;
  const PartRect other{associate->Left(), associate->Top(), associate->Width(), associate->Height()};
  return tessora::IsAligned(alignment, Bounds(), other);
}

void TSlideUpDown::AlignToAssociate() {
  tk::WinControl* associate = Associate();
  if (!associate || IsAligned(alignButton_)) return;
  const PartRect other{associate->Left(), associate->Top(), associate->Width(), associate->Height()};
  if (const auto bounds = AlignedBounds(alignButton_, Bounds(), other))
    SetBounds(bounds->left, bounds->top, bounds->width, bounds->height);
}

void TSlideUpDown::SetAlignButton(TAlignButton alignment) {
  alignButton_ = alignment;
  AlignToAssociate();
}

void TSlideUpDown::SetArrowKeys(bool on) {
  arrowKeys_ = on;
  if (!on) {
    UnregisterArrowKeyWindow(ownHandle_);
  } else if (AssociateWindow()) {
    RegisterArrowKeyWindow(ownHandle_);
  }
}

void TSlideUpDown::ButtonClick(TCustomKeepButton* part) {
  if (HWND associate = AssociateWindow()) ::SetFocus(associate);
  const TButtonType type = static_cast<TUpDownButtonPart*>(part)->ButtonType();
  value_.ButtonClick(type, part->RepeatCount());
  if (OnButtonClick) OnButtonClick(this, type);
}

void TSlideUpDown::WndProc(tk::Message& m) {
  if (m.Msg != CM_ARROWKEY) {
    WinControl::WndProc(m);
    return;
  }
  m.Result = 0;
  HWND associate = AssociateWindow();
  if (associate && associate == GetFocus() && m.LParam != 0) m.Result = value_.ArrowKeyStep(LOWORD(m.WParam)) ? 1 : 0;
}

}  // namespace tessora
