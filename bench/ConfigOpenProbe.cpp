// Times "Tessora.scr /c" to its settings dialog shown with every row of the list, for
// the benchmark script. Usage: config_open_probe PROGRAM ROWS RUNS; prints one time in
// milliseconds per run, or "timeout".
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  DWORD pid;
  HWND dialog;
};

BOOL CALLBACK FindDialog(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  wchar_t caption[64] = {};
  GetWindowTextW(wnd, caption, 64);
  if (pid == s->pid && IsWindowVisible(wnd) && std::wstring(caption) == L"Tessora 設定") {
    s->dialog = wnd;
    return FALSE;
  }
  return TRUE;
}

// The rows the dialog's list holds once it shows them, or -1.
long ShownRows(HWND dialog) {
  HWND list = FindWindowExW(dialog, nullptr, L"SysListView32", nullptr);
  if (!list || !IsWindowVisible(list)) return -1;
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count)) return -1;
  return static_cast<long>(count);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const std::wstring program = argv[1];
  const long rows = std::wcstol(argv[2], nullptr, 10);
  const int runs = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
  for (int run = 0; run < runs; ++run) {
    std::wstring command = L"\"" + program + L"\" /c";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const ULONGLONG start = GetTickCount64();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    Search search{pi.dwProcessId, nullptr};
    long shown = -1;
    while (GetTickCount64() - start < 30000) {
      if (!search.dialog) EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
      if (search.dialog && (shown = ShownRows(search.dialog)) == rows) break;
      Sleep(2);
    }
    const ULONGLONG elapsed = GetTickCount64() - start;
    if (shown == rows) {
      std::printf("%llu\n", elapsed);
    } else {
      std::printf("timeout\n");
    }
    std::fflush(stdout);
    if (search.dialog) PostMessageW(search.dialog, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return 0;
}
