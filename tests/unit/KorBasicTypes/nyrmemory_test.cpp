// Unit tests of the memory figures, their Linux sources and the
// MemLimitListener.
#include "component/iptr.h"
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrmemory.h"
#include <gtest/gtest.h>

TEST(NyrMemory, ParsesMeminfo) {
  NyrPlatformMemory raw;
  EXPECT_TRUE(nyrParseMeminfo("MemTotal:       16000 kB\n"
                              "MemFree:         1000 kB\n"
                              "MemAvailable:    6000 kB\n"
                              "SwapTotal:       2000 kB\n"
                              "SwapFree:        1500 kB\n",
                              raw));
  EXPECT_EQ(raw.totalPhys, 16000u * 1024);
  EXPECT_EQ(raw.availPhys, 6000u * 1024);
  EXPECT_EQ(raw.totalPageFile, 2000u * 1024);
  EXPECT_EQ(raw.availPageFile, 1500u * 1024);
  NyrPlatformMemory partial;
  EXPECT_FALSE(nyrParseMeminfo("MemTotal: 16000 kB\n", partial));
}

TEST(NyrMemory, SwapFiguresAreBoundedByVirtualMemory) {
  NyrPlatformMemory raw;
  raw.totalPhys = 16384;
  raw.availPhys = 8192;
  raw.totalPageFile = 4096;
  raw.availPageFile = 3072;
  raw.totalVirtual = 1 << 20;
  raw.availVirtual = 1 << 19;
  NyrMemoryFigures figures = nyrFiguresFrom(raw, 1024);
  EXPECT_EQ(figures.systemFree, 8u);
  EXPECT_EQ(figures.systemTotal, 16u);
  EXPECT_EQ(figures.swapTotal, 4u);
  EXPECT_EQ(figures.swapFree, 3u);

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

TEST(NyrMemory, ActiveMemCheckerReplacesThePlatform) {
  ScopedMemoryHost host;
  host.offer("IMemChecker", new FakeMemChecker(true));
  uint64_t systemFree, systemTotal, swapFree, swapTotal;
  ASSERT_EQ(
      getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal, 1000),
      0u);
  EXPECT_EQ(systemFree, 4096u);
  EXPECT_EQ(swapTotal, 2048u);
  EXPECT_EQ(nyrAvailableMemory(0.5, 1000), 4096u + 512u);
}

TEST(NyrMemory, InactiveMemCheckerIsIgnored) {
  ScopedMemoryHost host;
  host.offer("IMemChecker", new FakeMemChecker(false));
  uint64_t systemFree, systemTotal, swapFree, swapTotal;
  getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal, 1000);
  EXPECT_NE(systemTotal, 8192u);
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
  for (const char *name :
       {"NyrDataReceiver", "IKorDataReceiver", "IKorUnknown"}) {
    void *result = nullptr;
    listener->QueryInterface(name, &result);
    EXPECT_NE(result, nullptr) << name;
  }
  void *result = nullptr;
  listener->QueryInterface("MemLimitListener", &result);
  EXPECT_EQ(result, nullptr);
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
