#include <gtest/gtest.h>

#include <vector>

#include "controls/ArrowKeyRegistry.h"

namespace tessora {
namespace {

int windowA, windowB, windowC;

TEST(ArrowKeyRegistryList, FirstRegistrationAndLastUnregistrationSwitchTheHook) {
  ArrowKeyRegistry registry;
  EXPECT_TRUE(registry.Register(&windowA));
  EXPECT_FALSE(registry.Register(&windowA));
  EXPECT_EQ(registry.Handles().size(), 1u);
  EXPECT_FALSE(registry.Register(&windowB));
  EXPECT_FALSE(registry.Unregister(&windowA));
  EXPECT_TRUE(registry.Unregister(&windowB));
  EXPECT_TRUE(registry.Empty());
}

TEST(ArrowKeyRegistryList, SameHandleTwiceIsOneEntryThatOneUnregisterRemoves) {
  ArrowKeyRegistry registry;
  registry.Register(&windowA);
  registry.Register(&windowA);
  EXPECT_TRUE(registry.Unregister(&windowA));
  EXPECT_TRUE(registry.Empty());
}

TEST(ArrowKeyRegistryList, UnregisteringAStrangerChangesNothing) {
  ArrowKeyRegistry registry;
  EXPECT_FALSE(registry.Unregister(&windowA));
  registry.Register(&windowA);
  EXPECT_FALSE(registry.Unregister(&windowB));
  EXPECT_TRUE(registry.Contains(&windowA));
}

TEST(ArrowKeyRegistryAsk, AsksEveryWindowInOrderAndDiscardsOnlyWhenAllUsedTheKey) {
  ArrowKeyRegistry registry;
  registry.Register(&windowA);
  registry.Register(&windowB);
  registry.Register(&windowC);
  struct Case {
    std::vector<bool> answers;
    bool discard;
  } cases[] = {{{true, true, true}, true}, {{true, false, true}, false}, {{false, false, false}, false}};
  for (const Case& c : cases) {
    std::vector<void*> asked;
    const bool discard = registry.AllUsed([&](void* handle) {
      asked.push_back(handle);
      return c.answers[asked.size() - 1];
    });
    EXPECT_EQ(discard, c.discard);
    EXPECT_EQ(asked, (std::vector<void*>{&windowA, &windowB, &windowC}));
  }
}

TEST(ArrowKeyRegistryAsk, EmptyListNeverDiscards) {
  ArrowKeyRegistry registry;
  EXPECT_FALSE(registry.AllUsed([](void*) { return true; }));
}

TEST(ArrowKeyRegistryAsk, AWindowLeavingWhileAskedDoesNotDisturbTheRound) {
  ArrowKeyRegistry registry;
  registry.Register(&windowA);
  registry.Register(&windowB);
  std::vector<void*> asked;
  const bool discard = registry.AllUsed([&](void* handle) {
    asked.push_back(handle);
    registry.Unregister(&windowA);
    registry.Register(&windowC);
    return true;
  });
  EXPECT_TRUE(discard);
  EXPECT_EQ(asked, (std::vector<void*>{&windowA, &windowB}));
  EXPECT_EQ(registry.Handles(), (std::vector<void*>{&windowB, &windowC}));
}

}  // namespace
}  // namespace tessora
