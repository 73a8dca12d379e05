#pragma once
// The tooltip window of a form: one tool for every control with a hint (its windows,
// or its area on the parent for a windowless control), kept in line with the controls
// by Sync, so a hint may change at any time.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace tessora::tk {

class HintWindow : public WinControl {
 public:
  explicit HintWindow(Form* form);

  // Adds, removes and updates tools until they match the form's controls and hints.
  void Sync(Form& form);
  void SetActive(bool active);

  // What the tooltip shows now (empty when it shows nothing).
  bool Showing();
  std::wstring ShownText();
  int ToolCount() const { return static_cast<int>(tools_.size()); }

 protected:
  void FillCreateParams(CreateParams& params) override;
  void HandleCreated() override;

 private:
  struct Tool {
    HWND window;  // the window whose messages show the tip (TOOLINFO hwnd)
    UINT_PTR id;  // the tool window itself, or the windowless control
    UINT flags;
    RECT rect;
    std::wstring text;
  };
  TTTOOLINFOW Info(const Tool& tool) const;

  Form* form_;
  bool active_ = true;
  std::vector<Tool> tools_;
};

}  // namespace tessora::tk
