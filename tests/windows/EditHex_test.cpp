// The numeric edit field in a real window: what typing leaves in it, its property
// changes on a live window, and the keys it leaves to the dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NumericTestSupport.h"
#include "controls/EditHex.h"
#include "controls/SUDStd.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

using namespace tessora;

using tessora::EditAlignment;
using tessora::TEditHex;
using tessora::TNumericalPlace;
using tessora::TNumericalType;

namespace {

struct Selection {
  int start, end;
  bool operator==(const Selection&) const = default;
};

Selection SelectionOf(HWND wnd) {
  DWORD start = 0, end = 0;
  SendMessageW(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

void Type(HWND wnd, const std::wstring& keys) {
  for (wchar_t key : keys) SendMessageW(wnd, WM_CHAR, key, 1);
}

class EditHexTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  // A seconds field as the dialogs set it up: stored text, then right-aligned,
  // NumeralOnly and decimal, in that order.
  TEditHex* AddSecondsField(const char* storedText, int top) {
    auto* edit = new TEditHex(&form_);
    edit->SetParent(&form_);
    edit->SetBounds(20, top, 49, 20);
    edit->SetText(storedText);
    edit->SetAlignment(EditAlignment::taRightJustify);
    edit->SetNumeralOnly(true);
    edit->SetNumericType(TNumericalType::Decimal);
    return edit;
  }

  tk::Form form_{nullptr};
};

TEST_F(EditHexTest, StoredValuesLeaveTheDialogsTextSelected) {
  auto* edit = new TEditHex(&form_);
  edit->SetParent(&form_);
  HWND wnd = edit->Handle();
  edit->SetText("0");
  edit->SetAlignment(EditAlignment::taRightJustify);
  edit->SetNumeralOnly(true);
  EXPECT_EQ(edit->WindowText(), "$00000000") << "NumeralOnly comes while the field is still hexadecimal";
  edit->SetNumericType(TNumericalType::Decimal);
  EXPECT_EQ(edit->WindowText(), "0");
  form_.FinishLoading();
  wnd = edit->Handle();
  EXPECT_EQ(SelectionOf(wnd), (Selection{0, 1}));
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  EXPECT_EQ(style & (ES_RIGHT | ES_CENTER), ES_RIGHT);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_TABSTOP);
}

TEST_F(EditHexTest, TypingKeepsAWellFormedNumberAndTheCaretsDistanceFromTheEnd) {
  TEditHex* edit = AddSecondsField("60", 20);
  form_.FinishLoading();
  HWND wnd = edit->Handle();
  int changes = 0;
  edit->OnChange = [&](TEditHex* sender) {
    EXPECT_EQ(sender, edit);
    ++changes;
  };
  SendMessageW(wnd, EM_SETSEL, 2, 2);
  struct Step {
    const wchar_t* keys;
    const char* text;
    int caret;
  };
  const Step steps[] = {
      {L"5", "605", 3},     {L"x", "605", 3},   {L"-", "605", 3},  // neither letters nor a minus stay
      {L"\b", "60", 2},     {L"\b\b", "0", 1},                     // never empty after typing
      {L"7", "7", 1},                                              // not "07"
      {L"\r", "7", 1},      {L"\n", "7", 1},                       // no line break, not even Ctrl+Enter
      {L"12", "712", 3},
  };
  for (const Step& step : steps) {
    Type(wnd, step.keys);
    EXPECT_EQ(edit->WindowText(), step.text) << "after typing " << testing::PrintToString(std::wstring(step.keys));
    EXPECT_EQ(SelectionOf(wnd), (Selection{step.caret, step.caret}))
        << "after typing " << testing::PrintToString(std::wstring(step.keys));
  }
  EXPECT_GT(changes, 0);
}

TEST_F(EditHexTest, GroupedDigitsKeepTheCaretBetweenTheSameDigits) {
  TEditHex* edit = AddSecondsField("1234", 20);
  // Right-aligned, the field takes only what fits its width.
  edit->SetWidth(120);
  edit->SetFourDigit(true);
  form_.FinishLoading();
  HWND wnd = edit->Handle();
  EXPECT_EQ(edit->WindowText(), "1234");
  SendMessageW(wnd, EM_SETSEL, 2, 2);
  Type(wnd, L"5");
  EXPECT_EQ(edit->WindowText(), "1_2534");
  EXPECT_EQ(SelectionOf(wnd), (Selection{4, 4})) << "two characters from the end, after the 5";
  EXPECT_EQ(edit->Text(), "12534");
}

TEST_F(EditHexTest, PropertiesRewriteTheLiveWindowsText) {
  struct Case {
    TNumericalType type;
    TNumericalPlace places;
    bool fourDigit;
    const char* written;
    const char* shown;
    const char* read;
  };
  const Case cases[] = {
      {TNumericalType::HexDecimal, TNumericalPlace::places8, false, "ff", "$000000FF", "$000000FF"},
      {TNumericalType::HexDecimal, TNumericalPlace::places8, true, "ff", "$0000_00FF", "$000000FF"},
      {TNumericalType::HexDecimal, TNumericalPlace::places2, false, "$000000FF", "$FF", "$FF"},
      {TNumericalType::HexDecimal, TNumericalPlace::places8, false, "$123456789", "$00000000", "$00000000"},
      {TNumericalType::Decimal, TNumericalPlace::places8, true, "86400", "8_6400", "86400"},
      {TNumericalType::Decimal, TNumericalPlace::places8, false, "-12", "-12", "-12"},
      {TNumericalType::Decimal, TNumericalPlace::places8, false, "2147483648", "0", "0"},
  };
  auto* edit = new TEditHex(&form_);
  edit->SetParent(&form_);
  edit->Handle();
  edit->SetNumeralOnly(true);
  for (const Case& c : cases) {
    edit->SetNumericType(c.type);
    edit->SetMaxPlaces(c.places);
    edit->SetFourDigit(c.fourDigit);
    edit->SetText(c.written);
    EXPECT_EQ(edit->WindowText(), c.shown) << c.written;
    EXPECT_EQ(tessora::ReadWindowText(edit->Handle()), c.shown) << "the window itself, for " << c.written;
    EXPECT_EQ(edit->Text(), c.read) << c.written;
  }
  // Fewer places than the value needs turn it into zero.
  edit->SetNumericType(TNumericalType::HexDecimal);
  edit->SetFourDigit(false);
  edit->SetMaxPlaces(TNumericalPlace::places8);
  edit->SetText("100");
  edit->SetMaxPlaces(TNumericalPlace::places2);
  EXPECT_EQ(edit->WindowText(), "$00");
}

TEST_F(EditHexTest, NewAlignmentRecreatesTheWindowInItsPlaceWithItsText) {
  std::vector<TEditHex*> edits;
  for (int i = 0; i < 3; ++i) {
    edits.push_back(new TEditHex(&form_));
    edits.back()->SetParent(&form_);
    edits.back()->SetBounds(20, 20 + 30 * i, 60, 20);
    edits.back()->Handle();
  }
  TEditHex* middle = edits[1];
  middle->SetText("abc");
  HWND old = middle->Handle();
  middle->SetAlignment(EditAlignment::taCenter);
  HWND wnd = middle->Handle();
  EXPECT_NE(wnd, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_CENTER);
  EXPECT_EQ(middle->WindowText(), "abc");
  EXPECT_EQ(GetWindow(edits[0]->Handle(), GW_HWNDNEXT), wnd) << "the tab order stays";
  middle->SetAlignment(EditAlignment::taCenter);
  EXPECT_EQ(middle->Handle(), wnd) << "the same value changes nothing";
}

TEST_F(EditHexTest, DialogCodeLeavesTabEnterAndEscToTheDialog) {
  TEditHex* edit = AddSecondsField("0", 20);
  const LRESULT code = SendMessageW(edit->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS), 0);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
}

TEST_F(EditHexTest, EnterReachesTheDefaultButtonAndTabMovesOn) {
  form_.DialogKeys = true;
  form_.Border = tk::BorderStyle::Dialog;
  form_.SetBounds(300, 200, 200, 120);
  TEditHex* first = AddSecondsField("60", 10);
  TEditHex* second = AddSecondsField("1", 40);
  form_.FinishLoading();
  std::vector<WPARAM> commands;
  tk::MessageHookRegistration commandLog = form_.AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_COMMAND && m.LParam == 0) commands.push_back(m.WParam);
    return false;
  });
  form_.Show();
  ASSERT_TRUE(numtest::BringToFront(form_.Handle()));
  first->SetFocus();
  SendMessageW(first->Handle(), EM_SETSEL, 2, 2);

  numtest::Key(VK_RETURN, true);
  numtest::Key(VK_RETURN, false);
  EXPECT_TRUE(numtest::PumpUntil([&] { return !commands.empty(); }, 2000));
  EXPECT_EQ(commands, std::vector<WPARAM>{IDOK});
  EXPECT_EQ(first->WindowText(), "60");
  EXPECT_EQ(GetFocus(), first->Handle());

  numtest::Key(VK_TAB, true);
  numtest::Key(VK_TAB, false);
  EXPECT_TRUE(numtest::PumpUntil([&] { return GetFocus() == second->Handle(); }, 2000));
  EXPECT_EQ(first->WindowText(), "60");
  commandLog.Remove();
}

}  // namespace
