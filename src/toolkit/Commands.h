#pragma once
// Command IDs of menu items and accelerators. WM_COMMAND from a menu or an accelerator
// names no control, only an ID; the window that gets it hands the ID to this table,
// which calls the handler the ID was given to.
#include <windows.h>

#include <functional>

namespace tessora::tk {

class CommandRegistration {
 public:
  CommandRegistration() = default;
  explicit CommandRegistration(std::function<void()> handler);
  ~CommandRegistration();
  CommandRegistration(CommandRegistration&& other) noexcept;
  CommandRegistration& operator=(CommandRegistration&& other) noexcept;
  CommandRegistration(const CommandRegistration&) = delete;
  CommandRegistration& operator=(const CommandRegistration&) = delete;

  // 0 when nothing is registered.
  WORD Id() const { return id_; }

 private:
  WORD id_ = 0;
};

// Calls the handler of a registered ID; false for an ID nobody registered.
bool InvokeCommand(WORD id);

}  // namespace tessora::tk
