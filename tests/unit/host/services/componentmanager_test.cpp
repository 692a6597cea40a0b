// Unit tests of korhost's component manager: counts and loading failures
// that info.sh does not reach.
#include "tests/unit/support/hostfixture.h"
#include <thread>

class ComponentManagerTest : public HostManagerTest {};

TEST_F(ComponentManagerTest, CountsAreAtomicAndMissingThingsAreNamed) {
  uint32_t count = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i)
        manager_->IncrementCount(&count);
    });
  for (auto &thread : threads)
    thread.join();
  EXPECT_EQ(count, 40000u);

  IKorComponent *component = nullptr;
  EXPECT_EQ(manager_->LoadComponent(KorGuid{}, "", &component), 0);
  EXPECT_EQ(manager_->LastError(), 'N');
  try {
    manager_->loadPluginFolder("/nonexistent");
    FAIL() << "a missing folder must stop the host";
  } catch (const HostError &e) {
    EXPECT_EQ(e.message, "plugin folder /nonexistent does not exist");
  }
}
