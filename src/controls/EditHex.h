#pragma once
// A single-line edit field for one whole number, decimal or hexadecimal. With
// NumeralOnly on it rebuilds its text after every typed character, so that it
// always shows a well-formed number. Tab, Enter and Esc are left to the dialog.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "controls/NumeralText.h"
#include "toolkit/Control.h"

namespace tessora {

enum class EditAlignment : unsigned char { taLeftJustify, taRightJustify, taCenter };

class TEditHex : public tk::WinControl {
 public:
  explicit TEditHex(tk::Component* owner);

  EditAlignment Alignment() const { return alignment_; }
  // Re-creates the window, keeping its text, so that the new style applies.
  void SetAlignment(EditAlignment alignment);
  bool FourDigit() const { return fourDigit_; }
  void SetFourDigit(bool fourDigit);
  TNumericalPlace MaxPlaces() const { return maxPlaces_; }
  void SetMaxPlaces(TNumericalPlace places);
  bool NumeralOnly() const { return numeralOnly_; }
  void SetNumeralOnly(bool numeralOnly);
  TNumericalType NumericType() const { return numericType_; }
  void SetNumericType(TNumericalType type);
  // The input method stays closed in the field.
  bool ImeDisabled() const { return imeDisabled_; }
  void SetImeDisabled(bool disabled);

  // ANSI text. With NumeralOnly on, read without the group separators, and written
  // as the canonical text of the number.
  std::string Text();
  void SetText(std::string_view text);
  // The text as the field shows it.
  std::string WindowText();
  void SetWindowText(std::string_view text);

  // Rebuilds the text after a typed character, keeping the caret's distance from the end.
  void Reformat();

  // The edit's change notification, for typed text and written text alike.
  std::function<void(TEditHex* sender)> OnChange;
  // A character about to reach the field; setting key to 0 drops it.
  std::function<void(TEditHex* sender, wchar_t& key)> OnKeyPress;

  void Loaded() override;

 protected:
  void FillCreateParams(tk::CreateParams& params) override;
  void HandleCreated() override;
  void WndProc(tk::Message& message) override;
  bool HandleReflected(tk::Message& message) override;

 private:
  NumeralStyle Style() const;
  void Reexpress();
  void WriteText(tk::Message& message);

  EditAlignment alignment_ = EditAlignment::taLeftJustify;
  bool fourDigit_ = false;
  TNumericalPlace maxPlaces_ = TNumericalPlace::places8;
  TNumericalType numericType_ = TNumericalType::HexDecimal;
  bool numeralOnly_ = false;
  int digitCount_ = 8;
  bool imeDisabled_ = false;
  bool writingText_ = false;
};

}  // namespace tessora
