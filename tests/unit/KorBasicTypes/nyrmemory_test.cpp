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
  raw.totalVirtual = 1 << 20;
  raw.availVirtual = 1 << 19;
  NyrMemoryFigures figures = nyrFiguresFrom(raw, 1024);
  EXPECT_EQ(std::vector<uint64_t>({figures.systemFree, figures.systemTotal,
                                   figures.swapFree, figures.swapTotal}),
            std::vector<uint64_t>({8, 16, 3, 4}));
  raw.totalVirtual = 16384 + 2048; // little address space beyond RAM
  raw.availVirtual = 8192 + 1024;
  figures = nyrFiguresFrom(raw, 1);
  EXPECT_EQ(figures.swapTotal, 2048u);
  EXPECT_EQ(figures.swapFree, 1024u);
  raw.availVirtual = 100; // less than the free RAM
  EXPECT_EQ(nyrFiguresFrom(raw, 1).swapFree, 0u);
}

TEST(NyrMemory, PlatformFiguresAreSane) {
  uint64_t systemFree, systemTotal, swapFree, swapTotal;
  ASSERT_EQ(
      getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal, 1024),
      0u);
  EXPECT_GT(systemTotal, 0u);
  EXPECT_LE(systemFree, systemTotal);
  EXPECT_LE(swapFree, swapTotal);
  EXPECT_GE(nyrAvailableMemory(0.5, 1024), nyrFreeSystemMemory(1024) / 2);
  EXPECT_GT(nyrAvailableVirtualMemory(1024), 0u);
  EXPECT_GT(nyrAvailablePhysicalMemory(0.0, 1), 0u);
}

TEST(NyrMemory, OnlyAnActiveMemCheckerReplacesThePlatform) {
  for (bool active : {false, true}) {
    ScopedMemoryHost host;
    host.offer("IMemChecker", new FakeMemChecker(active));
    uint64_t systemFree, systemTotal, swapFree, swapTotal;
    getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal, 1000);
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
  EXPECT_EQ(listener->limit(), -20);
  listener->OnDataChanged("Memory/Other", 5);
  EXPECT_EQ(listener->limit(), -20);
  EXPECT_STREQ(listener->ClassName(), "NyrDataReceiver");
  void *receiver = nullptr;
  listener->QueryInterface("IKorDataReceiver", &receiver);
  EXPECT_NE(receiver, nullptr);
}

TEST(NyrMemory, KeptServicesAreFetchedOnce) {
  ScopedMemoryHost host;
  EXPECT_EQ(nyrMemoryManager(), nullptr) << "looked for again while missing";
  auto *manager = host.offer("KorMM::IKorMManager", new FakeMemoryManager(0));
  EXPECT_EQ(nyrMemoryManager(), manager);
  uint32_t references = manager->RefCount();
  EXPECT_EQ(nyrMemoryManager(), manager);
  EXPECT_EQ(manager->RefCount(), references);
}
