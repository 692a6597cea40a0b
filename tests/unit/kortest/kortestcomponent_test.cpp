// The kortest library as a host sees it: classes before and after hand-over.
#include "component/ikorcomponent.h"
#include "tests/unit/support/hostfixture.h"
#include <dlfcn.h>
#include <link.h>

namespace {
/// Opens a fresh copy of libkortest.so (its own link-map namespace, so no
/// earlier test's hand-over is visible) and returns its component.
IKorComponent *freshKortestComponent() {
  std::string path = std::string(KORTEST_BINARY_DIR) + "/bin/libkortest.so";
  void *handle = dlmopen(LM_ID_NEWLM, path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle)
    return nullptr;
  using EntryFn = int32_t (*)(uint32_t *, void **);
  auto entry = reinterpret_cast<EntryFn>(dlsym(handle, "EntryPoint"));
  uint32_t version = 0;
  void *component = nullptr;
  if (!entry || entry(&version, &component) != 1 || version != 100)
    return nullptr;
  return static_cast<IKorComponent *>(component);
}
} // namespace

class KortestComponentTest : public HostManagerTest {};

TEST_F(KortestComponentTest, ThreeClassesAtLoadEightAfterHandOver) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "a second link-map namespace does not mix with ASan";
#endif
  IKorComponent *component = freshKortestComponent();
  ASSERT_NE(component, nullptr) << dlerror();
  void *internalPtr = nullptr;
  component->QueryInterface("IKorCompInternal", &internalPtr);
  auto *internal = static_cast<IKorCompInternal *>(internalPtr);
  ASSERT_NE(internal, nullptr);
  EXPECT_EQ(internal->ClassCount(), 3);
  component->SetComponentManager(manager_);
  EXPECT_EQ(internal->ClassCount(), 8);
  component->SetComponentManager(manager_); // a second hand-over adds nothing
  EXPECT_EQ(internal->ClassCount(), 8);
}
