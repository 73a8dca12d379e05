// The configuration dialog and its per-entry options opened and closed 200 times each:
// no GDI, USER or kernel object stays behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ConfigDialogTestSupport.h"
#include "UiDriver.h"
#include "config/option.h"

using namespace tessora;
using namespace tessora::configtest;

namespace {

constexpr int kCycles = 200;

int closed = 0;

// A few cycles fill the caches; then a leak of one object per cycle would show as 200.
void RunCycles(const std::function<void(int)>& cycle) {
  for (int i = 0; i < 6; ++i) cycle(i);
  PumpFor(100);
  closed = 0;
  const uitest::ObjectCounts before = uitest::CountObjects();
  for (int i = 0; i < kCycles; ++i) cycle(i);
  PumpFor(100);
  const uitest::ObjectCounts after = uitest::CountObjects();
  EXPECT_EQ(closed, kCycles) << "each dialog was open when its timer came";
  EXPECT_LE(after.Gdi - before.Gdi, 5) << before.Gdi << " -> " << after.Gdi;
  EXPECT_LE(after.User - before.User, 5) << before.User << " -> " << after.User;
  EXPECT_LE(after.Kernel - before.Kernel, 5) << before.Kernel << " -> " << after.Kernel;
  std::printf("objects before/after: GDI %ld/%ld, USER %ld/%ld, kernel %ld/%ld\n", before.Gdi, after.Gdi, before.User,
              after.User, before.Kernel, after.Kernel);
}

std::string TwentyRows() {
  std::string ini = "[SetList]\r\nCount=2\r\nItem0=S\r\nItem1=T\r\nCurrent=0\r\n[Set0]\r\n";
  for (int i = 0; i < 20; ++i)
    ini += "Saver" + std::to_string(i) + "=C:\\nowhere\\s" + std::to_string(i) + ".scr," + std::to_string(i) + ",1\r\n";
  return ini + "[Set1]\r\nOne=C:\\one.scr\r\n";
}

// Ends whichever dialog of this thread has the caption, from inside its modal loop,
// with the answers in turn.
const wchar_t* closeCaption = nullptr;
int closeAnswer = tk::mrCancel;
void CALLBACK CloseDialogSoon(HWND, UINT, UINT_PTR id, DWORD) {
  for (HWND wnd : uitest::OwnWindows(L"Tessora.Form")) {
    if (uitest::TextOf(wnd) != closeCaption) continue;
    auto* form = dynamic_cast<tk::Form*>(tk::WinControl::FromHandle(wnd));
    if (!form) continue;
    KillTimer(nullptr, id);
    UpdateWindow(wnd);
    form->SetModalResult(closeAnswer);
    ++closed;
    return;
  }
}

class ConfigCyclesTest : public ConfigDialogFixture {};

TEST_F(ConfigCyclesTest, PerEntryOptionsOpenedTwoHundredTimesLeaveNoObjectsBehind) {
  TfrmConfig& form = Open(TwentyRows().c_str());
  form.Show();
  form.ListView1->SetSelectedIndex(3);
  closeCaption = L"Tessora 個別オプション";
  const int answers[] = {tk::mrOk, tk::mrAbort, tk::mrCancel};
  const auto cycle = [&](int i) {
    closeAnswer = answers[i % 3];
    SetTimer(nullptr, 0, 5, CloseDialogSoon);
    form.mOptionClick();
  };
  RunCycles(cycle);
}

TEST_F(ConfigCyclesTest, TheDialogOpenedTwoHundredTimesLeavesNoObjectsBehind) {
  const std::wstring ini = TempIni();
  {
    std::ofstream out(std::filesystem::path(ini), std::ios::binary);
    out << TwentyRows();
  }
  closeCaption = L"Tessora 設定";
  const auto cycle = [&](int i) {
    auto* form = tk::NewForm<TfrmConfig>(nullptr, nullptr, SettingsPaths{ini, {}});
    closeAnswer = i % 2 ? tk::mrCancel : tk::mrOk;
    SetTimer(nullptr, 0, 5, CloseDialogSoon);
    form->ShowModal();
    delete form;
    PumpFor(0);
  };
  RunCycles(cycle);
  DeleteFileW(ini.c_str());
}

}  // namespace
