#pragma once
// TShadowLabel: a label that draws its caption three times (shadow, highlight, text),
// with optional background and text gradients, through an off-screen bitmap so that a
// repaint does not flicker.
#include <windows.h>

#include <string>

#include "controls/LabelColor.h"
#include "controls/ShadoLblGradient.h"
#include "controls/ShadoLblLayout.h"
#include "controls/ShadoLblShadow.h"
#include "controls/ShadoLblStyle.h"
#include "toolkit/Label.h"

namespace tessora {

class AnsiForm;
struct GradientRun;

// The caption is held as wide text and drawn with the wide API, so every character
// shows whatever the code page. Counting and splitting characters for the text
// gradient follow the ANSI code page's lead bytes: they run on the caption's ANSI
// form, and the ranges they give are carried back to the wide characters.
class TShadowLabel : public tk::Label {
 public:
  explicit TShadowLabel(tk::Component* owner);

  // The plain label's text placement.
  LabelAlignment Alignment() const { return alignment_; }
  void SetAlignment(LabelAlignment value);
  LabelLayout Layout() const { return layout_; }
  void SetLayout(LabelLayout value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // "&" underlines the next character (and "&&" shows one "&").
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);

  // The background colour: the parent's until one is set. System-colour codes allowed.
  ColorRef Color() const;
  void SetColor(ColorRef value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  TEllipsis Ellipsis() const { return style_.Ellipsis(); }
  void SetEllipsis(TEllipsis value) { style_.SetEllipsis(value); }
  bool Flickerless() const { return style_.Flickerless(); }
  void SetFlickerless(bool value) { style_.SetFlickerless(value); }
  bool GradateVert() const { return style_.GradateVert(); }
  void SetGradateVert(bool value) { style_.SetGradateVert(value); }
  bool Gradation() const { return style_.Gradation(); }
  void SetGradation(bool value) { style_.SetGradation(value); }
  ColorRef GradationColor() const { return style_.GradationColor(); }
  void SetGradationColor(ColorRef value) { style_.SetGradationColor(value); }
  TTextGradation TextGradation() const { return style_.TextGradation(); }
  void SetTextGradation(TTextGradation value) { style_.SetTextGradation(value); }
  ColorRef TextGradationColor() const { return style_.TextGradationColor(); }
  void SetTextGradationColor(ColorRef value) { style_.SetTextGradationColor(value); }
  ColorRef TextMidColor() const { return style_.TextMidColor(); }
  void SetTextMidColor(ColorRef value) { style_.SetTextMidColor(value); }

  TShadow& Highlight() { return style_.Highlight(); }
  const TShadow& Highlight() const { return style_.Highlight(); }
  // Copies the values into the owned highlight; null is ignored.
  void SetHighlight(const TShadow* value) { style_.SetHighlight(value); }
  TShadow& Shadow() { return style_.Shadow(); }
  const TShadow& Shadow() const { return style_.Shadow(); }
  void SetShadow(const TShadow* value) { style_.SetShadow(value); }

  void Paint(HDC dc) override;

 protected:
  void AdjustSize() override;

 private:
  UINT Format() const;
  void PaintGradientStrip(HDC dc, const RECT& r, ColorRef from, ColorRef to, bool vertical) const;
  static void DrawGradientText(HDC dc, RECT& r, UINT format, const std::wstring& text, const AnsiForm& ansi,
                               const GradientRun& run);

  ShadowLabelStyle style_;
  LabelAlignment alignment_ = LabelAlignment::taLeftJustify;
  LabelLayout layout_ = LabelLayout::tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool parentColor_ = true;
  ColorRef color_ = 0;
};

}  // namespace tessora
