#include "WineTestSupport.h"

#include <algorithm>
#include <cstdio>
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

bool SaveBmp(const tessora::tk::Bitmap& bmp, const std::wstring& path) {
  const int stride = (bmp.Width() * 3 + 3) & ~3;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = bmp.Width();
  info.biHeight = bmp.Height();  // bottom-up rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(stride * bmp.Height());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  fwrite(&file, sizeof file, 1, out);
  fwrite(&info, sizeof info, 1, out);
  std::string row(static_cast<size_t>(stride), '\0');
  for (int y = bmp.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const COLORREF c = bmp.Pixel(x, y);
      row[x * 3] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
    fwrite(row.data(), 1, row.size(), out);
  }
  return fclose(out) == 0;
}
