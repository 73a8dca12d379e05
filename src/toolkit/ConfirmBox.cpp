#include "toolkit/ConfirmBox.h"

#include <windows.h>

#include <algorithm>

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Label.h"

namespace tessora::tk {

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;

class IconImage : public GraphicControl {
 public:
  IconImage(Component* owner, HICON icon) : GraphicControl(owner), icon_(icon) {}
  void Paint(HDC dc) override { DrawIconEx(dc, 0, 0, icon_, width_, height_, 0, nullptr, DI_NORMAL); }

 private:
  HICON icon_;  // a shared system icon: never destroyed
};

class ConfirmForm : public Form {
 public:
  ConfirmForm(Component* owner, Form* ownerForm) : Form(owner), ownerForm_(ownerForm) {}

 protected:
  void FillCreateParams(CreateParams& params) override {
    Form::FillCreateParams(params);
    // Owned by the asking form, so it stays above it.
    if (ownerForm_ && ownerForm_->HandleAllocated()) params.WndParent = ownerForm_->Handle();
  }

 private:
  Form* ownerForm_;
};

FontRef MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (!font) return nullptr;
  return FontRef(font, [](HFONT f) { DeleteObject(f); });
}

}  // namespace

int ConfirmBox(const std::wstring& text, Form* owner) {
  ConfirmForm form(nullptr, owner);
  form.Border = BorderStyle::Dialog;
  form.DialogKeys = true;
  form.SetCaption(L"確認");
  form.SetFont(MessageFont());

  const int iconSize = GetSystemMetrics(SM_CXICON);
  IconImage icon(&form, LoadIconW(nullptr, IDI_QUESTION));
  icon.SetParent(&form);
  icon.SetBounds(kMargin, kMargin, iconSize, iconSize);

  Label message(&form);
  message.SetParent(&form);
  message.SetCaption(text);  // auto-sized to the text and the form's font
  const int textLeft = kMargin + iconSize + kGap;
  const int bodyHeight = std::max(iconSize, message.Height());
  message.SetLeft(textLeft);
  message.SetTop(kMargin + (bodyHeight - message.Height()) / 2);

  Button yes(&form);
  yes.SetParent(&form);
  yes.SetCaption(L"はい(&Y)");
  yes.SetModalResult(mrYes);
  yes.SetDefault(true);
  Button no(&form);
  no.SetParent(&form);
  no.SetCaption(L"いいえ(&N)");
  no.SetModalResult(mrNo);
  no.SetCancel(true);

  const int buttonsWidth = 2 * kButtonWidth + kButtonGap;
  const int clientWidth = std::max(textLeft + message.Width() + kMargin, buttonsWidth + 2 * kMargin);
  const int buttonTop = kMargin + bodyHeight + kGap + 4;
  const int buttonLeft = (clientWidth - buttonsWidth) / 2;
  yes.SetBounds(buttonLeft, buttonTop, kButtonWidth, kButtonHeight);
  no.SetBounds(buttonLeft + kButtonWidth + kButtonGap, buttonTop, kButtonWidth, kButtonHeight);
  form.SetClientSize(clientWidth, buttonTop + kButtonHeight + kMargin);

  RECT area;
  if (owner && owner->HandleAllocated()) {
    GetWindowRect(owner->Handle(), &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  form.SetLeft(area.left + (area.right - area.left - form.Width()) / 2);
  form.SetTop(area.top + (area.bottom - area.top - form.Height()) / 2);
  form.FinishLoading();

  // The close box and the system's close command end it as No.
  return form.ShowModal() == mrYes ? mrYes : mrNo;
}

}  // namespace tessora::tk
