#pragma once
// The number a slide up-down control keeps: its position within the limits, the
// step size, how buttons, slider drags and arrow keys move it, and the text it
// exchanges with the associate edit field. The Win32 control owns one, gives it
// the associate's text through the callbacks and forwards its events to it.
#include <functional>
#include <optional>
#include <string>

#include "controls/Confine.h"
#include "controls/PartTypes.h"
#include "controls/PictureFormat.h"
#include "controls/StepFunction.h"

namespace tessora {

class SlideUpDownValue {
 public:
  static constexpr unsigned kKeyUp = 0x26;    // VK_UP
  static constexpr unsigned kKeyDown = 0x28;  // VK_DOWN

  // A new control's value: 0 to 100 in steps of 1, Position 1, Format "#,##0.00".
  SlideUpDownValue();
  SlideUpDownValue(const SlideUpDownValue&) = delete;
  SlideUpDownValue& operator=(const SlideUpDownValue&) = delete;

  // The living associate's window text; nullopt when there is none.
  std::function<std::optional<std::string>()> ReadAssociateText;
  // Sets the associate's window text; false when there is none or setting failed.
  std::function<bool(const std::string&)> WriteAssociateText;
  // After every write of Position, also when the value did not change.
  std::function<void()> OnChange;
  // The system's separators for the picture format.
  NumberPunctuation Punctuation;
  // While the stored properties of a form are applied, writes only store.
  bool Loading = false;

  // Takes over a number typed into the associate first.
  long double Position();
  // The position as it stands, without looking at the associate.
  long double StoredPosition() const { return position_; }
  // Confines, recomputes Increment, rewrites the associate, then OnChange.
  void SetPosition(long double value);

  long double Min() const { return confinement_.Min(); }
  long double Max() const { return confinement_.Max(); }
  bool Wrap() const { return confinement_.Wrap(); }
  // The limit, then the position confined again: no new text, no OnChange.
  void SetMin(long double value);
  void SetMax(long double value);
  void SetWrap(bool wrap) { confinement_.SetWrap(wrap); }

  long double Quantity() const { return quantity_; }
  void SetQuantity(long double quantity);
  long double Rate() const { return functions_.Rate(); }
  void SetRate(long double rate);
  long double Increment() const { return increment_; }
  // How a form fixes the step size: the rate follows from it.
  void SetIncrement(long double increment);
  TFunctionKind FunctionKind() const { return functions_.Kind(); }
  void SetFunctionKind(TFunctionKind kind);
  const std::string& Format() const { return format_; }
  // Stored, then the associate's text is written anew.
  void SetFormat(std::string format);

  long double SliderQuantity() const { return sliderQuantity_; }
  void SetSliderQuantity(long double quantity);
  long double SliderQuantityRatio() const { return sliderRatio_; }
  long double ButtonsQuantity() const { return buttonsQuantity_; }
  void SetButtonsQuantity(long double quantity);
  long double ButtonsQuantityRatio() const { return buttonsRatio_; }

  // End of loading: clears Loading and takes the part quantities' ratios to Quantity.
  void Loaded();

  const TfConfine& Confinement() const { return confinement_; }
  const TSUDFunctions& Functions() const { return functions_; }
  long double SyncedValue() const { return syncedValue_; }
  long double StartPosition() const { return startPosition_; }

  // The number in the associate's text, if it holds a digit.
  std::optional<long double> ReadAssociate() const;
  // Writes Position through Format into the associate.
  bool WriteAssociate();
  // A new associate was set: its number becomes Position, then the text is
  // rewritten. False when the text could not be set, so the associate is dropped.
  bool TakeOverAssociate();

  // Position := the value reached by moving start by steps steps.
  void StepFrom(long double start, long double steps);
  // How much Position would change if moved by Quantity steps.
  long double IncrementFor() const;
  // The rate under which Quantity steps from Position change it by Increment.
  long double RateFor() const;

  // A click of an arrow button: repeatCount 0 for the press, counting the repeats.
  // Every repeat moves afresh from the position at the press.
  void ButtonClick(TButtonType button, int repeatCount);
  // A press on the slider part at (x, y), in the control's coordinates.
  void SliderPress(int x, int y);
  // The pointer at row y while the slider part is held: Slider.Quantity steps per
  // pixel above the press row.
  void SliderDrag(int y);
  // Up and Down step from the current value and answer true; other keys false.
  bool ArrowKeyStep(unsigned key);

  int DragStartX() const { return dragStartX_; }
  int DragStartY() const { return dragStartY_; }

 private:
  void Synchronise();

  TfConfine confinement_;
  TSUDFunctions functions_;
  long double position_ = 1;
  long double quantity_ = 1;
  long double increment_ = 1;
  std::string format_;
  long double sliderQuantity_ = 0;
  long double sliderRatio_ = 1;
  long double buttonsQuantity_ = 0;
  long double buttonsRatio_ = 1;
  long double syncedValue_ = 0;
  long double startPosition_ = 0;
  int dragStartX_ = 0;
  int dragStartY_ = 0;
};

}  // namespace tessora
