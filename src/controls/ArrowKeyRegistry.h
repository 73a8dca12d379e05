#pragma once
// The list of slide up-down windows that want Up and Down keys typed into their
// edit fields. The keyboard hook itself is the Win32 side's; this is its book-keeping.
#include <functional>
#include <vector>

namespace tessora {

class ArrowKeyRegistry {
 public:
  using Handle = void*;  // a window handle

  // Adds handle once. True when the list was empty: the caller installs the hook.
  bool Register(Handle handle);
  // Removes handle. True when that emptied the list: the caller removes the hook.
  bool Unregister(Handle handle);

  bool Contains(Handle handle) const;
  bool Empty() const { return handles_.empty(); }
  const std::vector<Handle>& Handles() const { return handles_; }

  // Asks every registered window, in order and without stopping early, whether it
  // used the key event. True when all did, so the event is to be discarded; an empty
  // list never discards. Asks over a copy: an answer may (un)register windows.
  bool AllUsed(const std::function<bool(Handle)>& ask) const;

 private:
  std::vector<Handle> handles_;
};

}  // namespace tessora
