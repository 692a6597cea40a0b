// Unit tests of nyrMalloc / nyrRealloc: sizes, zero fill, the bisection and
// manager order, the swap file, the precondition reports and the fatal end.
#include "tests/unit/support/binio_testutil.h"
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrfaultinjection.h"
#include "KorBasicTypes/nyrrealloc.h"
#include <functional>
#include <gtest/gtest.h>
#include <regex>

namespace {
using Calls = std::vector<std::string>;

/// Which heap and file steps fail; every heap step is logged in hostCalls.
struct FaultPlan {
  size_t reallocAbove = SIZE_MAX, mallocAbove = SIZE_MAX;
  int mallocFailures = 0;
  bool failSwapWrite = false, failSwapRead = false;
  std::function<void()> onSwapWrite = nullptr;

  static bool hook(void *self, NyrStep step, size_t bytes) {
    auto &plan = *static_cast<FaultPlan *>(self);
    if (step == NyrStep::SwapWrite && plan.onSwapWrite)
      plan.onSwapWrite();
    if (step == NyrStep::Realloc || step == NyrStep::Malloc)
      hostCalls().push_back((step == NyrStep::Malloc ? "malloc:" : "realloc:") +
                            std::to_string(bytes));
    switch (step) {
    case NyrStep::Realloc:
      return bytes > plan.reallocAbove;
    case NyrStep::Malloc:
      return plan.mallocFailures-- > 0 || bytes > plan.mallocAbove;
    case NyrStep::SwapWrite:
      return plan.failSwapWrite;
    case NyrStep::SwapRead:
      return plan.failSwapRead;
    }
    return false;
  }
};

/// Applies a plan while alive, with an empty call log.
struct ScopedFaults {
  explicit ScopedFaults(FaultPlan &plan) {
    hostCalls().clear();
    nyrSetFaultHook(&FaultPlan::hook, &plan);
  }
  ~ScopedFaults() { nyrSetFaultHook(nullptr, nullptr); }
};

/// A block of `count` bytes holding 1, 2, 3, ...
void *patternBlock(size_t count) {
  void *block = nullptr;
  nyrMalloc(&block, 1, count);
  for (size_t i = 0; i < count; ++i)
    static_cast<uint8_t *>(block)[i] = uint8_t(i + 1);
  return block;
}

/// Whether bytes [0, kept) still hold the pattern and [kept, end) are zero.
bool patternThenZeros(void *block, size_t kept, size_t end) {
  for (size_t i = 0; i < end; ++i)
    if (static_cast<uint8_t *>(block)[i] != (i < kept ? uint8_t(i + 1) : 0))
      return false;
  return true;
}

/// The target of every open descriptor naming a file under `folder`.
Calls openFilesUnder(const std::string &folder) {
  Calls found;
  for (const auto &fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    std::string target = std::filesystem::read_symlink(fd.path(), ec).string();
    if (!ec && target.starts_with(folder + "/"))
      found.push_back(target.substr(folder.size() + 1));
  }
  return found;
}
} // namespace

TEST(NyrRealloc, SizesZeroFillFreeAndPreconditionReports) {
  AssertRecorder recorder;
  void *block = patternBlock(3);
  // {current, min, max, expected}: equal sizes leave the block alone, the
  // preferred size wins, SIZE_MAX asks for the minimum, no shrink unless
  // max < current; a max below the min is reported and taken anyway.
  const size_t steps[][4] = {{3, 3, 10, 3}, {3, 4, 8, 8}, {8, 9, SIZE_MAX, 9},
                             {9, 5, 12, 9}, {9, 2, 2, 2},  {2, 8, 1, 1},
                             {1, 10, 6, 6}};
  size_t kept = 3;
  for (auto [current, min, max, expected] : steps) {
    EXPECT_EQ(nyrRealloc(&block, 1, current, min, max), expected) << min;
    kept = std::min(kept, expected);
    EXPECT_TRUE(patternThenZeros(block, kept, expected)) << min;
  }
  const std::string unit = "KorBasicTypes/nyrrealloc:";
  EXPECT_EQ(recorder.reports,
            (std::vector<std::string>{
                unit + "422: maxNewSize >= minNewSize",
                unit + "422: maxNewSize >= minNewSize",
                unit + "455: minNewSize > curSize && maxNewSize >= minNewSize"}));
  EXPECT_EQ(nyrRealloc(&block, 1, 6, 0, 0), 0u);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(nyrRealloc(&block, 4, 0, 5, 50), 5u) << "from nothing: min only";
  EXPECT_TRUE(patternThenZeros(block, 0, 20));
  nyrFree(block);
  const char *borrowed = "literal";
  void *slot = const_cast<char *>(borrowed);
  EXPECT_EQ(nyrRealloc(&slot, 1, 0, 4, 4), 4u) << "a borrowed slot is replaced";
  EXPECT_TRUE(slot != borrowed && nyrFree(slot));
  EXPECT_EQ(nyrMalloc(&slot, 8, 0), 0u) << "zero bytes count as success";
  nyrFree(slot);
}

TEST(NyrRealloc, FailedStepsAreRetriedInOrder) {
  // Seven bisections, then the minimum; the host memory manager is asked
  // from the third bisection on, (300 - 100) / 24576 + 2 times per size,
  // until it refuses; a failed malloc is retried while it releases.
  struct Case {
    int releases; ///< -1: no memory manager
    FaultPlan plan;
    size_t result; ///< Of growing 100 bytes to 200 (up to 1000), or of malloc(4 x 16)
    Calls calls;
  } cases[] = {
      {-1, {.reallocAbove = 210}, 206,
       {"realloc:1000", "realloc:600", "realloc:400", "realloc:300",
        "realloc:250", "realloc:225", "realloc:212", "realloc:206"}},
      {2, {.reallocAbove = 205}, 200,
       {"realloc:1000", "realloc:600", "realloc:400", "realloc:300",
        "release:yes", "realloc:300", "release:yes", "realloc:300",
        "realloc:250", "release:no", "realloc:225", "realloc:212",
        "realloc:206", "realloc:200"}},
      {5, {.mallocFailures = 2}, 16,
       {"malloc:64", "release:yes", "malloc:64", "release:yes", "malloc:64"}},
  };
  for (Case &c : cases) {
    ScopedMemoryHost host;
    if (c.releases >= 0)
      host.offer("KorMM::IKorMManager", new FakeMemoryManager(c.releases));
    bool grow = c.plan.reallocAbove != SIZE_MAX;
    void *block = grow ? patternBlock(100) : nullptr;
    ScopedFaults faults(c.plan);
    EXPECT_EQ(grow ? nyrRealloc(&block, 1, 100, 200, 1000) : nyrMalloc(&block, 4, 16),
              c.result);
    EXPECT_TRUE(!grow || patternThenZeros(block, 100, c.result));
    nyrFree(block);
    EXPECT_EQ(hostCalls(), c.calls);
  }
}

TEST(NyrRealloc, SwapsThroughATemporaryFileThatVanishes) {
  ScopedMemoryHost host;
  ScratchFolder temp;
  host.set("Directories/Temp Directory", temp.path() + "/");
  Calls openDuringWrite;
  FaultPlan plan{.reallocAbove = 0};
  plan.onSwapWrite = [&] { openDuringWrite = openFilesUnder(temp.path()); };
  void *block = patternBlock(5000);
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrRealloc(&block, 2, 2500, 3000, 4000), 3000u);
  }
  EXPECT_TRUE(patternThenZeros(block, 5000, 6000));
  nyrFree(block);
  EXPECT_EQ(hostCalls().back(), "malloc:6000") << "old block freed first";
  ASSERT_EQ(openDuringWrite.size(), 1u);
  char pid[9];
  std::snprintf(pid, sizeof pid, "%08x", unsigned(getpid()));
  EXPECT_TRUE(std::regex_match(openDuringWrite[0],
                               std::regex(std::string("kor-") + pid +
                                          "-[0-9a-f]{8}-temp \\(deleted\\)")))
      << openDuringWrite[0];
  EXPECT_TRUE(temp.entries().empty());
  EXPECT_TRUE(openFilesUnder(temp.path()).empty());
}

TEST(NyrReallocDeathTest, UnobtainableMemoryEndsTheProcessAfterMemoryLog) {
  struct Case {
    FaultPlan plan;
    bool withTemp;
    const char *logStart;
  } cases[] = {
      {{.mallocAbove = 1000}, true, "attempted:           3000b\n\n"},
      {{.reallocAbove = 0, .failSwapWrite = true}, true,
       "attempted:            150b\n"},
      {{.reallocAbove = 0, .failSwapRead = true}, true,
       "attempted:            150b\n"},
      {{.reallocAbove = 0}, false, "attempted:            150b\n"},
  };
  for (Case &c : cases) {
    ScopedMemoryHost host;
    ScratchFolder logs, temp;
    host.set("Directories/Logs Directory", logs.path());
    host.set("Directories/Temp Directory", c.withTemp ? temp.path() : "");
    bool grows = c.plan.mallocAbove == SIZE_MAX;
    void *block = grows ? patternBlock(100) : nullptr;
    {
      ScopedFaults faults(c.plan);
      EXPECT_EXIT(grows ? nyrRealloc(&block, 1, 100, 150, 150)
                        : nyrMalloc(&block, 3, 1000),
                  testing::ExitedWithCode(255),
                  "Out of Memory\nWhile running this function");
    }
    nyrFree(block);
    EXPECT_TRUE(logs.text("memory.log").starts_with(c.logStart))
        << logs.text("memory.log");
    EXPECT_TRUE(temp.entries().empty());
  }
}
