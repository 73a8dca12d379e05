#pragma once
// A narrow spin control with a slider, beside a numeric edit field (its Associate):
// the arrow buttons step the number, holding them repeats, dragging the bar between
// them changes it by a step per pixel, and Up and Down typed into the field step it.
// It keeps the number itself, confined to Min..Max, and rewrites the field's text
// after every change; a number typed into the field is taken over when next read.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "controls/PartTypes.h"
#include "controls/SUDParts.h"
#include "controls/SlideUpDownValue.h"
#include "toolkit/Control.h"

namespace tessora {

class TSlideUpDown;

// Settings of the two arrow buttons (read from the up button, written to both).
class TButtonProperty {
 public:
  explicit TButtonProperty(TSlideUpDown& owner) : owner_(owner) {}
  TBody Body() const;
  void SetBody(TBody body);
  bool Flat() const;
  void SetFlat(bool flat);
  unsigned Delay() const;
  void SetDelay(unsigned ms);
  int Speed() const;
  void SetSpeed(int ms);
  bool SystemRepeatTime() const;
  void SetSystemRepeatTime(bool on);
  long double Quantity() const;
  void SetQuantity(long double quantity);
  long double QuantityRatio() const;

 private:
  TSlideUpDown& owner_;
};

// Settings of the slider part.
class TSliderProperty {
 public:
  explicit TSliderProperty(TSlideUpDown& owner) : owner_(owner) {}
  TBody Body() const;
  void SetBody(TBody body);
  bool Flat() const;
  void SetFlat(bool flat);
  // Pointer number in the screen cursor table.
  int Cursor() const;
  void SetCursor(int number);
  // The rows between the two buttons where the slider shows.
  int Height() const;
  void SetHeight(int height);
  long double Quantity() const;
  void SetQuantity(long double quantity);
  long double QuantityRatio() const;

 private:
  TSlideUpDown& owner_;
};

class TSlideUpDown : public tk::WinControl {
 public:
  explicit TSlideUpDown(tk::Component* owner);
  ~TSlideUpDown() override;

  TButtonProperty& Buttons() { return buttons_; }
  TSliderProperty& Slider() { return slider_; }
  TSliderPart& SliderPart() { return *sliderPart_; }
  TUpDownButtonPart& UpButton() { return *upButton_; }
  TUpDownButtonPart& DownButton() { return *downButton_; }

  int SliderHeight() const { return sliderHeight_; }
  void SetSliderHeight(int height);
  bool SystemWidth() const { return systemWidth_; }
  void SetSystemWidth(bool on);

  // The edit field driven; dropped as soon as its window is found gone.
  tk::WinControl* Associate();
  void SetAssociate(tk::WinControl* associate);
  TAlignButton AlignButton() const { return alignButton_; }
  void SetAlignButton(TAlignButton alignment);
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool on);

  // Reading first takes over a number typed into the Associate.
  long double Position() { return value_.Position(); }
  void SetPosition(long double position) { value_.SetPosition(position); }
  long double Quantity() const { return value_.Quantity(); }
  void SetQuantity(long double quantity) { value_.SetQuantity(quantity); }
  long double Rate() const { return value_.Rate(); }
  void SetRate(long double rate) { value_.SetRate(rate); }
  long double Increment() const { return value_.Increment(); }
  void SetIncrement(long double increment) { value_.SetIncrement(increment); }
  TFunctionKind FunctionKind() const { return value_.FunctionKind(); }
  void SetFunctionKind(TFunctionKind kind) { value_.SetFunctionKind(kind); }
  const std::string& Format() const { return value_.Format(); }
  void SetFormat(std::string format) { value_.SetFormat(std::move(format)); }
  long double Min() const { return value_.Min(); }
  void SetMin(long double min) { value_.SetMin(min); }
  long double Max() const { return value_.Max(); }
  void SetMax(long double max) { value_.SetMax(max); }
  bool Wrap() const { return value_.Wrap(); }
  void SetWrap(bool wrap) { value_.SetWrap(wrap); }

  // Whether the control stands as alignment asks beside a living Associate.
  bool IsAligned(TAlignButton alignment);
  void AlignToAssociate();

  std::function<void(TSlideUpDown* sender)> OnChange;
  std::function<void(TSlideUpDown* sender, TButtonType button)> OnButtonClick;
  std::function<void(TSlideUpDown* sender, tk::MouseButton button, WPARAM keys, int x, int y)> OnSliderDown;
  std::function<void(TSlideUpDown* sender, WPARAM keys, int x, int y)> OnSliderMove;
  std::function<void(TSlideUpDown* sender, tk::MouseButton button, WPARAM keys, int x, int y)> OnSliderUp;

  void SetParent(tk::WinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Notification(tk::Component* component, tk::Operation operation) override;

  // The value model, for what the properties above do not show.
  const SlideUpDownValue& Value() const { return value_; }

 protected:
  void FillCreateParams(tk::CreateParams& params) override;
  void WndProc(tk::Message& message) override;
  void HandleCreated() override;
  void HandleDestroying() override;

 private:
  friend class TButtonProperty;
  friend class TSliderProperty;

  HWND AssociateWindow();
  void DropAssociate();
  PartRect Bounds() const { return {left_, top_, width_, height_}; }
  void LayOut();
  void ButtonClick(TCustomKeepButton* part);

  SlideUpDownValue value_;
  TButtonProperty buttons_{*this};
  TSliderProperty slider_{*this};
  TSliderPart* sliderPart_ = nullptr;
  TUpDownButtonPart* upButton_ = nullptr;
  TUpDownButtonPart* downButton_ = nullptr;
  int sliderHeight_ = 3;
  bool systemWidth_ = false;
  tk::WinControl* associate_ = nullptr;
  TAlignButton alignButton_ = TAlignButton::sudRight;
  bool arrowKeys_ = true;
  HWND ownHandle_ = nullptr;
};

}  // namespace tessora
