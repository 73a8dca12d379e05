// How messages find their way through the toolkit: the notifications a parent gets on
// a child's behalf, message hooks added and removed in any order, the typed window
// lookup, exceptions inside handlers and the teardown of derived controls. Each case
// records what a window or control receives and compares it with the expected sequence.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Commands.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

using namespace tessora;

namespace {

// One received message as a sequence entry: the message and a detail (the notify
// code of WM_COMMAND and WM_NOTIFY, else 0).
struct Seen {
  UINT msg;
  UINT detail;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{0x" << std::hex << s.msg << ", " << std::dec << s.detail << "}";
}

UINT DetailOf(const tk::Message& m) {
  if (m.Msg == WM_COMMAND) return HIWORD(m.WParam);
  if (m.Msg == WM_NOTIFY) return reinterpret_cast<const NMHDR*>(m.LParam)->code;
  return 0;
}

// A push button that records the notifications reflected to it and handles those it is
// told to, with a Result of its own.
class ProbeButton : public tk::WinControl {
 public:
  using WinControl::WinControl;
  std::vector<Seen> reflected;
  std::vector<UINT> handles;
  static constexpr LRESULT kAnswer = 0x5A;

 protected:
  void FillCreateParams(tk::CreateParams& params) override {
    WinControl::FillCreateParams(params);
    params.SubclassOf = L"BUTTON";
    params.Style |= BS_PUSHBUTTON | WS_TABSTOP;
  }
  bool HandleReflected(tk::Message& m) override {
    reflected.push_back({m.Msg, DetailOf(m)});
    for (UINT msg : handles) {
      if (msg == m.Msg) {
        m.Result = kAnswer;
        return true;
      }
    }
    return WinControl::HandleReflected(m);
  }
};

class RoutingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }
};

// A button in a group-box-like container inside a panel-like one on a form: the
// button's notifications come back to it from its own parent, whatever the depth.
TEST_F(RoutingTest, AChildDeepInContainersGetsTheNotificationsItsParentGets) {
  tk::Form form(nullptr);
  form.SetBounds(50, 50, 300, 200);
  auto* panel = new tk::WinControl(&form);
  panel->SetParent(&form);
  panel->SetBounds(10, 10, 250, 150);
  auto* group = new tk::WinControl(&form);
  group->SetParent(panel);
  group->SetBounds(10, 10, 200, 100);
  auto* button = new ProbeButton(&form);
  button->SetParent(group);
  button->SetBounds(10, 10, 80, 24);
  button->SetCaption(L"OK");
  form.Show();
  HWND b = button->Handle(), g = group->Handle();
  ASSERT_EQ(GetParent(b), g);
  std::vector<Seen> formGot;
  const auto formLog = form.AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_COMMAND || m.Msg == WM_NOTIFY) formGot.push_back({m.Msg, DetailOf(m)});
    return false;
  });

  // The button's own click: BN_CLICKED from the button window itself.
  SendMessageW(b, BM_CLICK, 0, 0);
  // What the other kinds of children send their parent.
  NMHDR header{b, static_cast<UINT_PTR>(GetDlgCtrlID(b)), static_cast<UINT>(NM_CLICK)};
  SendMessageW(g, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = b;
  SendMessageW(g, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(GetDlgCtrlID(b));
  SendMessageW(g, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
  SendMessageW(g, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(b));
  SendMessageW(g, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(b));
  SendMessageW(g, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(b), MAKELPARAM(-1, -1));
  // Messages that name no child stay with the parent.
  SendMessageW(g, WM_HSCROLL, SB_LINERIGHT, 0);
  SendMessageW(g, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(g), MAKELPARAM(-1, -1));
  measure.CtlType = ODT_MENU;
  SendMessageW(g, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));

  const std::vector<Seen> expected = {{WM_COMMAND, BN_CLICKED}, {WM_NOTIFY, static_cast<UINT>(NM_CLICK)},
                                      {WM_DRAWITEM, 0},         {WM_MEASUREITEM, 0},
                                      {WM_HSCROLL, 0},          {WM_VSCROLL, 0},
                                      {WM_CONTEXTMENU, 0}};
  // The button's painting asks its parent for colours meanwhile: reflected too, not counted here.
  std::vector<Seen> got;
  for (const Seen& s : button->reflected)
    if (s.msg != WM_CTLCOLORBTN) got.push_back(s);
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(formGot.empty()) << "nothing of it climbs to the form";
}

TEST_F(RoutingTest, AnUnhandledNotificationGetsTheParentsDefaultHandling) {
  tk::Form form(nullptr);
  form.SetBounds(50, 50, 200, 100);
  auto* button = new ProbeButton(&form);
  button->SetParent(&form);
  button->SetBounds(10, 10, 80, 24);
  form.Show();
  HWND b = button->Handle(), f = form.Handle();
  PumpFor(50);
  button->reflected.clear();  // what the button's own painting asked for
  HDC dc = GetDC(b);
  // Not handled: the form's default handling answers (a brush for the button's background).
  const LRESULT byDefault = SendMessageW(f, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(b));
  EXPECT_NE(byDefault, ProbeButton::kAnswer);
  EXPECT_EQ(byDefault, DefWindowProcW(f, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(b)));
  // Handled: the child's answer is the parent's.
  button->handles = {WM_CTLCOLORBTN};
  EXPECT_EQ(SendMessageW(f, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(b)),
            ProbeButton::kAnswer);
  ReleaseDC(b, dc);
  const std::vector<Seen> expected = {{WM_CTLCOLORBTN, 0}, {WM_CTLCOLORBTN, 0}};
  EXPECT_EQ(button->reflected, expected);
}

TEST_F(RoutingTest, OnCommandHearsTheControlsOwnCommands) {
  tk::Form form(nullptr);
  form.SetBounds(50, 50, 200, 100);
  auto* button = new tk::WinControl(&form);
  button->SetParent(&form);
  form.Show();
  std::vector<WORD> codes;
  button->OnCommand = [&](WORD code) {
    codes.push_back(code);
    return true;
  };
  HWND b = button->Handle();
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED), reinterpret_cast<LPARAM>(b));
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(b));
  EXPECT_EQ(codes, (std::vector<WORD>{BN_CLICKED, BN_DOUBLECLICKED}));
}

TEST_F(RoutingTest, MenuAndAcceleratorCommandsReachTheHandlerTheirIdWasGivenTo) {
  tk::Form form(nullptr);
  auto* inner = new tk::WinControl(&form);
  inner->SetParent(&form);
  form.Show();
  std::vector<std::string> log;
  tk::CommandRegistration first([&] { log.push_back("first"); });
  auto second = std::make_unique<tk::CommandRegistration>([&] { log.push_back("second"); });
  ASSERT_NE(first.Id(), 0);
  ASSERT_NE(first.Id(), second->Id());
  const WORD secondId = second->Id();
  // From a menu (code 0) at the form, from an accelerator (code 1) at a child window.
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(first.Id(), 0), 0);
  SendMessageW(inner->Handle(), WM_COMMAND, MAKEWPARAM(secondId, 1), 0);
  second.reset();
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(secondId, 0), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second"})) << "a freed ID calls nothing";
  EXPECT_FALSE(tk::InvokeCommand(secondId));
}

// Hooks run newest first and each may stop the message; removing them in either order
// leaves the others working.
TEST_F(RoutingTest, HooksRunNewestFirstAndComeOffInAnyOrder) {
  constexpr UINT kProbe = WM_USER + 7;
  for (const bool olderFirst : {true, false}) {
    SCOPED_TRACE(olderFirst ? "older removed first" : "newer removed first");
    tk::Form form(nullptr);
    std::vector<std::string> order;
    const auto own = form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg == kProbe) order.push_back("form");
      return false;
    });
    auto older = form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg == kProbe) order.push_back("older");
      return false;
    });
    auto newer = form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg != kProbe) return false;
      order.push_back("newer");
      if (m.WParam == 1) {
        m.Result = 9;
        return true;
      }
      return false;
    });
    HWND wnd = form.Handle();
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"newer", "older", "form"}));
    order.clear();
    EXPECT_EQ(SendMessageW(wnd, kProbe, 1, 0), 9);
    EXPECT_EQ(order, (std::vector<std::string>{"newer"})) << "a handled message goes no further";

    order.clear();
    (olderFirst ? older : newer).Remove();
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(order, (std::vector<std::string>{olderFirst ? "newer" : "older", "form"}));
    order.clear();
    (olderFirst ? newer : older).Remove();
    SendMessageW(wnd, kProbe, 0, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"form"}));
    EXPECT_FALSE(older.Active());
    EXPECT_FALSE(newer.Active());
  }
}

TEST_F(RoutingTest, AHookMayRemoveItselfOrOutliveItsWindow) {
  constexpr UINT kProbe = WM_USER + 8;
  tk::MessageHookRegistration outliving;
  {
    tk::Form form(nullptr);
    int once = 0, after = 0;
    tk::MessageHookRegistration self;
    const auto behind = form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg == kProbe) ++after;
      return false;
    });
    self = form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg != kProbe) return false;
      ++once;
      self.Remove();
      return false;
    });
    outliving = form.AddMessageHook([](tk::Message&) { return false; });
    SendMessageW(form.Handle(), kProbe, 0, 0);
    SendMessageW(form.Handle(), kProbe, 0, 0);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(after, 2) << "the hooks behind it still run, that time too";
  }
  EXPECT_FALSE(outliving.Active());
  outliving.Remove();  // the form is gone: nothing to do, nothing to crash
}

// The host puts its hook on the main form and the preview another one on top; either
// may go first, and the one that stays keeps working.
TEST_F(RoutingTest, TwoOwnersHookingOneFormLetGoInEitherOrder) {
  for (const bool firstOwnerFirst : {true, false}) {
    SCOPED_TRACE(firstOwnerFirst ? "first owner goes first" : "second owner goes first");
    tk::Form form(nullptr);
    int first = 0, second = 0;
    auto a = std::make_unique<tk::MessageHookRegistration>(form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg == WM_ERASEBKGND) ++first;
      return false;
    }));
    auto b = std::make_unique<tk::MessageHookRegistration>(form.AddMessageHook([&](tk::Message& m) {
      if (m.Msg == WM_ERASEBKGND) ++second;
      return false;
    }));
    HWND wnd = form.Handle();
    HDC dc = GetDC(wnd);
    (firstOwnerFirst ? a : b).reset();
    SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(firstOwnerFirst ? second : first, 1);
    EXPECT_EQ(firstOwnerFirst ? first : second, 0);
    (firstOwnerFirst ? b : a).reset();
    SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(first + second, 1);
    // The form's own handling is still there: it paints its background.
    EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(wnd, dc);
  }
}

TEST_F(RoutingTest, AnExceptionEndsTheMessageWithoutTheDefaultHandling) {
  tk::Form form(nullptr);
  form.SetBounds(50, 50, 200, 100);
  int paints = 0;
  const auto thrower = form.AddMessageHook([&](tk::Message& m) -> bool {
    if (m.Msg == WM_PAINT) ++paints;
    if (m.Msg == WM_CLOSE || m.Msg == WM_PAINT || m.Msg == WM_USER + 9) throw std::runtime_error("handler failed");
    return false;
  });
  form.Show();
  HWND wnd = form.Handle();
  EXPECT_EQ(SendMessageW(wnd, WM_USER + 9, 0, 0), 0);
  // The default handling of WM_CLOSE would destroy the window.
  SendMessageW(wnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(wnd));
  EXPECT_TRUE(form.HandleAllocated());
  // A paint that threw is not asked for again and again.
  InvalidateRect(wnd, nullptr, TRUE);
  PumpFor(100);
  EXPECT_GE(paints, 1);
  EXPECT_LE(paints, 2);
  EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
}

TEST_F(RoutingTest, LookupsNeverTakeOneKindOfObjectForAnother) {
  tk::Form form(nullptr);
  tk::Timer timer(nullptr);
  HWND timerWindow = FindWindowExW(HWND_MESSAGE, nullptr, L"Tessora.Timer", nullptr);
  ASSERT_NE(timerWindow, nullptr);
  EXPECT_EQ(tk::WinControl::FromHandle(timerWindow), nullptr);
  EXPECT_NE(tk::BoundObject<tk::Timer>(timerWindow), nullptr);
  EXPECT_EQ(tk::WinControl::FromHandle(tk::App().Handle()), nullptr);
  EXPECT_EQ(tk::BoundObject<tk::Application>(tk::App().Handle()), &tk::App());
  EXPECT_EQ(tk::WinControl::FromHandle(form.Handle()), &form);
  EXPECT_EQ(tk::BoundObject<tk::Timer>(form.Handle()), nullptr);
  // A window that only looks like one of ours: our class prefix, a pointer in its user data.
  WNDCLASSEXW look{};
  look.cbSize = sizeof look;
  look.lpfnWndProc = DefWindowProcW;
  look.hInstance = GetModuleHandleW(nullptr);
  look.lpszClassName = L"Tessora.LookAlike";
  RegisterClassExW(&look);
  HWND alike =
      CreateWindowExW(0, look.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, look.hInstance, nullptr);
  ASSERT_NE(alike, nullptr);
  SetWindowLongPtrW(alike, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&timer));
  EXPECT_EQ(tk::WinControl::FromHandle(alike), nullptr);
  DestroyWindow(alike);
  EXPECT_EQ(tk::WinControl::FromHandle(GetDesktopWindow()), nullptr);
}

// A derived form whose owned component still needs the form's own members while it goes.
class FormWithMember : public tk::Form {
 public:
  FormWithMember(bool& memberGone) : Form(nullptr), member_{&memberGone} {}
  struct Member {
    bool* gone;
    ~Member() { *gone = true; }
  };

 private:
  Member member_;
};

class Watcher : public tk::Component {
 public:
  Watcher(tk::Component* owner, const bool& memberGone, std::vector<bool>& seen)
      : Component(owner), memberGone_(memberGone), seen_(seen) {}
  ~Watcher() override { seen_.push_back(memberGone_); }

 private:
  const bool& memberGone_;
  std::vector<bool>& seen_;
};

TEST_F(RoutingTest, OwnedComponentsGoWhileTheDerivedFormIsWhole) {
  bool memberGone = false;
  std::vector<bool> seenGone;
  auto* form = new FormWithMember(memberGone);
  new Watcher(form, memberGone, seenGone);
  HWND wnd = form->Handle();
  delete form;
  EXPECT_EQ(seenGone, std::vector<bool>{false}) << "the component went before the form's members";
  EXPECT_TRUE(memberGone);
  EXPECT_FALSE(IsWindow(wnd));
}

}  // namespace
