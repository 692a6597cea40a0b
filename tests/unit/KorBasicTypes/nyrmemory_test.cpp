// Unit tests of the memory figures, their Linux sources and the
// MemLimitListener.
#include "component/iptr.h"
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrmemory.h"
#include <gtest/gtest.h>

TEST(NyrMemory, ParsesMeminfoAndBoundsSwapByVirtualMemory) {
  NyrPlatformMemory raw;
  EXPECT_FALSE(nyrParseMeminfo("MemTotal: 16000 kB\n", raw));
  ASSERT_TRUE(nyrParseMeminfo("MemTotal:       16 kB\nMemFree:   1 kB\n"
                              "MemAvailable:    8 kB\nSwapTotal:  4 kB\n"
                              "SwapFree:        3 kB\n",
                              raw));
  auto figures = [&](uint64_t totalVirtual, uint64_t availVirtual, int unit) {
    raw.totalVirtual = totalVirtual;
    raw.availVirtual = availVirtual;
    NyrMemoryFigures f = nyrFiguresFrom(raw, unit);
    return std::vector<uint64_t>{f.systemFree, f.systemTotal, f.swapFree, f.swapTotal};
  };
  EXPECT_EQ(figures(1 << 20, 1 << 19, 1024), (std::vector<uint64_t>{8, 16, 3, 4}));
  // Little address space beyond RAM bounds the swap; less than the free RAM
  // leaves none.
  EXPECT_EQ(figures(16384 + 2048, 8192 + 1024, 1),
            (std::vector<uint64_t>{8192, 16384, 1024, 2048}));
  EXPECT_EQ(figures(16384 + 2048, 100, 1)[2], 0u);
}

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
