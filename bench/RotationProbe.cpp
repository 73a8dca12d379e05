// Watches one full-screen run of Tessora.scr (or, as the baseline, of a demo saver
// started directly) from outside, for bench/rotation-bench.sh: starts it with /s, notes
// every moment a demo saver window appears or goes away, and before ending the run reads
// the program's own CPU time and peak working set.
//
//   rotation_probe.exe PROGRAM SECONDS
//
// Output, one line each (times in milliseconds after the start of PROGRAM /s):
//   start <tick>                  GetTickCount64 at the start (the demo log's clock)
//   appear <ms> <hwnd>            a visible demo saver window is there
//   vanish <ms> <hwnd>            it is gone (or hidden)
//   cpu <user ms> <kernel ms>     the program's own, over the run
//   peak_working_set <bytes>
//   ended <ms>                    the program ended by itself before the time was up
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr DWORD kPollMs = 5;
constexpr DWORD kSettleMs = 700;

BOOL CALLBACK CollectSaverWindow(HWND window, LPARAM data) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (IsWindowVisible(window) && lstrcmpW(name, L"TessoraDemoSaver") == 0)
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

double Milliseconds(FILETIME time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 10000.0;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: rotation_probe PROGRAM SECONDS\n");
    return 2;
  }
  const double seconds = _wtof(argv[2]);
  LARGE_INTEGER frequency, origin, now;
  QueryPerformanceFrequency(&frequency);
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\" /s";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION tessora{};
  // The probe's own start (and its console's) must not share the machine with the start
  // it measures.
  Sleep(kSettleMs);
  std::printf("start %llu\n", static_cast<unsigned long long>(GetTickCount64()));
  QueryPerformanceCounter(&origin);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &tessora)) {
    std::fprintf(stderr, "cannot start %ls\n", argv[1]);
    return 1;
  }
  CloseHandle(tessora.hThread);
  const auto elapsed = [&] {
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - origin.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
  };

  std::vector<HWND> shown;
  bool endedByItself = false;
  while (elapsed() < seconds * 1000.0) {
    std::vector<HWND> current;
    EnumWindows(CollectSaverWindow, reinterpret_cast<LPARAM>(&current));
    const double at = elapsed();
    for (HWND w : current)
      if (std::find(shown.begin(), shown.end(), w) == shown.end()) std::printf("appear %.1f %p\n", at, static_cast<void*>(w));
    for (HWND w : shown)
      if (std::find(current.begin(), current.end(), w) == current.end()) std::printf("vanish %.1f %p\n", at, static_cast<void*>(w));
    shown = std::move(current);
    if (WaitForSingleObject(tessora.hProcess, kPollMs) == WAIT_OBJECT_0) {
      std::printf("ended %.1f\n", elapsed());
      endedByItself = true;
      break;
    }
  }

  FILETIME created, exited, kernel, user;
  if (GetProcessTimes(tessora.hProcess, &created, &exited, &kernel, &user))
    std::printf("cpu %.1f %.1f\n", Milliseconds(user), Milliseconds(kernel));
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(tessora.hProcess, &memory, sizeof memory))
    std::printf("peak_working_set %llu\n", static_cast<unsigned long long>(memory.PeakWorkingSetSize));
  std::fflush(stdout);
  // Ending Tessora ends its child with it (the job).
  if (!endedByItself) TerminateProcess(tessora.hProcess, 0);
  WaitForSingleObject(tessora.hProcess, 5000);
  CloseHandle(tessora.hProcess);
  return 0;
}
