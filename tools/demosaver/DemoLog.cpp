// When TESSORA_DEMO_LOG names a file (a Windows path; under Wine Z:\ is the Unix root),
// every demo saver process appends one line per event to it. Several processes may
// share one file: each line is one WriteFile on a handle opened for appending and
// closed right after, under the named mutex "TessoraDemoSaverLog" (a reader that takes
// it never sees half a line), because Wine's append is a seek to the end and a write,
// which loses lines when two processes append at once.
//
// Format (UTF-8, one event per line, LF):
//   <tick> pid=<pid> name=<id> event=<event>[ <key>=<value>]...
// <tick> is GetTickCount64() in milliseconds, <pid> the decimal process ID, <id> the
// saver's ASCII id (Aurora, Ember, Lagoon, Sakura, NoWindow, Stubborn, TwoWindows,
// Launcher, SelfEnd, Guarded). Values hold no blanks, except cmd: it is always the last field,
// stands between double quotes and runs to the end of the line (inner quotes kept as
// they are). No key appears twice in a line. Window handles are hexadecimal with 0x,
// as in hwnd=0x1a2b.
//
// Events and their fields:
//   start      mode=screen|preview|config|password cmd="<full command line>"
//   window     hwnd= rect=<left>,<top>,<right>,<bottom>   (screen coordinates; each window shown)
//   child      childpid=<pid of the process a Launcher or Guarded started>
//   guard      refused=1|0   (Guarded's window process: whether others are now refused the right to end it)
//   keydown    hwnd= vk=<virtual key, decimal> [ignored=1]   (WM_KEYDOWN, WM_SYSKEYDOWN)
//   keyup      hwnd= vk=<virtual key, decimal>               (WM_KEYUP, WM_SYSKEYUP)
//   mouse      hwnd= button=left|right|middle|x [ignored=1]
//   mousemove  hwnd= x=<screen x> y=<screen y> [ignored=1]  (only a move beyond the slack)
//   close      hwnd= [ignored=1]                             (WM_CLOSE received)
//   exit       reason=key|mouse|mousemove|close|timeout|child|parent|config|password|error
// ignored=1 marks input that did not end the saver (Stubborn; Guarded for keys and close). Input that reaches a
// window after it has started to close is logged without ending anything again.
// exit is the last line of a process that ends normally; a killed one writes none.
#include "DemoLog.h"

#include <charconv>

namespace {
constexpr wchar_t kLogMutexName[] = L"TessoraDemoSaverLog";
// Long enough for any sane writer; past it a line is written anyway rather than lost.
constexpr DWORD kLogLockTimeoutMs = 2000;

std::wstring logPath;
std::string logPrefix;  // " pid=<pid> name=<id> event="
HANDLE logMutex = nullptr;  // lives as long as the process

std::string Decimal(std::uint64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
}  // namespace

void InitDemoLog(std::string_view saverId) {
  wchar_t buffer[MAX_PATH * 4];
  const DWORD length = GetEnvironmentVariableW(L"TESSORA_DEMO_LOG", buffer, MAX_PATH * 4);
  logPath = length > 0 && length < MAX_PATH * 4 ? std::wstring(buffer, length) : std::wstring();
  if (!logPath.empty() && !logMutex) logMutex = CreateMutexW(nullptr, FALSE, kLogMutexName);
  logPrefix = " pid=" + Decimal(GetCurrentProcessId()) + " name=" + std::string(saverId) + " event=";
}

void DemoLogEvent(std::string_view event, const std::string& fields) {
  if (logPath.empty()) return;
  std::string line = Decimal(GetTickCount64()) + logPrefix;
  line.append(event);
  line += fields;
  line += '\n';
  // An abandoned mutex (a writer killed mid-line) is owned all the same.
  const DWORD wait = logMutex ? WaitForSingleObject(logMutex, kLogLockTimeoutMs) : WAIT_FAILED;
  const bool locked = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  }
  if (locked) ReleaseMutex(logMutex);
}

std::string LogField(std::string_view key, std::string_view value) {
  std::string field = " ";
  field.append(key);
  field += '=';
  field.append(value);
  return field;
}

std::string LogField(std::string_view key, std::uint64_t value) { return LogField(key, Decimal(value)); }

std::string LogHwnd(HWND window) {
  char buffer[24] = "0x";
  const auto result = std::to_chars(buffer + 2, buffer + sizeof buffer, reinterpret_cast<std::uintptr_t>(window), 16);
  return LogField("hwnd", std::string_view(buffer, result.ptr - buffer));
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}
