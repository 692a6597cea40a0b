// Unit tests of korhost's component manager: counts and loading failures
// that info.sh does not reach.
#include "tests/unit/support/hostfixture.h"
#include <thread>

TEST(ComponentManager, CountsAreAtomicAndMissingThingsAreNamed) {
  ScopedHost host;
  uint32_t count = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i)
        host.manager->IncrementCount(&count);
    });
  for (auto &thread : threads)
    thread.join();
  EXPECT_EQ(count, 40000u);

  IKorComponent *component = nullptr;
  EXPECT_EQ(host.manager->LoadComponent(KorGuid{}, "", &component), 0);
  EXPECT_EQ(host.manager->LastError(), 'N');
  try {
    host.manager->loadPluginFolder("/nonexistent");
    FAIL() << "a missing folder must stop the host";
  } catch (const HostError &e) {
    EXPECT_EQ(e.message, "plugin folder /nonexistent does not exist");
  }
}
