#include "engine/ChildSaver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <utility>

#include "config/SystemFolderAccess.h"
#include "toolkit/WinCalls.h"

namespace tessora {

namespace {
using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32W);

struct ToolHelp {
  CreateSnapshotFn createSnapshot = nullptr;
  ProcessWalkFn first = nullptr;
  ProcessWalkFn next = nullptr;
};

// Bound by name, once: without them only the child's own windows count.
const ToolHelp& ToolHelpFunctions() {
  static const ToolHelp functions{tk::KernelProc<CreateSnapshotFn>("CreateToolhelp32Snapshot"),
                                  tk::KernelProc<ProcessWalkFn>("Process32FirstW"),
                                  tk::KernelProc<ProcessWalkFn>("Process32NextW")};
  return functions;
}

// The error mode a new process inherits: a child that crashes ends without the
// system's error dialog, which would otherwise stay on the screen after the run.
class ScopedChildErrorMode {
 public:
  ScopedChildErrorMode() : previous_(SetErrorMode(0)) {
    SetErrorMode(previous_ | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  }
  ~ScopedChildErrorMode() { SetErrorMode(previous_); }
  ScopedChildErrorMode(const ScopedChildErrorMode&) = delete;
  ScopedChildErrorMode& operator=(const ScopedChildErrorMode&) = delete;

 private:
  UINT previous_;
};

tk::KernelHandle OpenChildProcess(DWORD id) {
  // Older systems know only the full query right. A process that refuses us the right
  // to end it still gets a handle without it: that pins the ID and tells its age.
  for (const DWORD terminate : {DWORD{PROCESS_TERMINATE}, DWORD{0}}) {
    for (const DWORD query : {DWORD{PROCESS_QUERY_LIMITED_INFORMATION}, DWORD{PROCESS_QUERY_INFORMATION}}) {
      if (HANDLE handle = OpenProcess(terminate | SYNCHRONIZE | query, FALSE, id)) return tk::KernelHandle(handle);
    }
  }
  return tk::KernelHandle();
}

bool CreationTime(HANDLE process, FILETIME& created) {
  FILETIME exited, kernel, user;
  return GetProcessTimes(process, &created, &exited, &kernel, &user) != FALSE;
}

bool Running(HANDLE process) { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

HWND ParentOf(HWND window) { return GetParent(window); }

tk::KernelHandle MakeJob() {
  tk::KernelHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION info{};
  // The job's last handle closes when the program ends, however it ends; every
  // process still in the job ends with it. A crash inside it ends the process
  // without a dialog.
  info.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  if (!SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &info, sizeof info)) job.Reset();
  return job;
}

// One job for the whole program, never closed before the end: a job closed early
// takes its processes with it (and under Wine also processes started later).
HANDLE ProgramJob() {
  static const tk::KernelHandle job = MakeJob();
  return job.Get();
}

// The system gives every thread with windows an input-method window of its own,
// hidden but of a size; it is never a saver's screen, and closing it does nothing.
bool IsInputMethodWindow(HWND window) {
  wchar_t name[16] = {};
  const int length = GetClassNameW(window, name, 16);
  return (length == 3 && lstrcmpiW(name, L"IME") == 0) || (length == 11 && lstrcmpiW(name, L"MSCTFIME UI") == 0);
}
}  // namespace

ChildSaver::ChildSaver(const ChildSaverLimits& limits) : limits_(limits) {}

ChildSaver::~ChildSaver() {
  if (!Running(child_.handle.Get())) return;
  // A child whose windows are gone is on its way out (saving its settings, say) and
  // gets a moment; no saver outlives the run.
  if (!ShowsWindows()) WaitForSingleObject(child_.handle.Get(), limits_.endWait);
  EndChild();
}

bool ChildSaver::CreateChild(const std::string& path) {
  const HANDLE job = ProgramJob();
  std::string commandLine = "\"" + path + "\" /S";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so nothing it starts can escape the job.
  const DWORD flags = CREATE_NEW_PROCESS_GROUP | (job ? CREATE_SUSPENDED : 0);
  BOOL created = FALSE;
  {
    ScopedSystemFolderAccess access(path);
    ScopedChildErrorMode errorMode;
    created = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                             &info);
  }
  if (!created) return false;
  tk::KernelHandle thread(info.hThread);
  child_.id = info.dwProcessId;
  child_.handle.Reset(info.hProcess);
  if (!CreationTime(child_.handle.Get(), childCreated_)) childCreated_ = FILETIME{};
  // Where the job cannot take it (an older system that already runs this program
  // inside a job of its own), the child runs without one.
  inJob_ = job && AssignProcessToJobObject(job, child_.handle.Get());
  if ((flags & CREATE_SUSPENDED) && ResumeThread(thread.Get()) == static_cast<DWORD>(-1)) {
    TerminateProcess(child_.handle.Get(), 1);
    return false;
  }
  return true;
}

bool ChildSaver::StartSaver(const std::string& path) {
  children_.clear();
  ClearLists();
  child_ = Process{};
  inJob_ = false;
  if (!CreateChild(path)) {
    child_ = Process{};
    return false;
  }
  const ULONGLONG deadline = GetTickCount64() + limits_.firstWindowWait;
  for (;;) {
    CollectChildProcesses();
    windows_.clear();
    if (!EnumWindows(EnumSaverWindows, reinterpret_cast<LPARAM>(this))) break;
    if (!windows_.empty()) return true;
    // Gone without a window, and started nothing that could still show one.
    if (ChildEnded() && children_.empty()) break;
    if (GetTickCount64() >= deadline) break;
    Sleep(limits_.firstWindowPoll);
  }
  // A child that showed nothing in time must not turn up later over the next one.
  EndChild();
  ClearLists();
  return false;
}

bool ChildSaver::ChildEnded() const { return !Running(child_.handle.Get()); }

void ChildSaver::CollectChildProcesses() {
  processIds_.assign(1, child_.id);
  std::vector<Process> found;
  const ToolHelp& toolHelp = ToolHelpFunctions();
  if (child_.id != 0 && toolHelp.createSnapshot && toolHelp.first && toolHelp.next) {
    tk::KernelHandle snapshot(toolHelp.createSnapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && toolHelp.first(snapshot.Get(), &entry); more;
         more = toolHelp.next(snapshot.Get(), &entry)) {
      if (entry.th32ParentProcessID != child_.id || entry.th32ProcessID == child_.id) continue;
      Process process;
      process.id = entry.th32ProcessID;
      const auto known = std::find_if(children_.begin(), children_.end(),
                                       [&](const Process& p) { return p.id == process.id; });
      if (known != children_.end()) {
        process.handle = std::move(known->handle);
      } else {
        process.handle = OpenChildProcess(process.id);
        // A parent ID is only a number: a process that is older than the child was
        // started by an earlier holder of that ID.
        FILETIME created{};
        if (process.handle && CreationTime(process.handle.Get(), created) &&
            CompareFileTime(&created, &childCreated_) < 0)
          continue;
      }
      found.push_back(std::move(process));
    }
  }
  children_ = std::move(found);
  for (const Process& process : children_) processIds_.push_back(process.id);
}

bool ChildSaver::FindWindows() {
  windows_.clear();
  if (processIds_.empty()) return true;
  if (EnumWindows(EnumSaverWindows, reinterpret_cast<LPARAM>(this))) return true;
  windows_.clear();
  return false;
}

bool ChildSaver::ShowsWindows() {
  if (child_.id == 0) {
    windows_.clear();
    return false;
  }
  CollectChildProcesses();
  return FindWindows() && !windows_.empty();
}

BOOL CALLBACK ChildSaver::EnumSaverWindows(HWND window, LPARAM parameter) {
  auto* self = reinterpret_cast<ChildSaver*>(parameter);
  if (IsIconic(window)) return TRUE;
  RECT rect{};
  if (!GetWindowRect(window, &rect) || rect.right - rect.left == 0 || rect.bottom - rect.top == 0) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != 0 && std::find(self->processIds_.begin(), self->processIds_.end(), processId) != self->processIds_.end() &&
      !IsInputMethodWindow(window))
    self->windows_.push_back(window);
  return TRUE;
}

int ChildSaver::CompareParents(HWND a, HWND b) {
  // Compared as unsigned numbers: a difference of two handles can overflow, and a
  // comparison that is not consistent would leave the sort's result undefined.
  const auto pa = reinterpret_cast<UINT_PTR>(ParentOf(a));
  const auto pb = reinterpret_cast<UINT_PTR>(ParentOf(b));
  return pa < pb ? -1 : (pa > pb ? 1 : 0);
}

void ChildSaver::SortByParent(std::vector<HWND>& windows) {
  // Each parent is taken once: a window that changes its owner during the sort
  // must not make the order contradict itself.
  std::vector<std::pair<UINT_PTR, HWND>> keyed;
  keyed.reserve(windows.size());
  for (HWND window : windows) keyed.emplace_back(reinterpret_cast<UINT_PTR>(ParentOf(window)), window);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < windows.size(); ++i) windows[i] = keyed[i].second;
}

bool ChildSaver::CloseSaver() {
  lastCloseForced_ = false;
  lastCloseLeftWindows_ = false;
  if (!ShowsWindows()) return false;
  SortByParent(windows_);
  const ULONGLONG deadline = GetTickCount64() + limits_.closeBound;
  while (!windows_.empty()) {
    for (HWND window : windows_) {
      PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
      PostMessageA(window, WM_CLOSE, 0, 0);
      Sleep(limits_.closePause);
    }
    windows_.clear();
    Sleep(limits_.closePause);
    // Looked up afresh: a launcher may hand its window to a new process meanwhile.
    CollectChildProcesses();
    if (!FindWindows()) break;
    SortByParent(windows_);
    if (!windows_.empty() && GetTickCount64() >= deadline) {
      std::vector<DWORD> holders;
      for (HWND window : windows_) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId != 0 && std::find(holders.begin(), holders.end(), processId) == holders.end())
          holders.push_back(processId);
      }
      EndProcesses(holders);
      lastCloseForced_ = true;
      // A holder that cannot be ended keeps its windows; the caller must not put the
      // next saver under them.
      CollectChildProcesses();
      if (FindWindows() && !windows_.empty()) {
        lastCloseLeftWindows_ = true;
        return false;
      }
      windows_.clear();
      break;
    }
  }
  return true;
}

HANDLE ChildSaver::HandleOf(DWORD processId) const {
  if (processId == child_.id) return child_.handle.Get();
  for (const Process& process : children_)
    if (process.id == processId) return process.handle.Get();
  return nullptr;
}

void ChildSaver::EndProcesses(const std::vector<DWORD>& processIds) {
  std::vector<HANDLE> ending;
  for (DWORD processId : processIds) {
    HANDLE handle = HandleOf(processId);
    if (handle && TerminateProcess(handle, 1)) ending.push_back(handle);
  }
  // Its windows go with the process; once it is signalled they are gone.
  if (!ending.empty())
    WaitForMultipleObjects(static_cast<DWORD>(std::min<std::size_t>(ending.size(), MAXIMUM_WAIT_OBJECTS)),
                           ending.data(), TRUE, limits_.endWait);
}

void ChildSaver::EndChild() {
  std::vector<DWORD> all;
  if (Running(child_.handle.Get())) all.push_back(child_.id);
  for (const Process& process : children_)
    if (Running(process.handle.Get())) all.push_back(process.id);
  EndProcesses(all);
}

void ChildSaver::ClearLists() {
  processIds_.clear();
  windows_.clear();
}

}  // namespace tessora
