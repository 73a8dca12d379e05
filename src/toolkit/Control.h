#pragma once
// Controls: things with bounds on a parent. WinControl owns a window. A message of
// its window goes to the registered hooks (newest first) and, unless one handled it,
// to the virtual WndProc, whose default handling reflects the notifications a parent
// gets on a child's behalf back to that child (HandleReflected).
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Font.h"
#include "toolkit/Message.h"
#include "toolkit/MessageHooks.h"
#include "toolkit/WindowBinding.h"

namespace tessora::tk {

class WinControl;
class GraphicControl;
class Form;

class Control : public Component {
 public:
  explicit Control(Component* owner);
  ~Control() override;

  // Deleting a control first runs BeforeDestruction() on the whole object, so owned
  // components and windows go while every derived part still exists; no derived
  // destructor has to remember that. (A control with automatic storage gets the same
  // steps from the toolkit's own destructors, after its derived parts are gone.)
  static void operator delete(Control* control, std::destroying_delete_t);

  WinControl* Parent() const { return parent_; }
  virtual void SetParent(WinControl* parent);
  // The form at the top of the parent chain, or null.
  Form* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  RECT ClientRect() const { return {0, 0, width_, height_}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::wstring& Caption() const { return caption_; }
  virtual void SetCaption(const std::wstring& text);

  // Schedules a repaint of the control's area.
  virtual void Invalidate();

  // The font in use: the control's own, or else its parent's. Whatever font a control
  // uses stays alive while it does, so a form's font outlives every child drawing with it.
  HFONT Font() const { return usedFont_.get(); }
  // Borrowed: the caller keeps the font alive while the control uses it. Null goes back
  // to the parent's font.
  void SetFont(HFONT font);
  void SetFont(FontRef font);
  // True while the control takes its parent's font (it has none of its own).
  bool ParentFont() const { return !ownFont_; }
  void SetParentFont(bool parentFont);

  // The text of the tooltip over the control (empty: none). It may change at any time.
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint);

 protected:
  // Owned components, child controls and the window go here; runs once.
  virtual void BeforeDestruction();

  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void CaptionChanged() {}
  // The font in use changed (Font() tells the new one).
  virtual void FontChanged() {}
  // Takes the parent's font again when the control has none of its own.
  void UpdateFont();
  // The form's tooltips follow a change of what they show for this control.
  void HintsChanged();

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::wstring caption_;

 private:
  friend class WinControl;  // passes its font on to its children
  WinControl* parent_ = nullptr;
  FontRef ownFont_;
  FontRef usedFont_;
  std::wstring hint_;
};

// Parameters a WinControl fills in before its window is created.
struct CreateParams {
  std::wstring ClassName;      // our own window class, registered on first use
  std::wstring SubclassOf;     // or a standard class (EDIT, BUTTON, ...) to subclass
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
  HCURSOR Cursor = nullptr;
  // A child window's control ID; 0 takes one of its own, unique in the program (what
  // WM_MEASUREITEM names its control by). A form's default button sets IDOK here.
  int Id = 0;
};

class WinControl : public Control, public WindowTarget {
 public:
  explicit WinControl(Component* owner);
  ~WinControl() override;

  // The window handle, created on first request (with the parent's first).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void DestroyHandle();

  // A window that is not one of ours to be the parent (a preview window, say).
  HWND ParentWindow() const { return parentWindow_; }
  virtual void SetParentWindow(HWND parent);

  // Puts a handler in front of the window's own handling (see MessageHooks.h).
  [[nodiscard]] MessageHookRegistration AddMessageHook(MessageHook hook);
  // Sends a message through the hooks and the handler, as if Windows had sent it.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // WM_COMMAND its parent got from this control's window; true when handled.
  std::function<bool(WORD notifyCode)> OnCommand;

  const std::vector<Control*>& Controls() const { return controls_; }

  void SetBounds(int left, int top, int width, int height) override;
  void SetFocus();
  bool Focused() const;
  void Invalidate() override;

  // Whether Tab stops at this control, and its place among its siblings when Tab moves
  // the focus (0 first). The windows are stacked in this order, which is the order the
  // dialog keys follow, into containers too (WS_EX_CONTROLPARENT).
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  int TabOrder() const;
  void SetTabOrder(int order);
  const std::vector<WinControl*>& TabList() const { return tabList_; }
  // The first control that Tab would stop at, in this one or the containers inside it.
  WinControl* FirstTabStop();
  // Windows a tooltip watches for this control: its own, and parts that take the mouse.
  virtual std::vector<HWND> HintWindows();
  // The colour behind the control's windowless children.
  virtual COLORREF BackColor() const { return GetSysColor(COLOR_BTNFACE); }

  // The control bound to a window of ours, or null (other windows, timer windows...).
  static WinControl* FromHandle(HWND wnd);

 protected:
  virtual void FillCreateParams(CreateParams& params);
  virtual void CreateWnd();
  // Runs after the window exists (child windows of our controls are created here too).
  virtual void HandleCreated() {}
  // Runs while the window is still there, just before it goes: destroyed by the control
  // or from outside (with its parent window, say).
  virtual void HandleDestroying() {}
  virtual void WndProc(Message& message);
  // What the window does when no handler keeps a message.
  void DefaultHandler(Message& message);
  // A notification the parent got on this control's behalf: message is the parent's
  // (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_HSCROLL,
  // WM_VSCROLL, WM_CONTEXTMENU) as it came. True when handled; Result is then the
  // parent's answer. Unhandled ones get the parent's default handling.
  virtual bool HandleReflected(Message& message);

  void BeforeDestruction() override;

  void VisibleChanged() override;
  void EnabledChanged() override;
  void CaptionChanged() override;
  // Sends the font to the window and passes it on to the children that take it.
  void FontChanged() override;

  bool tabStop_ = false;

  // Graphic controls (no window) are drawn by their parent and get their mouse input from it.
  void PaintGraphicControls(HDC dc, const RECT& clip);
  bool RouteMouseToGraphicControl(Message& message);

 private:
  friend class Control;
  friend class GraphicControl;
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data) noexcept;
  LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  // Hooks first, then WndProc.
  void Deliver(Message& message);
  // Hands a notification to the child it concerns; true when that child handled it.
  bool ReflectToChild(Message& message);
  void TearDown();
  void InsertControl(Control* control);
  void RemoveControl(Control* control);
  // Stacks the children's windows in tab order.
  void ApplyTabOrder();
  void UpdateMouseHover(Control* now);
  // The topmost visible graphic control at a client point, or null.
  GraphicControl* GraphicControlAt(POINT p) const;
  // The pointer the graphic control under the mouse (or holding it) asks for, or null.
  HCURSOR GraphicControlCursor() const;

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  MessageHookChain hooks_;
  // False once the object is being destroyed; a dispatch running then stops.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool tornDown_ = false;
  bool subclassed_ = false;
  std::vector<Control*> controls_;
  std::vector<WinControl*> tabList_;
  Control* mouseCapture_ = nullptr;  // graphic control holding the mouse
  Control* mouseHover_ = nullptr;    // graphic control under the mouse
  bool trackingLeave_ = false;
};

}  // namespace tessora::tk
