#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "WineTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Timer.h"

using namespace tessora;

namespace {

class ToolkitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }
};

TEST_F(ToolkitTest, ReplacedWindowProcSeesMessagesAndPassesThemOn) {
  tk::Form form(nullptr);
  HWND wnd = form.Handle();
  ASSERT_NE(wnd, nullptr);
  std::vector<UINT> seen;
  tk::MessageHookRegistration hook = form.AddMessageHook([&](tk::Message& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER + 1) {
      m.Result = 42;  // kept: not passed on
      return true;
    }
    return false;
  });
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 0, 0), 42);
  wchar_t text[16] = {};
  SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  GetWindowTextW(wnd, text, 16);
  EXPECT_STREQ(text, L"abc");  // passed on to the default handling
  EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT)), seen.end());
  hook.Remove();
  seen.clear();
  SendMessageW(wnd, WM_USER + 1, 0, 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(ToolkitTest, TimerFiresWhileEnabledAndRestartsWhenEnabledAgain) {
  tk::Timer timer(nullptr);
  timer.SetEnabled(false);
  timer.SetInterval(50);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 2000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(ToolkitTest, ShowModalDisablesOtherWindowsUntilModalResultIsSet) {
  tk::Form other(nullptr);
  other.Show();
  tk::Form dialog(nullptr);
  tk::Timer timer(nullptr);
  timer.SetInterval(100);
  bool otherWasDisabled = false;
  timer.OnTimer = [&] {
    otherWasDisabled = !IsWindowEnabled(other.Handle());
    dialog.SetModalResult(tk::mrOk);
  };
  EXPECT_EQ(dialog.ShowModal(), tk::mrOk);
  EXPECT_TRUE(otherWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST_F(ToolkitTest, CloseOfAModalFormEndsItWithCancel) {
  tk::Form dialog(nullptr);
  tk::Timer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&] { PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(dialog.ShowModal(), tk::mrCancel);
}

class CountedForm : public tk::Form {
 public:
  CountedForm(tk::Component* owner, bool& destroyed) : Form(owner), destroyed_(destroyed) {}
  ~CountedForm() override { destroyed_ = true; }

 private:
  bool& destroyed_;
};

TEST_F(ToolkitTest, ReleaseDestroysTheFormOnlyOnceQueuedMessagesAreHandled) {
  bool destroyed = false;
  auto* form = tk::NewForm<CountedForm>(nullptr, destroyed);
  HWND wnd = form->Handle();
  form->Release();
  EXPECT_FALSE(destroyed);
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 2000));
  EXPECT_FALSE(IsWindow(wnd));
}

class ClickPart : public tk::GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  void Paint(HDC dc) override {
    RECT r = ClientRect();
    HBRUSH b = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  void MouseDown(tk::MouseButton, WPARAM, int x, int y) override {
    events.push_back({WM_LBUTTONDOWN, x, y});
    SetMouseCapture(true);
  }
  void MouseMove(WPARAM, int x, int y) override { events.push_back({WM_MOUSEMOVE, x, y}); }
  void MouseUp(tk::MouseButton, WPARAM, int x, int y) override {
    events.push_back({WM_LBUTTONUP, x, y});
    SetMouseCapture(false);
  }
  void MouseEnter() override { events.push_back({tk::CM_MOUSEENTER, 0, 0}); }
  void MouseLeave() override { events.push_back({tk::CM_MOUSELEAVE, 0, 0}); }
  struct Event {
    UINT msg;
    int x, y;
    bool operator==(const Event&) const = default;
  };
  std::vector<Event> events;
};

TEST_F(ToolkitTest, GraphicControlGetsItsMouseInputInOwnCoordinatesAndKeepsItWhileCaptured) {
  tk::Form form(nullptr);
  form.Border = tk::BorderStyle::None;
  form.SetBounds(10, 10, 200, 100);
  ClickPart part(nullptr);
  part.SetParent(&form);
  part.SetBounds(20, 30, 40, 20);
  form.Show();
  HWND wnd = form.Handle();
  SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(25, 35));
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
  SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));  // outside, still captured
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // outside, not captured: not ours
  const std::vector<ClickPart::Event> expected = {
      {tk::CM_MOUSEENTER, 0, 0}, {WM_MOUSEMOVE, 5, 5},      {WM_LBUTTONDOWN, 5, 5}, {tk::CM_MOUSELEAVE, 0, 0},
      {WM_MOUSEMOVE, -15, -25},  {WM_LBUTTONUP, -15, -25}};
  EXPECT_EQ(part.events, expected);
}

TEST_F(ToolkitTest, BitmapReadsBackWhatWasPainted) {
  tk::Bitmap bmp(8, 4);
  bmp.Fill(RGB(1, 2, 3));
  bmp.SetPixel(7, 3, RGB(200, 100, 50));
  EXPECT_EQ(bmp.Pixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(bmp.Pixel(7, 3), RGB(200, 100, 50));
  EXPECT_EQ(bmp.Pixel(8, 0), CLR_INVALID);
  ::SetPixelV(bmp.Dc(), 2, 1, RGB(9, 8, 7));
  EXPECT_EQ(bmp.Pixel(2, 1), RGB(9, 8, 7));
}

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return TRUE;
}

TEST_F(ToolkitTest, AChildsWindowAskedForBeforeItsParentsIsMadeOnce) {
  struct Case {
    const wchar_t* subclassOf;
  };
  for (const Case c : {Case{L""}, Case{L"EDIT"}}) {
    struct Child : tk::WinControl {
      Child(tk::Component* owner, const wchar_t* subclassOf) : WinControl(owner), subclassOf_(subclassOf) {}
      void FillCreateParams(tk::CreateParams& params) override {
        WinControl::FillCreateParams(params);
        params.SubclassOf = subclassOf_;
      }
      const wchar_t* subclassOf_;
    };
    tk::Form form(nullptr);
    auto* child = new Child(&form, c.subclassOf);
    child->SetParent(&form);
    HWND wnd = child->Handle();  // the form's window does not exist yet
    int children = 0;
    EnumChildWindows(form.Handle(), CountChild, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, 1) << (c.subclassOf[0] ? "subclassed EDIT" : "own class");
    EXPECT_EQ(GetParent(wnd), form.Handle());
  }
}

}  // namespace
