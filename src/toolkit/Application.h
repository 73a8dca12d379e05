#pragma once
// The application object: the message loop, the main form, and a hidden top-level
// window that carries the program's taskbar button and owns the forms.
#include <windows.h>

#include <string>

#include "toolkit/Component.h"
#include "toolkit/Form.h"
#include "toolkit/WindowBinding.h"

namespace tessora::tk {

class Application : public Component, public WindowTarget {
 public:
  Application();
  ~Application() override;

  // Common controls and the application window.
  void Initialize();

  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  HWND Handle() const { return handle_; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = NewForm<T>(this, std::forward<Args>(args)...);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  Form* MainForm() const { return mainForm_; }
  void ForgetMainForm() { mainForm_ = nullptr; }

  // Read when Run starts: show the main form or not.
  bool ShowMainForm = true;

  // Shows the main form (if asked to), runs the message loop until Terminate,
  // then destroys the forms. Returns the exit code.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the messages waiting now, then returns.
  void ProcessMessages();
  // Translates and dispatches one message (dialog keys of the form it belongs to included).
  void DispatchOne(MSG& msg);

 private:
  static LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT HandleMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  std::wstring title_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  int exitCode_ = 0;
};

// The program's one application object.
Application& App();

}  // namespace tessora::tk
