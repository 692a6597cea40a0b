// Unit tests of korhost's component manager: counts and loading failures.
#include "tests/unit/support/hostfixture.h"
#include <thread>

class ComponentManagerTest : public HostManagerTest {};

TEST_F(ComponentManagerTest, CountsAreAtomicAcrossThreads) {
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
}

TEST_F(ComponentManagerTest, MissingComponentsAndFoldersAreNamed) {
  IKorComponent *component = nullptr;
  EXPECT_EQ(manager_->LoadComponent(KorGuid{}, "", &component), 0);
  EXPECT_EQ(manager_->LastError(), 'N');
  EXPECT_THROW(manager_->loadLibrary("/nonexistent/libx.so"), HostError);
  try {
    manager_->loadPluginFolder("/nonexistent");
    FAIL() << "a missing folder must stop the host";
  } catch (const HostError &e) {
    EXPECT_EQ(e.message, "plugin folder /nonexistent does not exist");
  }
}
