#include "toolkit/Commands.h"

#include <map>
#include <utility>

namespace tessora::tk {

namespace {
// Above the dialog-box IDs (IDOK .. IDCONTINUE) and the control IDs of our windows.
constexpr WORD kFirstCommandId = 0x4000;
constexpr WORD kLastCommandId = 0x7FFF;

std::map<WORD, std::function<void()>>& Table() {
  static std::map<WORD, std::function<void()>> table;
  return table;
}

WORD FreeId() {
  static WORD next = kFirstCommandId;
  auto& table = Table();
  for (int tries = 0; tries <= kLastCommandId - kFirstCommandId; ++tries) {
    const WORD id = next;
    next = next == kLastCommandId ? kFirstCommandId : static_cast<WORD>(next + 1);
    if (!table.count(id)) return id;
  }
  return 0;
}
}  // namespace

CommandRegistration::CommandRegistration(std::function<void()> handler) : id_(FreeId()) {
  if (id_) Table()[id_] = std::move(handler);
}

CommandRegistration::~CommandRegistration() {
  if (id_) Table().erase(id_);
}

CommandRegistration::CommandRegistration(CommandRegistration&& other) noexcept : id_(std::exchange(other.id_, 0)) {}

CommandRegistration& CommandRegistration::operator=(CommandRegistration&& other) noexcept {
  if (this != &other) {
    if (id_) Table().erase(id_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

bool InvokeCommand(WORD id) {
  auto& table = Table();
  auto it = table.find(id);
  if (it == table.end()) return false;
  // A copy: the handler may unregister its own ID (a menu freed by its own item).
  const std::function<void()> handler = it->second;
  if (handler) handler();
  return true;
}

}  // namespace tessora::tk
