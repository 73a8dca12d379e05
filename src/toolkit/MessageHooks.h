#pragma once
// Handlers put in front of a window's own message handling. The newest runs first; a
// handler that returns true has handled the message (its Result is the answer) and
// nothing behind it sees it. Each registration is undone by its owner, in any order,
// and may outlive the window it was made for.
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Message.h"

namespace tessora::tk {

using MessageHook = std::function<bool(Message& message)>;

class MessageHookChain;

class MessageHookRegistration {
 public:
  MessageHookRegistration() = default;
  ~MessageHookRegistration() { Remove(); }
  MessageHookRegistration(MessageHookRegistration&& other) noexcept;
  MessageHookRegistration& operator=(MessageHookRegistration&& other) noexcept;
  MessageHookRegistration(const MessageHookRegistration&) = delete;
  MessageHookRegistration& operator=(const MessageHookRegistration&) = delete;

  // Takes the handler out of its chain; nothing once it is out or the chain is gone.
  void Remove();
  bool Active() const;

 private:
  friend class MessageHookChain;
  struct Entry;
  MessageHookRegistration(std::weak_ptr<std::vector<std::shared_ptr<Entry>>> chain, std::shared_ptr<Entry> entry);

  std::weak_ptr<std::vector<std::shared_ptr<Entry>>> chain_;
  std::weak_ptr<Entry> entry_;
};

struct MessageHookRegistration::Entry {
  MessageHook Hook;
  bool Removed = false;
};

class MessageHookChain {
 public:
  MessageHookChain();
  ~MessageHookChain();
  MessageHookChain(const MessageHookChain&) = delete;
  MessageHookChain& operator=(const MessageHookChain&) = delete;

  [[nodiscard]] MessageHookRegistration Add(MessageHook hook);
  bool Empty() const { return entries_->empty(); }

  // Offers the message to the handlers, newest first. True when one handled it, or
  // when `alive` went false meanwhile (a handler destroyed the window's object):
  // then nothing more may be done with the message.
  bool Run(Message& message, const std::shared_ptr<bool>& alive) const;

 private:
  using Entries = std::vector<std::shared_ptr<MessageHookRegistration::Entry>>;
  std::shared_ptr<Entries> entries_;
};

}  // namespace tessora::tk
