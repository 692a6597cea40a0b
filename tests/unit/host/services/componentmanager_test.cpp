// Unit tests of korhost's component manager: services, counts, loading.
#include "tests/unit/support/hostfixture.h"
#include "component/iptr.h"
#include "component/ikorasserthandlercb.h"
#include <thread>

class ComponentManagerTest : public HostManagerTest {};

TEST_F(ComponentManagerTest, ServicesAreFoundByTheirInterfaceName) {
  SPtr<IKorErrorService> errors;
  ASSERT_TRUE(errors);
  EXPECT_EQ(errors.get(), static_cast<IKorErrorService *>(errors_));
  SPtr<IKorAssertHandlerCB> missing;
  EXPECT_FALSE(missing);
}

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

TEST_F(ComponentManagerTest, LoadsTheKortestLibraryAndNamesFailures) {
  std::string dir = std::string(KORTEST_BINARY_DIR) + "/bin";
  LoadedComponent &loaded = manager_->loadLibrary(dir + "/libkortest.so");
  EXPECT_EQ(loaded.name, "kortest");
  EXPECT_STREQ(loaded.internal->InstanceName(), "kortest");
  IKorComponent *component = nullptr;
  EXPECT_EQ(manager_->LoadComponent(loaded.id, "", &component), 1);
  EXPECT_EQ(component, loaded.component);
  EXPECT_EQ(manager_->LoadComponent(KorGuid{}, "", &component), 0);
  EXPECT_NE(manager_->GetInstanceObject("kortest", 0), nullptr);
  EXPECT_THROW(manager_->loadLibrary("/nonexistent/libx.so"), HostError);
  EXPECT_THROW(manager_->loadPluginFolder("/nonexistent"), HostError);
}
