// The open-file and colour dialogs answered as a user would: names typed into the file
// dialog, the colour dialog's swatches, fields and buttons clicked.
#include <windows.h>

#include <colordlg.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiDriver.h"
#include "WineTestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/ColorDialog.h"
#include "toolkit/Form.h"
#include "toolkit/OpenDialog.h"

using namespace tessora;
using namespace tessora::uitest;

namespace {

// What the driver saw of an open-file dialog.
struct FileDialogSeen {
  bool ownerDisabled = false;
  bool resizable = false;
  bool readOnlyBoxShown = true;
  std::wstring firstFilter;
  std::wstring folder;
};

// Ends a dialog that did not end as expected, and whatever message box it shows, so the
// GUI thread gets out of its modal loop.
void Rescue(HWND dialog) {
  for (HWND wnd : OwnWindows(L"#32770")) {
    if (wnd != dialog) PostMessageW(wnd, WM_CLOSE, 0, 0);
  }
  Sleep(200);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

enum class Then { Closes, StaysOpen };

// Waits for a file dialog, types the answer into its name field and presses Enter.
HWND TypeIntoFileDialog(Driver& d, const std::wstring& answer, HWND owner, FileDialogSeen* seen,
                        Then then = Then::Closes) {
  HWND dialog = WaitForOwnWindow(L"#32770", 10000);
  if (!dialog) {
    d.Fail("no file dialog");
    return nullptr;
  }
  HWND field = nullptr;
  if (!WaitUntil(
          [&] {
            field = FileNameField(dialog);
            return field && GetForegroundWindow() == dialog && FocusOf(dialog) == field;
          },
          5000)) {
    d.Fail("the file name field has no focus");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return nullptr;
  }
  if (seen) {
    seen->ownerDisabled = owner && !IsWindowEnabled(owner);
    seen->resizable = (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_THICKFRAME) != 0;
    HWND readOnly = GetDlgItem(dialog, chx1);
    seen->readOnlyBoxShown = readOnly && IsWindowVisible(readOnly);
    wchar_t text[MAX_PATH] = {};
    if (SendMessageW(GetDlgItem(dialog, cmb1), CB_GETLBTEXTLEN, 0, 0) < MAX_PATH) {
      SendMessageW(GetDlgItem(dialog, cmb1), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    seen->firstFilter = text;
    wchar_t folder[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    seen->folder = folder;
  }
  Type(answer);
  if (!WaitUntil([&] { return TextOf(field) == answer; }, 5000)) {
    d.Fail("typed text did not arrive");
  }
  Press(VK_RETURN);
  if (then == Then::Closes && !WaitUntil([&] { return !IsWindow(dialog); }, 5000)) {
    d.Fail("the dialog did not take the answer");
    Rescue(dialog);
  }
  return dialog;
}

class CommonDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tk::App().Initialize();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // A folder name of its own in Japanese: every path handled is beyond ASCII.
    folder_ = std::wstring(temp) + L"セーバー集" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    for (const std::wstring& name : Names()) {
      HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      CloseHandle(file);
    }
  }
  static void TearDownTestSuite() {
    for (const std::wstring& name : Names()) DeleteFileW(Path(name).c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  static std::vector<std::wstring> Names() {
    // 별: a name outside the ANSI code page of a Japanese system.
    return {L"a.scr", L"b.scr", L"星空.scr", L"별.scr", LongName('x'), LongName('y')};
  }
  static std::wstring LongName(wchar_t c) { return std::wstring(120, c) + L".scr"; }
  static std::wstring Path(const std::wstring& name) { return folder_ + L"\\" + name; }

  void SetUp() override {
    form_.SetBounds(150, 100, 300, 200);
    form_.Show();
    SetForegroundWindow(form_.Handle());
    PumpUntil([&] { return GetForegroundWindow() == form_.Handle(); }, 3000);
    dialog_.Filter = L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)|*.scr";
    dialog_.InitialDir = folder_;
    dialog_.DefaultExt = L"scr";
    dialog_.AllowMultiSelect = true;
    dialog_.PathMustExist = true;
    dialog_.FileMustExist = true;
    dialog_.HideReadOnly = true;
    dialog_.EnableSizing = true;
  }

  static std::wstring folder_;
  tk::Form form_{nullptr};
  tk::OpenDialog dialog_{&form_};
};

std::wstring CommonDialogsTest::folder_;

TEST_F(CommonDialogsTest, TypedNamesComeBackAsFullPathsInTheDialogsOrder) {
  struct Case {
    std::wstring typed;
    std::vector<std::wstring> names;
    bool fileMustExist = true;
  };
  const Case cases[] = {
      {L"\"b.scr\" \"a.scr\"", {L"b.scr", L"a.scr"}},  // the dialog's order, not sorted
      {L"星空.scr", {L"星空.scr"}},
      {L"\"별.scr\" \"星空.scr\"", {L"별.scr", L"星空.scr"}},
      // The default extension. Wine's dialog looks for the typed name before it adds
      // the extension, so this one is checked without the existence test.
      {L"星空", {L"星空.scr"}, false},
  };
  bool first = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.typed));
    dialog_.FileMustExist = c.fileMustExist;
    FileDialogSeen seen;
    HWND owner = form_.Handle();
    Driver driver([&](Driver& d) { TypeIntoFileDialog(d, c.typed, owner, first ? &seen : nullptr); });
    const bool chosen = dialog_.Execute();
    driver.Join();
    EXPECT_EQ(driver.Failure(), "");
    ASSERT_TRUE(chosen);
    std::vector<std::wstring> expected;
    for (const std::wstring& name : c.names) expected.push_back(Path(name));
    EXPECT_EQ(dialog_.Files(), expected);
    EXPECT_EQ(dialog_.FileName(), expected.front());
    EXPECT_EQ(dialog_.Openings(), 1);
    if (first) {
      EXPECT_TRUE(seen.ownerDisabled) << "modal over the active form";
      EXPECT_TRUE(seen.resizable);
      EXPECT_FALSE(seen.readOnlyBoxShown);
      EXPECT_EQ(seen.firstFilter, L"ｽｸﾘｰﾝｾｰﾊﾞｰ(*.scr)");
      EXPECT_EQ(seen.folder, folder_) << "opens in the initial folder";
    }
    first = false;
  }
}

TEST_F(CommonDialogsTest, AnAnswerTooLongForTheBufferOpensTheDialogAgainWithRoomForIt) {
  // One path longer than the buffer: the dialog reports the size it needs.
  dialog_.BufferChars = 64;
  Driver driver([&](Driver& d) {
    if (!TypeIntoFileDialog(d, LongName('x'), nullptr, nullptr)) return;
    TypeIntoFileDialog(d, LongName('x'), nullptr, nullptr);
  });
  const bool chosen = dialog_.Execute();
  driver.Join();
  EXPECT_EQ(driver.Failure(), "");
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog_.Openings(), 2);
  EXPECT_EQ(dialog_.Files(), (std::vector<std::wstring>{Path(LongName('x'))}));
}

TEST_F(CommonDialogsTest, SeveralFilesLongerThanTheBufferComeBackWhole) {
  // Windows reports the size needed, as for one file; Wine's dialog writes the whole
  // answer past the size it was told (into the room kept behind it).
  dialog_.BufferChars = MAX_PATH;
  const std::wstring typed = L"\"" + LongName('x') + L"\" \"" + LongName('y') + L"\"";
  Driver driver([&](Driver& d) {
    if (!TypeIntoFileDialog(d, typed, nullptr, nullptr)) return;
    HWND again = WaitForOwnWindow(L"#32770", 1500);
    if (again) TypeIntoFileDialog(d, typed, nullptr, nullptr);
  });
  const bool chosen = dialog_.Execute();
  driver.Join();
  EXPECT_EQ(driver.Failure(), "");
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog_.Files(), (std::vector<std::wstring>{Path(LongName('x')), Path(LongName('y'))}));
  RecordProperty("openings", dialog_.Openings());
}

TEST_F(CommonDialogsTest, CancelAndAMissingFileChooseNothing) {
  // Escape cancels.
  Driver cancel([&](Driver& d) {
    HWND dialog = WaitForOwnWindow(L"#32770", 10000);
    if (!dialog || !WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000)) return d.Fail("no dialog");
    Press(VK_ESCAPE);
  });
  EXPECT_FALSE(dialog_.Execute());
  cancel.Join();
  EXPECT_EQ(cancel.Failure(), "");
  EXPECT_TRUE(dialog_.Files().empty());

  // A name that does not exist is refused with a message, and the dialog stays open.
  bool refused = false;
  Driver missing([&](Driver& d) {
    HWND dialog = TypeIntoFileDialog(d, L"ない.scr", nullptr, nullptr, Then::StaysOpen);
    if (!dialog) return;
    HWND message = WaitForOwnWindow(L"#32770", 5000, {dialog});
    refused = message && GetWindow(message, GW_OWNER) == dialog;
    if (message) {
      WaitUntil([&] { return GetForegroundWindow() == message; }, 3000);
      Press(VK_RETURN);
      WaitUntil([&] { return !IsWindow(message); }, 3000);
    }
    if (!IsWindow(dialog)) return d.Fail("the dialog closed on a missing file");
    WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000);
    Press(VK_ESCAPE);
    if (!WaitUntil([&] { return !IsWindow(dialog); }, 5000)) {
      d.Fail("Escape did not cancel");
      Rescue(dialog);
    }
  });
  EXPECT_FALSE(dialog_.Execute());
  missing.Join();
  EXPECT_EQ(missing.Failure(), "");
  EXPECT_TRUE(refused) << "a message owned by the dialog";
  EXPECT_TRUE(dialog_.Files().empty());
}

// ---- Colour dialog

class ColorDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }
  void SetUp() override {
    form_.SetBounds(150, 100, 300, 200);
    form_.Show();
    SetForegroundWindow(form_.Handle());
    PumpUntil([&] { return GetForegroundWindow() == form_.Handle(); }, 3000);
    dialog_.SolidColor = true;
    dialog_.AnyColor = true;
  }

  // Runs the dialog while the script answers it.
  bool Run(std::function<void(Driver&, HWND dialog)> script) {
    Driver driver([&](Driver& d) {
      HWND dialog = WaitForOwnWindow(L"#32770", 10000);
      if (!dialog || !WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000)) return d.Fail("no dialog");
      Sleep(100);  // drawn
      script(d, dialog);
    });
    const bool confirmed = dialog_.Execute();
    driver.Join();
    EXPECT_EQ(driver.Failure(), "");
    return confirmed;
  }

  static void ClickButton(Driver& d, HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button || !IsWindowVisible(button) || !ClickAt(ScreenCentreOf(button))) d.Fail("button " + std::to_string(id));
  }

  tk::Form form_{nullptr};
  tk::ColorDialog dialog_{&form_};
};

TEST_F(ColorDialogTest, OkReturnsTheColourItOpenedOnAndCancelKeepsIt) {
  struct Case {
    ColorRef initial;
    int button;
    bool confirmed;
    ColorRef result;
  };
  const Case cases[] = {
      {RGB(0, 128, 128), IDOK, true, RGB(0, 128, 128)},
      {RGB(12, 34, 56), IDOK, true, RGB(12, 34, 56)},  // not one of the swatches
      {0x80000000u | COLOR_WINDOW, IDOK, true, GetSysColor(COLOR_WINDOW)},
      {RGB(0, 128, 128), IDCANCEL, false, RGB(0, 128, 128)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.initial) + " " + std::to_string(c.button));
    dialog_.Color = c.initial;
    bool ownerDisabled = false;
    HWND owner = form_.Handle();
    EXPECT_EQ(Run([&](Driver& d, HWND dialog) {
                ownerDisabled = !IsWindowEnabled(owner);
                ClickButton(d, dialog, c.button);
              }),
              c.confirmed);
    EXPECT_EQ(dialog_.Color, c.result);
    EXPECT_TRUE(ownerDisabled);
  }
}

TEST_F(ColorDialogTest, AClickedSwatchIsTheColourChosen) {
  dialog_.Color = RGB(0, 128, 128);
  COLORREF shown = CLR_INVALID;
  EXPECT_TRUE(Run([&](Driver& d, HWND dialog) {
    HWND swatches = GetDlgItem(dialog, COLOR_BOX1);
    RECT r;
    GetWindowRect(swatches, &r);
    // The swatches stand in 6 rows of 8; one in the second row, fourth column.
    const POINT p{r.left + (r.right - r.left) * 7 / 16, r.top + (r.bottom - r.top) * 3 / 12};
    shown = ScreenPixel(p);
    if (!ClickAt(p)) d.Fail("pointer");
    Sleep(100);
    ClickButton(d, dialog, IDOK);
  }));
  EXPECT_NE(shown, RGB(0, 128, 128));
  EXPECT_EQ(dialog_.Color, shown) << "the colour drawn in the swatch";
}

TEST_F(ColorDialogTest, AnyColourTypedIntoTheDefinitionFieldsIsChosenAndKeptAsACustomColour) {
  dialog_.Color = RGB(0, 128, 128);
  const COLORREF wanted = RGB(201, 47, 99);
  EXPECT_TRUE(Run([&](Driver& d, HWND dialog) {
    ClickButton(d, dialog, COLOR_MIX);  // "define custom colours"
    const struct {
      int id;
      int value;
    } fields[] = {{COLOR_RED, 201}, {COLOR_GREEN, 47}, {COLOR_BLUE, 99}};
    for (const auto& f : fields) {
      HWND edit = GetDlgItem(dialog, f.id);
      if (!WaitUntil([&] { return IsWindowVisible(edit); }, 3000)) return d.Fail("no colour field");
      ClickAt(ScreenCentreOf(edit));
      Sleep(50);
      Press(VK_END);
      for (int i = 0; i < 4; ++i) Press(VK_BACK);
      Type(std::to_wstring(f.value));
      if (!WaitUntil([&] { return TextOf(edit) == std::to_wstring(f.value); }, 3000)) d.Fail("typed value");
    }
    Sleep(100);
    ClickButton(d, dialog, COLOR_ADD);  // add to the custom colours
    Sleep(100);
    ClickButton(d, dialog, IDOK);
  }));
  EXPECT_EQ(dialog_.Color, wanted);
  EXPECT_EQ(dialog_.CustomColors[0], wanted) << "the custom colours are the component's";
}

}  // namespace
