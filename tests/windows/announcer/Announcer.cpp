// A saver file whose code leaves a mark when it runs: the dialog must read its name
// without running it. The mark goes where ANNOUNCER_MARK names.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t mark[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ANNOUNCER_MARK", mark, MAX_PATH)) {
      HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }
  return TRUE;
}
