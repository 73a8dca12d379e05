#include "WineTestSupport.h"

#include <cstdlib>

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

std::string Narrow(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}
