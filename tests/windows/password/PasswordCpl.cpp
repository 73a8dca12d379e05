// A stand-in for the Windows 9x "password.cpl" (and "mpr.dll") for the host's tests.
// It answers VerifyScreenSavePwd from a file the test writes and logs every call, so
// the test sees which copy was loaded, with which window, and what the cursor did.
//   %TESSORA_TEST_PASSWORD_DIR%\answer.txt  "1" accept, "0" refuse; a leading "r" first
//                                           sends a close and a key to the window
//   %TESSORA_TEST_PASSWORD_DIR%\log.txt     one line per event
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
HMODULE self = nullptr;

std::wstring Folder() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"TESSORA_TEST_PASSWORD_DIR", buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) + L"\\" : std::wstring();
}

void Log(const std::string& line) {
  const std::wstring folder = Folder();
  if (folder.empty()) return;
  HANDLE file = CreateFileW((folder + L"log.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Answer() {
  const std::wstring folder = Folder();
  if (folder.empty()) return "1";
  HANDLE file = CreateFileW((folder + L"answer.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "1";
  char buffer[16] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

std::string HandleText(HWND window) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return buffer;
}
}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(instance, path, MAX_PATH);
    Log(std::string("attach ") + path);
  }
  return TRUE;
}

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  // The display count, left as it was.
  ShowCursor(FALSE);
  const int cursor = ShowCursor(TRUE);
  Log("verify " + HandleText(window) + " " + std::to_string(cursor));
  std::string answer = Answer();
  if (!answer.empty() && answer[0] == 'r') {
    // What a user does while the question is open: the window gets input and closes.
    SendMessageW(window, WM_CLOSE, 0, 0);
    SendMessageW(window, WM_KEYDOWN, 'A', 0);
    answer.erase(0, 1);
  }
  return !answer.empty() && answer[0] == '1';
}

extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR key, HWND window, DWORD, DWORD) {
  Log(std::string("change ") + (key ? key : "") + " " + HandleText(window));
  return 0;
}
