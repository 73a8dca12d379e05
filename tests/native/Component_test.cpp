#include "toolkit/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  const std::vector<std::string> expected = {"owner:destroyed", "b:destroyed", "a:removed b", "owner:removed b",
                                             "a:destroyed", "owner:removed a"};
  EXPECT_EQ(log, expected);
}

TEST(Component, RemovalIsNotifiedToSiblingsAndOwner) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", log);
  auto* a = new Probe(&owner, "a", log);
  new Probe(&owner, "b", log);
  log.clear();
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  const std::vector<std::string> expected = {"a:destroyed", "b:removed a", "owner:removed a"};
  EXPECT_EQ(log, expected);
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
