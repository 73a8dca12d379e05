#pragma once
// Top-level windows of the program: shown, shown modally, closed, released later.
#include <windows.h>

#include <functional>

#include "toolkit/Control.h"

namespace tessora::tk {

enum class CloseAction { None, Hide, Free };
enum class BorderStyle { None, Single, Sizeable, Dialog };

// Modal results, the same numbers as the dialog-box IDs.
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;
constexpr int mrAbort = IDABORT;
constexpr int mrYes = IDYES;
constexpr int mrNo = IDNO;

class ButtonControl;
class HintWindow;

class Form : public WinControl {
 public:
  explicit Form(Component* owner);
  ~Form() override;

  // Finishes creation: the Loaded() step of every owned component, then OnCreate.
  // The forms' creators call it right after the constructor.
  void AfterConstruction();

  // Makes the form a child of a foreign window (or top-level again with 0), keeping its window.
  void SetParentWindow(HWND parent) override;

  void Show();
  void Hide();
  // Runs a nested message loop until ModalResult is set; the other windows of the
  // thread are disabled meanwhile.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // Closes as a user would: OnCloseQuery, OnClose, then hides, frees or ends the program.
  void Close();
  // Destroys the form once the messages already queued for it are handled.
  void Release();

  BorderStyle Border = BorderStyle::Sizeable;
  bool TopMost = false;
  // Dialog-box keys: Tab and Shift+Tab move the focus in tab order, Enter presses the
  // default button (also from an edit field), Escape presses the cancel button if the
  // form has one and does nothing otherwise, Alt+letter presses a caption's & letter.
  bool DialogKeys = false;
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  COLORREF BackColor() const override { return color_; }

  // Sets the size of the client area; the outer size follows from the border.
  void SetClientSize(int width, int height);

  // Tooltips with the controls' hints, for the whole form.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint);
  // Brings the tooltips in line with the controls and their hints.
  void SyncHints();
  HintWindow* Hints() const { return hints_; }

  // The buttons Enter and Escape press: the first enabled, visible one marked Default
  // (Cancel) in tab order, or null.
  ButtonControl* DefaultButton();
  ButtonControl* CancelButton();
  // Shows which button Enter presses now: a focused button itself, else the default one.
  void UpdateDefaultLook(ButtonControl* focused);
  // Gives the focus to the first control in tab order (when the form has one).
  void FocusFirstControl();

  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void(CloseAction& action)> OnClose;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void WndProc(Message& message) override;
  void BeforeDestruction() override;
  void Notification(Component* component, Operation operation) override;

 private:
  bool ActivateFocus();

  bool modal_ = false;
  bool showHint_ = false;
  bool destroying_ = false;  // controls going away no longer update hints and looks
  HintWindow* hints_ = nullptr;
  HWND lastFocus_ = nullptr;
  int modalResult_ = mrNone;
  COLORREF color_;
  HBRUSH brush_ = nullptr;
};

// Creates a form and runs its loading step, as the application does for its forms.
template <class T, class... Args>
T* NewForm(Component* owner, Args&&... args) {
  T* form = new T(owner, std::forward<Args>(args)...);
  form->AfterConstruction();
  return form;
}

}  // namespace tessora::tk
