#include "WineTestSupport.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/Application.h"
#include "toolkit/WinCalls.h"

namespace {
std::wstring FromEnv(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2] = {};
  const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return L".";
  std::wstring value(buffer, n);
  // ctest hands over a Unix path; Wine maps the root of the Unix file system to Z:.
  if (!value.empty() && value[0] == L'/') {
    for (auto& c : value) if (c == L'/') c = L'\\';
    value = L"Z:" + value;
  }
  return value;
}

std::wstring Join(std::wstring base, const std::wstring& relative) {
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  return base + relative;
}
}  // namespace

std::wstring TessoraBinPath(const std::wstring& relative) { return Join(FromEnv(L"TESSORA_BIN"), relative); }
std::wstring TessoraSrcPath(const std::wstring& relative) { return Join(FromEnv(L"TESSORA_SRC"), relative); }

std::string Narrow(const std::wstring& text) { return tessora::tk::FromWide(text, CP_UTF8); }
std::string Ansi(const std::wstring& text) { return tessora::tk::FromWide(text); }

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return condition();
      }
      tessora::tk::App().DispatchOne(msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool HeardCloseSequence(const std::vector<std::string>& events) {
  static const std::vector<std::string> full{"keydown", "keyup", "close"};
  return !events.empty() && events.size() <= full.size() && std::equal(events.begin(), events.end(), full.begin());
}
