#pragma once
#include <functional>

#include "controls/LabelColor.h"
#include "controls/ShadoLblGradient.h"
#include "controls/ShadoLblLayout.h"
#include "controls/ShadoLblShadow.h"

namespace tessora {

// The properties a shadow label adds to the toolkit's label, with their
// defaults and the rule of when a change needs a repaint. The Win32 label holds
// one and passes its repaint request in.
class ShadowLabelStyle {
 public:
  explicit ShadowLabelStyle(std::function<void()> requestRepaint);
  // The copies' change handlers point back at this object.
  ShadowLabelStyle(const ShadowLabelStyle&) = delete;
  ShadowLabelStyle& operator=(const ShadowLabelStyle&) = delete;

  TEllipsis Ellipsis() const { return ellipsis_; }
  void SetEllipsis(TEllipsis value);

  // Read at the next paint; changing it requests nothing.
  bool Flickerless() const { return flickerless_; }
  void SetFlickerless(bool value) { flickerless_ = value; }

  bool GradateVert() const { return gradateVert_; }
  void SetGradateVert(bool value);

  bool Gradation() const { return gradation_; }
  void SetGradation(bool value);

  ColorRef GradationColor() const { return gradationColor_; }
  void SetGradationColor(ColorRef value);

  TTextGradation TextGradation() const { return textGradation_; }
  void SetTextGradation(TTextGradation value);

  // Repaints only when a text gradient uses the colour.
  ColorRef TextGradationColor() const { return textGradationColor_; }
  void SetTextGradationColor(ColorRef value);

  // Repaints only when the text gradient has three colours.
  ColorRef TextMidColor() const { return textMidColor_; }
  void SetTextMidColor(ColorRef value);

  TShadow& Highlight() { return highlight_; }
  const TShadow& Highlight() const { return highlight_; }
  TShadow& Shadow() { return shadow_; }
  const TShadow& Shadow() const { return shadow_; }
  // Copy the given settings into the owned object; nullptr is ignored.
  void SetHighlight(const TShadow* value);
  void SetShadow(const TShadow* value);

  static constexpr bool kDefaultFlickerless = true;
  static constexpr ColorRef kDefaultGradationColor = lblcolor::clBlue;
  static constexpr ColorRef kDefaultTextGradationColor = lblcolor::clMaroon;
  static constexpr ColorRef kDefaultTextMidColor = lblcolor::clNavy;
  static constexpr ColorRef kDefaultHighlightColor = lblcolor::clWhite;
  static constexpr int kDefaultHighlightOffset = -1;

 private:
  void Repaint();

  std::function<void()> requestRepaint_;
  TEllipsis ellipsis_ = TEllipsis::elNone;
  bool flickerless_ = kDefaultFlickerless;
  bool gradateVert_ = false;
  bool gradation_ = false;
  ColorRef gradationColor_ = kDefaultGradationColor;
  TTextGradation textGradation_ = TTextGradation::tgNone;
  ColorRef textGradationColor_ = kDefaultTextGradationColor;
  ColorRef textMidColor_ = kDefaultTextMidColor;
  TShadow highlight_;
  TShadow shadow_;
};

}  // namespace tessora
