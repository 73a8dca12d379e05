// The slide up-down control beside a seconds field, as the dialogs set it up, driven
// by the real pointer and keyboard of the Wine session.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "NumericTestSupport.h"
#include "WineTestSupport.h"
#include "controls/EditHex.h"
#include "controls/SUDStd.h"
#include "controls/SlideUpDown.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"

using namespace tessora;
using numtest::LeftButton;
using numtest::PointAt;
using numtest::PumpFor;
using numtest::PumpUntil;

namespace {

// Part pictures, one letter per pixel: the system colour it must have.
COLORREF ColourOfLetter(char letter) {
  switch (letter) {
    case 'F': return GetSysColor(COLOR_BTNFACE);
    case 'S': return GetSysColor(COLOR_BTNSHADOW);
    case 'H': return GetSysColor(COLOR_BTNHIGHLIGHT);
    case 'D': return GetSysColor(COLOR_3DDKSHADOW);
    case 'L': return GetSysColor(COLOR_3DLIGHT);
    case 'X': return GetSysColor(COLOR_WINDOWTEXT);
    default: return CLR_INVALID;
  }
}

// The pixels that differ from the picture, as "x,y" texts (empty when all match).
template <class Read>
std::vector<std::string> Mismatches(const std::vector<std::string>& picture, Read read) {
  std::vector<std::string> wrong;
  for (int y = 0; y < static_cast<int>(picture.size()); ++y)
    for (int x = 0; x < static_cast<int>(picture[y].size()); ++x)
      if (read(x, y) != ColourOfLetter(picture[y][x])) wrong.push_back(std::to_string(x) + "," + std::to_string(y));
  return wrong;
}

// The dialogs' arrow buttons (12 x 9, full body): raised frames light / dark shadow
// and highlight / shadow; pressed, shadow / highlight and dark shadow / light, and the
// arrow one pixel right and down.
const std::vector<std::string> kUpRaised = {
    "LLLLLLLLLLLD", "LHHHHHHHHHSD", "LHFFFFFFFFSD", "LHFFFFFFFFSD", "LHFFFXFFFFSD",
    "LHFFXXXFFFSD", "LHFFFFFFFFSD", "LSSSSSSSSSSD", "DDDDDDDDDDDD"};
const std::vector<std::string> kUpPressed = {
    "SSSSSSSSSSSH", "SDDDDDDDDDLH", "SDFFFFFFFFLH", "SDFFFFFFFFLH", "SDFFFFFFFFLH",
    "SDFFFFXFFFLH", "SDFFFXXXFFLH", "SLLLLLLLLLLH", "HHHHHHHHHHHH"};
const std::vector<std::string> kDownRaised = {
    "LLLLLLLLLLLD", "LHHHHHHHHHSD", "LHFFFFFFFFSD", "LHFFXXXFFFSD", "LHFFFXFFFFSD",
    "LHFFFFFFFFSD", "LHFFFFFFFFSD", "LSSSSSSSSSSD", "DDDDDDDDDDDD"};
const std::vector<std::string> kDownPressed = {
    "SSSSSSSSSSSH", "SDDDDDDDDDLH", "SDFFFFFFFFLH", "SDFFFFFFFFLH", "SDFFFXXXFFLH",
    "SDFFFFXFFFLH", "SDFFFFFFFFLH", "SLLLLLLLLLLH", "HHHHHHHHHHHH"};
// The slider's light raised frame shows in the two rows between the buttons.
const std::vector<std::string> kGap = {"HFFFFFFFFFFS", "HFFFFFFFFFFS"};

class SlideUpDownTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  // The configuration dialog's seconds field and spin control, their stored values
  // applied in the order a form stores them.
  void SetUp() override {
    form_.Border = tk::BorderStyle::Dialog;
    form_.DialogKeys = true;
    form_.SetCaption(L"Tessora");
    form_.SetBounds(240, 180, 220, 130);
    edit_ = new TEditHex(&form_);
    edit_->SetParent(&form_);
    edit_->SetBounds(72, 50, 49, 20);
    edit_->SetText("0");
    edit_->SetAlignment(EditAlignment::taRightJustify);
    edit_->SetNumeralOnly(true);
    edit_->SetNumericType(TNumericalType::Decimal);
    edit_->SetImeDisabled(true);
    edit_->SetFont(static_cast<HFONT>(font_.Get()));
    spin_ = new TSlideUpDown(&form_);
    spin_->SetParent(&form_);
    spin_->SetBounds(121, 50, 12, 20);
    spin_->Buttons().SetBody(TBody::bdFull);
    spin_->Buttons().SetDelay(500);
    spin_->Buttons().SetSpeed(33);
    spin_->Buttons().SetSystemRepeatTime(true);
    spin_->Buttons().SetQuantity(1);
    spin_->Slider().SetBody(TBody::bdLight);
    spin_->Slider().SetHeight(2);
    spin_->Slider().SetQuantity(1);
    spin_->SetAssociate(edit_);
    spin_->SetQuantity(1);
    spin_->SetRate(1);
    spin_->SetIncrement(1);
    spin_->SetFunctionKind(TFunctionKind::fkLinear);
    spin_->SetFormat("0");
    spin_->SetMax(86400);
    spin_->SetMin(0);
    spin_->SetWrap(false);
    spin_->OnChange = [this](TSlideUpDown*) { ++changes_; };
    spin_->OnButtonClick = [this](TSlideUpDown*, TButtonType type) {
      auto& part = type == TButtonType::btUp ? spin_->UpButton() : spin_->DownButton();
      clicks_.push_back({type, GetTickCount64(), part.RepeatCount()});
    };
    form_.FinishLoading();
    form_.Show();
    ASSERT_TRUE(numtest::BringToFront(form_.Handle()));
    spin_wnd_ = spin_->Handle();
  }

  void TearDown() override {
    LeftButton(false);
    PumpFor(20);
  }

  // Presses the left button on a point of the spin control and holds it.
  void PressAt(int x, int y) {
    EXPECT_TRUE(PointAt(spin_wnd_, x, y));
    LeftButton(true);
  }
  void Release() {
    LeftButton(false);
    PumpFor(50);
  }
  void ClickAt(int x, int y) {
    PressAt(x, y);
    PumpFor(60);
    Release();
  }
  // Types into the field as the user does: everything selected, then the characters.
  void TypeIntoField(const std::wstring& text) {
    edit_->SetFocus();
    SendMessageW(edit_->Handle(), EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit_->Handle(), WM_CHAR, c, 1);
  }
  std::string FieldText() { return edit_->WindowText(); }

  struct Click {
    TButtonType type;
    ULONGLONG at;
    int repeatCount;
  };
  // The dialogs' font: a right-aligned field takes only the digits that fit its width.
  tk::GdiObject font_ = tk::MakeFont(L"MS UI Gothic", -12, false, SHIFTJIS_CHARSET);
  tk::Form form_{nullptr};
  TEditHex* edit_ = nullptr;
  TSlideUpDown* spin_ = nullptr;
  HWND spin_wnd_ = nullptr;
  int changes_ = 0;
  std::vector<Click> clicks_;
};

constexpr int kUpX = 6, kUpY = 4, kDownX = 6, kDownY = 15, kGapY = 9;

TEST_F(SlideUpDownTest, StandsAtTheRightOfItsFieldWithTheButtonsAroundTheGap) {
  EXPECT_EQ(FieldText(), "0");
  EXPECT_EQ(spin_->Position(), 0);
  const RECT bounds = spin_->BoundsRect();
  EXPECT_EQ(bounds.left, 121);
  EXPECT_EQ(bounds.top, 50);
  EXPECT_EQ(bounds.right - bounds.left, 12);
  EXPECT_EQ(bounds.bottom - bounds.top, 20);
  EXPECT_EQ(spin_->UpButton().BoundsRect().bottom, 9);
  EXPECT_EQ(spin_->DownButton().Top(), 11);
  EXPECT_EQ(spin_->DownButton().Height(), 9);
  EXPECT_EQ(spin_->SliderPart().Height(), 20);

  spin_->SetLeft(160);
  EXPECT_EQ(spin_->AlignButton(), TAlignButton::sudNone) << "moved away, it stays where it was put";
  EXPECT_EQ(spin_->Left(), 160);
  spin_->SetAlignButton(TAlignButton::sudLeft);
  EXPECT_EQ(spin_->Left(), 72 - 12);
  spin_->SetAlignButton(TAlignButton::sudRight);
  EXPECT_EQ(spin_->Left(), 121);
}

TEST_F(SlideUpDownTest, AClickOnAnArrowButtonStepsOnceAndFocusesTheField) {
  ClickAt(kUpX, kUpY);
  ASSERT_EQ(clicks_.size(), 1u);
  EXPECT_EQ(clicks_[0].type, TButtonType::btUp);
  EXPECT_EQ(FieldText(), "1");
  EXPECT_EQ(GetFocus(), edit_->Handle());
  EXPECT_GE(changes_, 1);
  ClickAt(kDownX, kDownY);
  ASSERT_EQ(clicks_.size(), 2u);
  EXPECT_EQ(clicks_[1].type, TButtonType::btDown);
  EXPECT_EQ(FieldText(), "0");
  EXPECT_FALSE(spin_->UpButton().Down());
}

TEST_F(SlideUpDownTest, HoldingRepeatsAfterTheDelayAtTheSpeed) {
  const unsigned delay = spin_->Buttons().Delay(), speed = static_cast<unsigned>(spin_->Buttons().Speed());
  ASSERT_GT(speed, 0u);
  PressAt(kUpX, kUpY);
  PumpFor(1000);
  Release();
  const size_t held = clicks_.size();
  PumpFor(200);
  EXPECT_EQ(clicks_.size(), held) << "no click after the release";
  // The press, the first repeat after Delay, then one every Speed: about 16 with the
  // usual 500 and 33 ms, counted generously for a loaded machine.
  const size_t expected = 2 + (1000 - delay) / speed;
  EXPECT_GE(held, expected / 2);
  EXPECT_LE(held, expected + 2);
  ASSERT_GE(held, 2u);
  EXPECT_GE(clicks_[1].at - clicks_[0].at, delay - 20) << "the first repeat waits for the delay";
  EXPECT_EQ(spin_->Position(), static_cast<long double>(held)) << "every click a step";
}

TEST_F(SlideUpDownTest, HoldingNearTheMaximumStopsThere) {
  spin_->SetPosition(86398);
  EXPECT_EQ(FieldText(), "86398");
  PressAt(kUpX, kUpY);
  PumpUntil([&] { return clicks_.size() >= 4; }, 1500);
  EXPECT_EQ(FieldText(), "86400");
  Release();
  EXPECT_GE(clicks_.size(), 4u);
  EXPECT_EQ(FieldText(), "86400");
  EXPECT_EQ(spin_->Position(), 86400);
}

TEST_F(SlideUpDownTest, ATypedNumberIsTakenOverByTheNextStep) {
  TypeIntoField(L"120");
  EXPECT_EQ(FieldText(), "120");
  ClickAt(kUpX, kUpY);
  EXPECT_EQ(FieldText(), "121");

  TypeIntoField(L"");
  SendMessageW(edit_->Handle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(FieldText(), "");
  EXPECT_EQ(spin_->Position(), 121) << "a field without digits keeps the last value";
  EXPECT_EQ(FieldText(), "");
}

TEST_F(SlideUpDownTest, ArrowKeysInTheFieldStepAndTheHookSwallowsTheirKeyDown) {
  std::vector<tk::Message> keys;
  tk::MessageHookRegistration keyLog = edit_->AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_KEYUP) keys.push_back(m);
    return false;
  });
  struct Case {
    const wchar_t* typed;
    WORD key;
    const char* shown;
  };
  const Case cases[] = {
      {L"99999", VK_UP, "86400"},  // taken over and clamped, then the step clamped again
      {L"5", VK_DOWN, "4"},
      {L"7", VK_UP, "8"},
  };
  for (const Case& c : cases) {
    TypeIntoField(c.typed);
    keys.clear();
    numtest::Key(c.key, true);
    numtest::Key(c.key, false);
    PumpUntil([&] { return !keys.empty(); }, 1000);
    EXPECT_EQ(FieldText(), c.shown) << testing::PrintToString(std::wstring(c.typed));
    ASSERT_EQ(keys.size(), 1u) << "only the key-up reaches the field";
    EXPECT_EQ(keys[0].Msg, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(keys[0].WParam, c.key);
  }
  keyLog.Remove();
}

TEST_F(SlideUpDownTest, ArrowKeysAimedElsewherePassThrough) {
  auto* other = new TEditHex(&form_);
  other->SetParent(&form_);
  other->SetBounds(72, 80, 49, 20);
  std::vector<UINT> seen;
  tk::MessageHookRegistration otherLog = other->AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_KEYUP) seen.push_back(m.Msg);
    return false;
  });
  other->SetFocus();
  numtest::Key(VK_UP, true);
  numtest::Key(VK_UP, false);
  PumpUntil([&] { return seen.size() >= 2; }, 1000);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
  EXPECT_EQ(FieldText(), "0");
  otherLog.Remove();

  // Without arrow keys, the field gets them itself.
  spin_->SetArrowKeys(false);
  std::vector<UINT> own;
  tk::MessageHookRegistration ownLog = edit_->AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_KEYDOWN) own.push_back(m.Msg);
    return false;
  });
  edit_->SetFocus();
  numtest::Key(VK_UP, true);
  numtest::Key(VK_UP, false);
  PumpUntil([&] { return !own.empty(); }, 1000);
  EXPECT_EQ(own.size(), 1u);
  EXPECT_EQ(FieldText(), "0");
  ownLog.Remove();
}

TEST_F(SlideUpDownTest, DraggingTheSliderMovesAStepPerPixelFromThePressRow) {
  spin_->SetPosition(50);
  ASSERT_TRUE(PointAt(spin_wnd_, kUpX, kUpY));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  ASSERT_TRUE(PointAt(spin_wnd_, kUpX, kGapY));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENS)) << "the split pointer over the slider";
  PressAt(kUpX, kGapY);
  PumpFor(30);
  EXPECT_TRUE(spin_->SliderPart().Down());
  struct Move {
    int x, y;
    const char* shown;
  };
  const Move moves[] = {
      {6, kGapY - 7, "57"}, {6, kGapY, "50"},
      {40, kGapY, "50"},                          // sideways changes nothing
      {6, kGapY + 30, "20"}, {-30, kGapY - 40, "90"},  // outside the control, still followed
      {6, kGapY, "50"},
  };
  for (const Move& move : moves) {
    EXPECT_TRUE(PointAt(spin_wnd_, move.x, move.y));
    PumpUntil([&] { return FieldText() == move.shown; }, 500);
    EXPECT_EQ(FieldText(), move.shown) << "pointer at " << move.x << "," << move.y;
    EXPECT_TRUE(spin_->SliderPart().Down()) << "pressed-looking throughout the drag";
  }
  Release();
  EXPECT_FALSE(spin_->SliderPart().Down());
  EXPECT_TRUE(PointAt(spin_wnd_, 6, kGapY - 5));
  EXPECT_EQ(FieldText(), "50") << "no drag after the release";
}

TEST_F(SlideUpDownTest, ARepeatingButtonDraggedOffPausesAndResumesItsCount) {
  PressAt(kUpX, kUpY);
  PumpUntil([&] { return clicks_.size() >= 3; }, 1500);
  EXPECT_TRUE(PointAt(spin_wnd_, kUpX, -30));
  EXPECT_FALSE(spin_->UpButton().Down());
  const size_t before = clicks_.size();
  const int count = spin_->UpButton().RepeatCount();
  PumpFor(250);
  EXPECT_EQ(clicks_.size(), before) << "no clicks while the pointer is off the button";
  EXPECT_TRUE(PointAt(spin_wnd_, kUpX, kUpY));
  PumpUntil([&] { return clicks_.size() > before; }, 500);
  ASSERT_GT(clicks_.size(), before);
  EXPECT_EQ(clicks_[before].repeatCount, count + 1) << "the count goes on where it stopped";
  Release();
  EXPECT_EQ(spin_->Position(), static_cast<long double>(spin_->UpButton().RepeatCount() + 1));
}

TEST_F(SlideUpDownTest, StepsBelowTheMinimumStayOrWrap) {
  spin_->SetMin(1);
  spin_->SetPosition(1);
  EXPECT_EQ(FieldText(), "1");
  ClickAt(kDownX, kDownY);
  EXPECT_EQ(FieldText(), "1");
  spin_->SetWrap(true);
  ClickAt(kDownX, kDownY);
  EXPECT_EQ(FieldText(), "86399") << "one period of 86399 up from 0";
}

TEST_F(SlideUpDownTest, APictureFormatUsesTheSystemsSeparators) {
  char thousands[8] = {}, point[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, sizeof thousands);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, sizeof point);
  spin_->SetMax(100000);
  spin_->SetFormat("#,##0.00");
  spin_->SetPosition(1234.5);
  EXPECT_EQ(FieldText(), std::string("1") + thousands + "234" + point + "50") << "written as it is, not normalized";
  EXPECT_EQ(spin_->Position(), 1234.5L) << "the text just written is not taken for a typed one";
}

TEST_F(SlideUpDownTest, FlatButtonsShowTheirBorderOnlyUnderThePointer) {
  spin_->Buttons().SetFlat(true);
  EXPECT_FALSE(spin_->UpButton().Raised());
  ASSERT_TRUE(PointAt(spin_wnd_, kUpX, kUpY));
  EXPECT_TRUE(spin_->UpButton().Raised());
  EXPECT_FALSE(spin_->DownButton().Raised());
  ASSERT_TRUE(PointAt(spin_wnd_, kDownX, kDownY));
  EXPECT_FALSE(spin_->UpButton().Raised());
  EXPECT_TRUE(spin_->DownButton().Raised());
  // Pressed, dragged off and released outside: the border goes too.
  LeftButton(true);
  PumpFor(30);
  ASSERT_TRUE(PointAt(spin_wnd_, kDownX, 60));
  EXPECT_TRUE(spin_->DownButton().Raised()) << "kept while held";
  Release();
  EXPECT_FALSE(spin_->DownButton().Raised());
}

TEST_F(SlideUpDownTest, ArrowButtonsPaintTheWorkedExample) {
  struct Case {
    TUpDownButtonPart* part;
    bool pressed;
    const std::vector<std::string>* picture;
  };
  const Case cases[] = {
      {&spin_->UpButton(), false, &kUpRaised},
      {&spin_->UpButton(), true, &kUpPressed},
      {&spin_->DownButton(), false, &kDownRaised},
      {&spin_->DownButton(), true, &kDownPressed},
  };
  for (const Case& c : cases) {
    if (c.pressed) c.part->MouseDown(tk::MouseButton::Left, MK_LBUTTON, 6, 4);
    tk::Bitmap bmp(12, 9);
    bmp.Fill(RGB(255, 0, 255));
    c.part->Paint(bmp.Dc());
    EXPECT_EQ(Mismatches(*c.picture, [&](int x, int y) { return bmp.Pixel(x, y); }), std::vector<std::string>{})
        << (c.part == &spin_->UpButton() ? "up" : "down") << (c.pressed ? " pressed" : " raised");
    if (c.pressed) c.part->MouseUp(tk::MouseButton::Left, 0, 6, 4);
  }
}

TEST_F(SlideUpDownTest, OnScreenTheButtonsLieAboveTheSlider) {
  spin_->SetPosition(60);
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
  RedrawWindow(form_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(100);
  RECT window;
  GetWindowRect(form_.Handle(), &window);
  tk::Bitmap shot(window.right - window.left, window.bottom - window.top);
  {
    tk::WindowDc screen(nullptr);
    BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen.Get(), window.left, window.top, SRCCOPY);
  }
  SaveBmp(shot, TessoraBinPath(L"numeric-controls.bmp"));
  POINT origin{0, 0};
  ClientToScreen(spin_wnd_, &origin);
  std::vector<std::string> picture = kUpRaised;
  picture.insert(picture.end(), kGap.begin(), kGap.end());
  picture.insert(picture.end(), kDownRaised.begin(), kDownRaised.end());
  EXPECT_EQ(Mismatches(picture,
                       [&](int x, int y) { return shot.Pixel(origin.x - window.left + x, origin.y - window.top + y); }),
            std::vector<std::string>{});
}

TEST_F(SlideUpDownTest, AFieldThatGoesAwayIsDropped) {
  HWND field = edit_->Handle();
  tk::Component::Free(edit_);
  edit_ = nullptr;
  EXPECT_FALSE(IsWindow(field));
  EXPECT_EQ(spin_->Associate(), nullptr);
  spin_->SetPosition(5);
  EXPECT_EQ(spin_->Position(), 5);
  ClickAt(kUpX, kUpY);
  EXPECT_EQ(spin_->Position(), 6);
}

}  // namespace

namespace {

TEST_F(SlideUpDownTest, TheFieldReportsEveryChangeOfItsText) {
  std::vector<std::string> reported;
  edit_->OnChange = [&](TEditHex* sender) { reported.push_back(sender->WindowText()); };
  struct Step {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> expected;
  };
  const Step steps[] = {
      {"SetText", [&] { edit_->SetText("42"); }, {"42"}},
      {"the same text again", [&] { edit_->SetText("42"); }, {}},
      {"a step of the spin control", [&] { spin_->SetPosition(43); }, {"43"}},
      // The typed "x" is dropped by the rebuild: the text passes through "43x".
      {"a typed character rebuilt", [&] {
         SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
         SendMessageW(edit_->Handle(), WM_CHAR, L'x', 1);
       }, {"43x", "43"}},
      {"a typed digit", [&] {
         SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
         SendMessageW(edit_->Handle(), WM_CHAR, L'7', 1);
       }, {"437"}},
  };
  for (const Step& step : steps) {
    reported.clear();
    step.change();
    PumpFor(20);
    EXPECT_EQ(reported, step.expected) << step.what;
  }
}

TEST_F(SlideUpDownTest, AHoldThatLosesTheMouseLetsGo) {
  PressAt(kUpX, kUpY);
  PumpUntil([&] { return clicks_.size() >= 2; }, 1500);
  ASSERT_TRUE(spin_->UpButton().Down());
  // Another window takes the mouse while the button is still held (as Alt+Tab does).
  tk::Form other(nullptr);
  other.SetBounds(0, 0, 50, 50);
  other.Show();
  SetCapture(other.Handle());
  PumpFor(20);
  EXPECT_FALSE(spin_->UpButton().Down());
  EXPECT_FALSE(spin_->UpButton().Held());
  const size_t after = clicks_.size();
  PumpFor(300);
  EXPECT_EQ(clicks_.size(), after) << "no repeat after the capture went";
  ReleaseCapture();
  // Moving over the button again, with the button still physically down, presses nothing.
  EXPECT_TRUE(PointAt(spin_wnd_, kUpX, kUpY + 1));
  PumpFor(150);
  EXPECT_EQ(clicks_.size(), after);
  EXPECT_FALSE(spin_->UpButton().Down());
  LeftButton(false);
  PumpFor(50);
  EXPECT_EQ(clicks_.size(), after) << "the late button-up clicks nothing";
}

TEST_F(SlideUpDownTest, AWindowThatGoesIsNeverLeftInTheArrowKeyList) {
  HWND first = spin_->Handle();
  ASSERT_TRUE(ArrowKeyWindowRegistered(first));
  // The control's own window destroyed and made again: only the new one is asked.
  spin_->DestroyHandle();
  EXPECT_FALSE(ArrowKeyWindowRegistered(first));
  HWND second = spin_->Handle();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(ArrowKeyWindowRegistered(second));
  // Destroyed from outside, with its parent window.
  DestroyWindow(form_.Handle());
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(ArrowKeyWindowRegistered(second));
}

}  // namespace
