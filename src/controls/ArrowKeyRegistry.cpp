#include "controls/ArrowKeyRegistry.h"

#include <algorithm>

namespace tessora {

bool ArrowKeyRegistry::Register(Handle handle) {
  const bool first = handles_.empty();
  if (!Contains(handle)) handles_.push_back(handle);
  return first;
}

bool ArrowKeyRegistry::Unregister(Handle handle) {
  const auto it = std::find(handles_.begin(), handles_.end(), handle);
  if (it == handles_.end()) return false;
  handles_.erase(it);
  return handles_.empty();
}

bool ArrowKeyRegistry::Contains(Handle handle) const {
  return std::find(handles_.begin(), handles_.end(), handle) != handles_.end();
}

bool ArrowKeyRegistry::AllUsed(const std::function<bool(Handle)>& ask) const {
  const std::vector<Handle> snapshot = handles_;
  bool all = !snapshot.empty();
  for (Handle handle : snapshot)
    if (!ask(handle)) all = false;
  return all;
}

}  // namespace tessora
