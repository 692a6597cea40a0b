// Unit tests of the memory figures, their Linux sources and the
// MemLimitListener.
#include "component/iptr.h"
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrmemory.h"
#include <gtest/gtest.h>

TEST(NyrMemory, OnlyAnActiveMemCheckerReplacesThePlatform) {
  for (bool active : {false, true}) {
    ScopedMemoryHost host;
    host.offer("IMemChecker", new FakeMemChecker(active));
    uint64_t systemFree, systemTotal, swapFree, swapTotal;
    ASSERT_EQ(getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal, 1000), 0u);
    EXPECT_LE(systemFree, systemTotal);
    EXPECT_GT(nyrAvailableVirtualMemory(1024) * nyrFreeSystemMemory(1024) *
                  nyrAvailablePhysicalMemory(0.0, 1),
              0u);
    EXPECT_EQ(systemTotal == 8192u && swapTotal == 2048u, active);
    EXPECT_EQ(nyrAvailableMemory(0.5, 1000) == 4096u + 512u, active);
  }
}

TEST(NyrMemory, MemLimitListenerFollowsTheSetting) {
  ScopedMemoryHost host;
  host.set("Memory/MemLimit", "1536.75");
  IPtr<MemLimitListener> listener(new MemLimitListener);
  EXPECT_GT(listener->limit(), 0) << "starts from the machine's figures";
  listener->attach();
  EXPECT_EQ(listener->limit(), 1536);
  host.set("Memory/MemLimit", "-20.9");
  listener->OnDataChanged("Memory/Other", 5);
  EXPECT_EQ(listener->limit(), -20);
}
