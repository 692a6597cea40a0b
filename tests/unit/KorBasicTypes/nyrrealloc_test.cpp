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
  size_t reallocAbove = SIZE_MAX;
  size_t mallocAbove = SIZE_MAX;
  int mallocFailures = 0;
  bool failSwapWrite = false;
  bool failSwapRead = false;
  std::function<void()> onSwapWrite = nullptr;
};

bool planHook(void *context, NyrStep step, size_t bytes) {
  auto &plan = *static_cast<FaultPlan *>(context);
  switch (step) {
  case NyrStep::Realloc:
    hostCalls().push_back("realloc:" + std::to_string(bytes));
    return bytes > plan.reallocAbove;
  case NyrStep::Malloc:
    hostCalls().push_back("malloc:" + std::to_string(bytes));
    return plan.mallocFailures-- > 0 || bytes > plan.mallocAbove;
  case NyrStep::SwapWrite:
    if (plan.onSwapWrite)
      plan.onSwapWrite();
    return plan.failSwapWrite;
  case NyrStep::SwapRead:
    return plan.failSwapRead;
  }
  return false;
}

class ScopedFaults {
public:
  explicit ScopedFaults(FaultPlan &plan) {
    hostCalls().clear();
    nyrSetFaultHook(planHook, &plan);
  }
  ~ScopedFaults() { nyrSetFaultHook(nullptr, nullptr); }
};

/// A block of `count` bytes holding 1, 2, 3, ...
void *patternBlock(size_t count) {
  void *block = nullptr;
  nyrMalloc(&block, 1, count);
  for (size_t i = 0; i < count; ++i)
    static_cast<unsigned char *>(block)[i] = static_cast<unsigned char>(i + 1);
  return block;
}

/// Whether bytes [0, kept) still hold the pattern and [kept, end) are zero.
bool patternThenZeros(void *block, size_t kept, size_t end) {
  auto *bytes = static_cast<unsigned char *>(block);
  for (size_t i = 0; i < end; ++i)
    if (bytes[i] != (i < kept ? static_cast<unsigned char>(i + 1) : 0))
      return false;
  return true;
}

/// The target of every open descriptor naming a file under `folder`.
std::vector<std::string> openFilesUnder(const std::string &folder) {
  std::vector<std::string> found;
  for (const auto &fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    std::string target = std::filesystem::read_symlink(fd.path(), ec).string();
    if (!ec && target.starts_with(folder + "/"))
      found.push_back(target.substr(folder.size() + 1));
  }
  return found;
}

} // namespace

TEST(NyrRealloc, SizesZeroFillAndFree) {
  void *block = patternBlock(3);
  // {current, min, max, expected}: equal sizes leave the block alone, the
  // preferred size wins, SIZE_MAX asks for the minimum, no shrink unless
  // max < current.
  const size_t steps[][4] = {{3, 3, 10, 3}, {3, 4, 8, 8}, {8, 9, SIZE_MAX, 9},
                             {9, 5, 12, 9}, {9, 2, 2, 2}};
  for (auto [current, min, max, expected] : steps) {
    EXPECT_EQ(nyrRealloc(&block, 1, current, min, max), expected) << min;
    EXPECT_TRUE(patternThenZeros(block, std::min<size_t>(expected, 3), expected));
  }
  EXPECT_EQ(nyrRealloc(&block, 1, 2, 0, 0), 0u);
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

TEST(NyrRealloc, PreconditionReportsNameUnitAndLine) {
  AssertRecorder recorder;
  void *block = patternBlock(10);
  EXPECT_EQ(nyrRealloc(&block, 1, 10, 8, 4), 4u) << "shrinks to max anyway";
  EXPECT_EQ(nyrRealloc(&block, 1, 4, 10, 6), 6u) << "grows to max anyway";
  nyrFree(block);
  const std::string unit = "KorBasicTypes/nyrrealloc:";
  EXPECT_EQ(recorder.reports,
            (std::vector<std::string>{
                unit + "422: maxNewSize >= minNewSize",
                unit + "422: maxNewSize >= minNewSize",
                unit + "455: minNewSize > curSize && maxNewSize >= minNewSize"}));
}

TEST(NyrRealloc, FailedStepsAreRetriedInOrder) {
  // Seven bisections, then the minimum; the host memory manager is asked
  // from the third bisection on, (300 - 100) / 24576 + 2 times per size,
  // until it refuses; a failed malloc is retried while it releases.
  auto grow = [] {
    void *block = patternBlock(100);
    hostCalls().clear();
    size_t got = nyrRealloc(&block, 1, 100, 200, 1000);
    EXPECT_TRUE(patternThenZeros(block, 100, got));
    nyrFree(block);
    return got;
  };
  auto malloc16 = [] {
    void *block = nullptr;
    size_t got = nyrMalloc(&block, 4, 16);
    nyrFree(block);
    return got;
  };
  struct Case {
    int releases; ///< -1: no memory manager
    FaultPlan plan;
    std::function<size_t()> call;
    size_t result;
    Calls calls;
  } cases[] = {
      {-1, {.reallocAbove = 210}, grow, 206,
       {"realloc:1000", "realloc:600", "realloc:400", "realloc:300",
        "realloc:250", "realloc:225", "realloc:212", "realloc:206"}},
      {-1, {.reallocAbove = 200}, grow, 200,
       {"realloc:1000", "realloc:600", "realloc:400", "realloc:300",
        "realloc:250", "realloc:225", "realloc:212", "realloc:206",
        "realloc:200"}},
      {2, {.reallocAbove = 205}, grow, 200,
       {"realloc:1000", "realloc:600", "realloc:400", "realloc:300",
        "release:yes", "realloc:300", "release:yes", "realloc:300",
        "realloc:250", "release:no", "realloc:225", "realloc:212",
        "realloc:206", "realloc:200"}},
      {5, {.mallocFailures = 2}, malloc16, 16,
       {"malloc:64", "release:yes", "malloc:64", "release:yes", "malloc:64"}},
  };
  for (Case &c : cases) {
    ScopedMemoryHost host;
    if (c.releases >= 0)
      host.offer("KorMM::IKorMManager", new FakeMemoryManager(c.releases));
    ScopedFaults faults(c.plan);
    EXPECT_EQ(c.call(), c.result);
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
