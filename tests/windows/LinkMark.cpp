// A program for a link label to open: it appends one line to the file that
// TESSORA_LINK_MARK names, so a test can see that the shell started it (and how often).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"TESSORA_LINK_MARK", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, "opened\n", 7, &written, nullptr);
  CloseHandle(file);
  return 0;
}
