#pragma once
// The running child screensaver of a full-screen run: started with /S, recognised by
// the windows of its process (and of the processes it starts itself), closed through
// those windows with Esc and WM_CLOSE, ended by force when it will not close.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Handles.h"

namespace tessora {

struct ChildSaverLimits {
  DWORD firstWindowWait = 10000;  // a start that shows no window by then has failed
  DWORD firstWindowPoll = 200;
  DWORD closePause = 100;   // after each window's messages, and after each pass
  DWORD closeBound = 5000;  // of Esc and WM_CLOSE passes; then the holders are ended
  DWORD endWait = 2000;     // for an ended process to be gone
};

class ChildSaver {
 public:
  explicit ChildSaver(const ChildSaverLimits& limits = {});
  // Ends what is left of the child and its direct children; one that has let its
  // windows go gets a moment to finish first.
  ~ChildSaver();
  ChildSaver(const ChildSaver&) = delete;
  ChildSaver& operator=(const ChildSaver&) = delete;

  // Starts the saver file at path (bytes of the ANSI code page) with /S and waits
  // for its first window. False when the process cannot be created, or shows no
  // window within the bound or ends without one; such a child is ended.
  bool StartSaver(const std::string& path);

  // False when the child has no window (nothing is sent). Otherwise posts Esc down,
  // Esc up and WM_CLOSE to each window until they are gone, for a bounded time;
  // the processes still holding windows then are ended. True once the windows are gone;
  // false, with LastCloseLeftWindows(), when windows are left whose processes could
  // not be ended (they refuse to be opened for that, say).
  bool CloseSaver();

  // Process-ID list := the child and its direct children, from a fresh snapshot.
  void CollectChildProcesses();
  // Window list := the windows that count as the child's now. False when the
  // enumeration fails.
  bool FindWindows();
  // The child and its direct children looked up afresh, then their windows.
  // False when there are none or the enumeration fails.
  bool ShowsWindows();
  // Ends the child and its direct children, and waits a moment for them to go.
  void EndChild();
  // Forgets the process-ID and window lists; the child's handle stays.
  void ClearLists();

  // EnumWindows callback; parameter is the ChildSaver.
  static BOOL CALLBACK EnumSaverWindows(HWND window, LPARAM parameter);
  // Ascending by the parent (or owner) handle, windows without one first.
  static int CompareParents(HWND a, HWND b);
  // Sorts by CompareParents, each window's parent taken once.
  static void SortByParent(std::vector<HWND>& windows);

  DWORD ChildProcessId() const { return child_.id; }
  HANDLE ChildProcess() const { return child_.handle.Get(); }
  const std::vector<DWORD>& ProcessIds() const { return processIds_; }
  const std::vector<HWND>& Windows() const { return windows_; }
  // Whether the child runs inside the program's job, which ends it with the program.
  bool InJob() const { return inJob_; }
  // Whether the last CloseSaver had to end processes.
  bool LastCloseForced() const { return lastCloseForced_; }
  // Whether the last CloseSaver gave up with the child's windows still there.
  bool LastCloseLeftWindows() const { return lastCloseLeftWindows_; }

 private:
  struct Process {
    DWORD id = 0;
    tk::KernelHandle handle;  // pins the ID: it cannot be reused while open
  };

  bool CreateChild(const std::string& path);
  bool ChildEnded() const;
  HANDLE HandleOf(DWORD processId) const;
  void EndProcesses(const std::vector<DWORD>& processIds);

  ChildSaverLimits limits_;
  Process child_;
  FILETIME childCreated_{};
  std::vector<Process> children_;
  std::vector<DWORD> processIds_;
  std::vector<HWND> windows_;
  bool inJob_ = false;
  bool lastCloseForced_ = false;
  bool lastCloseLeftWindows_ = false;
};

}  // namespace tessora
