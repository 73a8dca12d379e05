#pragma once
// Helpers for the Windows tests that start other programs (demo savers, Tessora.scr):
// start and stop processes, find their windows, wait for a condition, read the demo
// savers' event log.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A process the test started. Destroying the object while the process still runs
// terminates it, so a failed assertion leaves nothing behind in the Wine session.
class TestProcess {
 public:
  TestProcess() = default;
  TestProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}
  TestProcess(TestProcess&& other) noexcept;
  TestProcess& operator=(TestProcess&& other) noexcept;
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;
  ~TestProcess();

  explicit operator bool() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // Handles the test thread's messages while waiting; true when the process ended.
  bool WaitForExit(DWORD timeoutMs) const;
  // nullopt while the process runs.
  std::optional<DWORD> ExitCode() const;
  void Terminate();

 private:
  void Close();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// CreateProcessW with the whole command line (quote the program path with Quoted); the
// new process inherits this one's environment. An empty TestProcess when it fails.
TestProcess StartProcess(const std::wstring& commandLine, const std::wstring& currentDirectory = {});
std::wstring Quoted(const std::wstring& path);

// Top-level windows created by any of the processes, in EnumWindows order (top first).
std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processIds, bool visibleOnly = true);
// Waits until the processes have at least count visible top-level windows; returns them.
std::vector<HWND> WaitForWindows(const std::vector<DWORD>& processIds, std::size_t count, DWORD timeoutMs = 10000);
// Direct child processes, from a tool-help snapshot. Under Wine the first process that
// needs the desktop while none runs starts explorer.exe as its child, so look at the
// file name too.
struct ProcessEntry {
  DWORD id;
  std::wstring exeFile;  // file name without folder, as the snapshot gives it
};
std::vector<ProcessEntry> ChildProcessesOf(DWORD processId);
std::vector<DWORD> ChildProcessesOf(DWORD processId, const std::wstring& exeFile);  // case-insensitive
// For processes the test did not start itself (the children of a started one).
void TerminateProcessById(DWORD processId);

// Calls condition until it holds or timeoutMs has passed, handling this thread's
// messages in between; returns the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);
// Handles this thread's messages for the given time.
void PumpMessagesFor(DWORD milliseconds);

RECT VirtualScreenRect();
bool SameRect(const RECT& a, const RECT& b);

// A path in the temporary folder unique to this process and call; the file is not created.
std::wstring TempFilePath(const std::wstring& prefix, const std::wstring& extension);

// Copies of files in the two system folders of 64-bit Windows, removed at the end of
// the scope: the one a 32-bit program sees as "System32" (SysWOW64) and the real one,
// which a 32-bit program reaches only with the file-system redirection off.
class SystemFolderFiles {
 public:
  enum class Folder { Wow64, Native };

  SystemFolderFiles() = default;
  SystemFolderFiles(const SystemFolderFiles&) = delete;
  SystemFolderFiles& operator=(const SystemFolderFiles&) = delete;
  ~SystemFolderFiles();

  // Whether this system has the two folders (64-bit Windows).
  static bool Available();
  // The folder's path as the system gives it (no trailing backslash).
  static std::wstring PathOf(Folder folder);
  bool Place(Folder folder, const std::wstring& source, const std::wstring& name);

 private:
  std::vector<std::pair<Folder, std::wstring>> placed_;
};

// Sets (or with nullopt removes) an environment variable of this process, which the
// processes it starts inherit, and puts the old value back at the end of the scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::wstring name, const std::optional<std::wstring>& value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  std::wstring name_;
  std::optional<std::wstring> previous_;
};

// One line of the demo savers' event log (format in tools/demosaver/DemoLog.cpp).
struct DemoLogEntry {
  std::uint64_t tick = 0;
  DWORD pid = 0;
  std::string name;
  std::string event;
  std::map<std::string, std::string> fields;  // cmd without its double quotes

  // The value, or "" when the field is missing.
  std::string Field(const std::string& key) const;
};

struct DemoLog {
  std::vector<DemoLogEntry> entries;
  std::vector<std::string> malformed;  // lines that did not parse

  std::vector<DemoLogEntry> Of(DWORD pid) const;
  // The event names of one process in order, e.g. {"start", "window", "keydown", "exit"}.
  std::vector<std::string> EventsOf(DWORD pid) const;
  std::optional<DemoLogEntry> Find(DWORD pid, const std::string& event) const;
  // A field of the first such event; "<no EVENT>" when the process logged no such event.
  std::string FieldOf(DWORD pid, const std::string& event, const std::string& key) const;
};

std::optional<DemoLogEntry> ParseDemoLogLine(std::string line);
// A missing file reads as an empty log. Takes the savers' log mutex, so no line is read
// half written.
DemoLog ReadDemoLog(const std::wstring& path);
// A window handle as the log writes it (hwnd=0x1a2b).
std::string HwndText(HWND window);
