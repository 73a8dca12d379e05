#include "toolkit/MessageHooks.h"

#include <algorithm>
#include <utility>

namespace tessora::tk {

MessageHookRegistration::MessageHookRegistration(std::weak_ptr<std::vector<std::shared_ptr<Entry>>> chain,
                                                 std::shared_ptr<Entry> entry)
    : chain_(std::move(chain)), entry_(entry) {}

MessageHookRegistration::MessageHookRegistration(MessageHookRegistration&& other) noexcept
    : chain_(std::move(other.chain_)), entry_(std::move(other.entry_)) {}

MessageHookRegistration& MessageHookRegistration::operator=(MessageHookRegistration&& other) noexcept {
  if (this != &other) {
    Remove();
    chain_ = std::move(other.chain_);
    entry_ = std::move(other.entry_);
  }
  return *this;
}

void MessageHookRegistration::Remove() {
  std::shared_ptr<Entry> entry = entry_.lock();
  entry_.reset();
  if (!entry) return;
  // A chain running right now holds its own copy of the entries: the flag keeps it from
  // calling a handler whose owner may already be gone.
  entry->Removed = true;
  if (auto chain = chain_.lock()) chain->erase(std::remove(chain->begin(), chain->end(), entry), chain->end());
  chain_.reset();
}

bool MessageHookRegistration::Active() const {
  auto entry = entry_.lock();
  return entry && !entry->Removed;
}

MessageHookChain::MessageHookChain() : entries_(std::make_shared<Entries>()) {}

MessageHookChain::~MessageHookChain() {
  for (auto& entry : *entries_) entry->Removed = true;
}

MessageHookRegistration MessageHookChain::Add(MessageHook hook) {
  auto entry = std::make_shared<MessageHookRegistration::Entry>();
  entry->Hook = std::move(hook);
  entries_->push_back(entry);
  return MessageHookRegistration(entries_, std::move(entry));
}

bool MessageHookChain::Run(Message& message, const std::shared_ptr<bool>& alive) const {
  if (entries_->empty()) return false;
  // A handler may add or remove handlers, or destroy the window and this chain with it.
  const Entries snapshot = *entries_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if ((*it)->Removed) continue;
    const MessageHook hook = (*it)->Hook;  // the handler may remove itself while it runs
    if (hook(message)) return true;
    if (!*alive) return true;
  }
  return false;
}

}  // namespace tessora::tk
