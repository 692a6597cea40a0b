// The kortest library as a host sees it: classes before and after hand-over.
#include "component/ikorcomponent.h"
#include "tests/unit/support/hostfixture.h"
#include <dlfcn.h>
#include <link.h>

using KortestComponentTest = HostManagerTest;

TEST_F(KortestComponentTest, ThreeClassesAtLoadEightAfterHandOver) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "a second link-map namespace does not mix with ASan";
#endif
  // A fresh copy of the library in a link-map namespace of its own, so that
  // no earlier test's hand-over is visible.
  std::string path = std::string(KORTEST_BINARY_DIR) + "/bin/libkortest.so";
  void *handle = dlmopen(LM_ID_NEWLM, path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto entry = reinterpret_cast<int32_t (*)(uint32_t *, void **)>(
      dlsym(handle, "EntryPoint"));
  uint32_t version = 0;
  void *found = nullptr;
  ASSERT_TRUE(entry && entry(&version, &found) == 1 && version == 100);
  auto *component = static_cast<IKorComponent *>(found);
  component->QueryInterface("IKorCompInternal", &found);
  auto *internal = static_cast<IKorCompInternal *>(found);
  ASSERT_NE(internal, nullptr);
  EXPECT_EQ(internal->ClassCount(), 3);
  component->SetComponentManager(manager_);
  EXPECT_EQ(internal->ClassCount(), 8);
  component->SetComponentManager(manager_);
  EXPECT_EQ(internal->ClassCount(), 8) << "a second hand-over adds nothing";
}
