#include "ProcessTestSupport.h"

#include <tlhelp32.h>

#include <algorithm>
#include <optional>
#include <charconv>
#include <sstream>
#include <utility>

TestProcess::TestProcess(TestProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

TestProcess& TestProcess::operator=(TestProcess&& other) noexcept {
  if (this != &other) {
    Terminate();
    Close();
    process_ = std::exchange(other.process_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

TestProcess::~TestProcess() {
  Terminate();
  Close();
}

bool TestProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool TestProcess::WaitForExit(DWORD timeoutMs) const {
  if (!process_) return true;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    const DWORD result = MsgWaitForMultipleObjects(1, &process_, FALSE, left, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;
    PumpMessagesFor(0);
  }
}

std::optional<DWORD> TestProcess::ExitCode() const {
  DWORD code = 0;
  if (Running() || !process_ || !GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

void TestProcess::Terminate() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

void TestProcess::Close() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}

TestProcess StartProcess(const std::wstring& commandLine, const std::wstring& currentDirectory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;  // CreateProcessW may write into it
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info))
    return {};
  CloseHandle(info.hThread);
  return TestProcess(info.hProcess, info.dwProcessId);
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

namespace {
struct WindowSearch {
  const std::vector<DWORD>& ids;
  bool visibleOnly;
  std::vector<HWND> found;
};

// A named CALLBACK function: a lambda does not convert to the stdcall WNDENUMPROC of i686.
BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (std::find(search.ids.begin(), search.ids.end(), pid) != search.ids.end() &&
      (!search.visibleOnly || IsWindowVisible(window)))
    search.found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processIds, bool visibleOnly) {
  WindowSearch search{processIds, visibleOnly, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> WaitForWindows(const std::vector<DWORD>& processIds, std::size_t count, DWORD timeoutMs) {
  std::vector<HWND> windows;
  WaitUntil([&] { return (windows = TopLevelWindowsOf(processIds)).size() >= count; }, timeoutMs);
  return windows;
}

std::vector<ProcessEntry> ChildProcessesOf(DWORD processId) {
  std::vector<ProcessEntry> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == processId && entry.th32ProcessID != processId)
      children.push_back({entry.th32ProcessID, entry.szExeFile});
  CloseHandle(snapshot);
  return children;
}

std::vector<DWORD> ChildProcessesOf(DWORD processId, const std::wstring& exeFile) {
  std::vector<DWORD> ids;
  for (const auto& child : ChildProcessesOf(processId)) {
    // The snapshot may give a full path; compare the file name.
    const auto slash = child.exeFile.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? child.exeFile : child.exeFile.substr(slash + 1);
    if (lstrcmpiW(name.c_str(), exeFile.c_str()) == 0) ids.push_back(child.id);
  }
  return ids;
}

void TerminateProcessById(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
  if (!process) return;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

void PumpMessagesFor(DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return condition();
    PumpMessagesFor(static_cast<DWORD>(std::min<ULONGLONG>(pollMs, deadline - now)));
  }
}

RECT VirtualScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::wstring TempFilePath(const std::wstring& prefix, const std::wstring& extension) {
  static unsigned counter = 0;
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  std::wstring path(folder, length > 0 && length <= MAX_PATH ? length : 0);
  if (path.empty()) path = L".\\";
  return path + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) +
         L"-" + std::to_wstring(++counter) + extension;
}

namespace {
// Redirection off for the scope; a 64-bit process has none, and the call then fails harmlessly.
class RealSystemFolderView {
 public:
  RealSystemFolderView() : off_(Wow64DisableWow64FsRedirection(&previous_) != FALSE) {}
  ~RealSystemFolderView() {
    if (off_) Wow64RevertWow64FsRedirection(previous_);
  }
  RealSystemFolderView(const RealSystemFolderView&) = delete;
  RealSystemFolderView& operator=(const RealSystemFolderView&) = delete;

 private:
  void* previous_ = nullptr;
  bool off_;
};

std::wstring Trimmed(const wchar_t* folder, UINT length) {
  std::wstring path(folder, length > 0 && length < MAX_PATH ? length : 0);
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}
}  // namespace

bool SystemFolderFiles::Available() { return !PathOf(Folder::Wow64).empty(); }

std::wstring SystemFolderFiles::PathOf(Folder folder) {
  wchar_t path[MAX_PATH] = {};
  const UINT length = folder == Folder::Wow64 ? GetSystemWow64DirectoryW(path, MAX_PATH) : GetSystemDirectoryW(path, MAX_PATH);
  return Trimmed(path, length);
}

bool SystemFolderFiles::Place(Folder folder, const std::wstring& source, const std::wstring& name) {
  const std::wstring target = PathOf(folder) + L"\\" + name;
  std::optional<RealSystemFolderView> view;
  if (folder == Folder::Native) view.emplace();
  if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) return false;
  placed_.emplace_back(folder, target);
  return true;
}

SystemFolderFiles::~SystemFolderFiles() {
  for (const auto& [folder, path] : placed_) {
    std::optional<RealSystemFolderView> view;
    if (folder == Folder::Native) view.emplace();
    DeleteFileW(path.c_str());
  }
}

namespace {
std::optional<std::wstring> GetEnvironment(const std::wstring& name) {
  const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), size);
  value.resize(length);
  return value;
}
}  // namespace

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::optional<std::wstring>& value)
    : name_(std::move(name)), previous_(GetEnvironment(name_)) {
  SetEnvironmentVariableW(name_.c_str(), value ? value->c_str() : nullptr);
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

std::string DemoLogEntry::Field(const std::string& key) const {
  const auto it = fields.find(key);
  return it == fields.end() ? std::string() : it->second;
}

std::vector<DemoLogEntry> DemoLog::Of(DWORD pid) const {
  std::vector<DemoLogEntry> result;
  for (const auto& entry : entries)
    if (entry.pid == pid) result.push_back(entry);
  return result;
}

std::vector<std::string> DemoLog::EventsOf(DWORD pid) const {
  std::vector<std::string> result;
  for (const auto& entry : entries)
    if (entry.pid == pid) result.push_back(entry.event);
  return result;
}

std::optional<DemoLogEntry> DemoLog::Find(DWORD pid, const std::string& event) const {
  for (const auto& entry : entries)
    if (entry.pid == pid && entry.event == event) return entry;
  return std::nullopt;
}

std::string DemoLog::FieldOf(DWORD pid, const std::string& event, const std::string& key) const {
  const auto entry = Find(pid, event);
  return entry ? entry->Field(key) : "<no " + event + ">";
}

namespace {
template <typename Number>
bool ParseWhole(const std::string& text, Number& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}
}  // namespace

std::optional<DemoLogEntry> ParseDemoLogLine(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  DemoLogEntry entry;
  std::string cmd;
  bool hasCmd = false;
  // cmd may hold blanks and quotes; it is the last field and runs to the end of the line.
  if (const auto at = line.find(" cmd=\""); at != std::string::npos) {
    if (line.size() < at + 7 || line.back() != '"') return std::nullopt;
    cmd = line.substr(at + 6, line.size() - (at + 6) - 1);
    hasCmd = true;
    line.resize(at);
  }
  std::istringstream tokens(line);
  std::string token;
  if (!(tokens >> token) || !ParseWhole(token, entry.tick)) return std::nullopt;
  while (tokens >> token) {
    const auto equals = token.find('=');
    if (equals == std::string::npos || equals == 0) return std::nullopt;
    if (!entry.fields.emplace(token.substr(0, equals), token.substr(equals + 1)).second) return std::nullopt;
  }
  if (hasCmd && !entry.fields.emplace("cmd", cmd).second) return std::nullopt;
  if (!ParseWhole(entry.Field("pid"), entry.pid)) return std::nullopt;
  entry.name = entry.Field("name");
  entry.event = entry.Field("event");
  if (entry.name.empty() || entry.event.empty()) return std::nullopt;
  entry.fields.erase("pid");
  entry.fields.erase("name");
  entry.fields.erase("event");
  return entry;
}

namespace {
// Holds the mutex the demo savers take for each line (tools/demosaver/DemoLog.cpp).
class DemoLogLock {
 public:
  DemoLogLock() : mutex_(CreateMutexW(nullptr, FALSE, L"TessoraDemoSaverLog")) {
    const DWORD wait = mutex_ ? WaitForSingleObject(mutex_, 2000) : WAIT_FAILED;
    owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
  DemoLogLock(const DemoLogLock&) = delete;
  DemoLogLock& operator=(const DemoLogLock&) = delete;
  ~DemoLogLock() {
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
  bool owned_ = false;
};

std::string ReadWholeFile(const std::wstring& path) {
  const DemoLogLock lock;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string text;
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}
}  // namespace

DemoLog ReadDemoLog(const std::wstring& path) {
  DemoLog log;
  std::istringstream lines(ReadWholeFile(path));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (auto entry = ParseDemoLogLine(line)) log.entries.push_back(std::move(*entry));
    else log.malformed.push_back(line);
  }
  return log;
}

std::string HwndText(HWND window) {
  char buffer[24] = "0x";
  const auto result = std::to_chars(buffer + 2, buffer + sizeof buffer, reinterpret_cast<std::uintptr_t>(window), 16);
  return std::string(buffer, result.ptr);
}
