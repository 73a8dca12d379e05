#include "toolkit/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tessora;

namespace {

// Records what it is told, into a log shared by the test.
class Probe : public tk::Component {
 public:
  Probe(tk::Component* owner, std::string name, std::vector<std::string>& log)
      : Component(owner), name_(std::move(name)), log_(log) {}
  ~Probe() override { log_.push_back(name_ + ":destroyed"); }
  void Loaded() override {
    Component::Loaded();
    log_.push_back(name_ + ":loaded");
  }
  void Notification(tk::Component* c, tk::Operation op) override {
      auto* p = dynamic_cast<Probe*>(c);
    log_.push_back(name_ + (op == tk::Operation::Remove ? ":removed " : ":inserted ") + (p ? p->name_ : "?"));
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

TEST(Component, OwnerDestroysOwnedComponentsLastFirst) {
  std::vector<std::string> log;
  auto* owner = new Probe(nullptr, "owner", log);
  new Probe(owner, "a", log);
  new Probe(owner, "b", log);
  log.clear();
  delete owner;
  // The owner is already past its own destructor body, so only the siblings hear of it.
  const std::vector<std::string> expected = {"owner:destroyed", "a:removed b", "b:destroyed", "a:destroyed"};
  EXPECT_EQ(log, expected);
}

TEST(Component, FreeNotifiesSiblingsAndOwnerWhileTheComponentIsWhole) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", log);
  auto* a = new Probe(&owner, "a", log);
  new Probe(&owner, "b", log);
  log.clear();
  tk::Component::Free(a);
  EXPECT_EQ(owner.ComponentCount(), 1);
  const std::vector<std::string> expected = {"b:removed a", "owner:removed a", "a:destroyed"};
  EXPECT_EQ(log, expected);
}

// A plain delete still tells the others, by pointer, so nobody keeps a dangling one.
class PointerWatch : public tk::Component {
 public:
  using Component::Component;
  void Notification(tk::Component* c, tk::Operation op) override {
    if (op == tk::Operation::Remove && c == watched) watched = nullptr;
  }
  tk::Component* watched = nullptr;
};

TEST(Component, PlainDeleteIsNotifiedByPointer) {
  tk::Component owner(nullptr);
  auto* watch = new PointerWatch(&owner);
  auto* other = new tk::Component(&owner);
  watch->watched = other;
  delete other;
  EXPECT_EQ(watch->watched, nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(Component, FinishLoadingRunsLoadedOnceForEachOwnedComponentThenTheOwner) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", log);
  auto* a = new Probe(&owner, "a", log);
  new Probe(&owner, "b", log);
  EXPECT_TRUE(a->Loading());
  log.clear();
  owner.FinishLoading();
  owner.FinishLoading();
  const std::vector<std::string> expected = {"a:loaded", "b:loaded", "owner:loaded"};
  EXPECT_EQ(log, expected);
  EXPECT_FALSE(a->Loading());
  EXPECT_FALSE(owner.Loading());
}

}  // namespace
