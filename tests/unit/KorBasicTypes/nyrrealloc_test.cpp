// Unit tests of nyrMalloc / nyrRealloc: sizes, zero fill, the bisection and
// manager order, the swap file, the precondition reports and the fatal end.
#include "component/ikordirservice.h"
#include "component/korassert.h"
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrfaultinjection.h"
#include "KorBasicTypes/nyrrealloc.h"
#include "KorBasicTypes/nyrfaultinjection.h"
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {
/// Which heap and file steps fail; every heap step is logged in hostCalls.
struct FaultPlan {
  size_t reallocAbove = SIZE_MAX;
  size_t mallocAbove = SIZE_MAX;
  int mallocFailures = 0;
  bool failSwapWrite = false;
  bool failSwapRead = false;
  std::function<void()> onSwapWrite;
};

bool planHook(void *context, NyrStep step, size_t bytes) {
  auto &plan = *static_cast<FaultPlan *>(context);
  switch (step) {
  case NyrStep::Realloc:
    hostCalls().push_back("realloc:" + std::to_string(bytes));
    return bytes > plan.reallocAbove;
  case NyrStep::Malloc:
    hostCalls().push_back("malloc:" + std::to_string(bytes));
    if (plan.mallocFailures > 0) {
      --plan.mallocFailures;
      return true;
    }
    return bytes > plan.mallocAbove;
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

struct AssertRecord {
  std::vector<std::string> reports;
};
void recordAssert(void *context, const char *text, const char *file, int line) {
  static_cast<AssertRecord *>(context)->reports.push_back(
      std::string(text) + "|" + file + "|" + std::to_string(line));
}

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

std::string fileText(const std::string &path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
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

class DirService : public IKorDirService {
public:
  KOR_CLASS(DirService, IKorDirService)
  explicit DirService(std::u16string temp) : temp_(std::move(temp)) {}
  const KorWChar *GetDirectory(const char *name) override {
    return std::string(name) == "temp" ? temp_.c_str() : u"";
  }

private:
  std::u16string temp_;
};
} // namespace

TEST(NyrRealloc, GrowCapacityDoublesFromCurrent) {
  EXPECT_EQ(growCapacity(0, 1), 1u);
  EXPECT_EQ(growCapacity(0, 5), 8u);
  EXPECT_EQ(growCapacity(3, 4), 6u);
  EXPECT_EQ(growCapacity(8, 8), 8u);
  EXPECT_EQ(growCapacity(3, 100), 192u);
  EXPECT_EQ(growCapacity(21, 22), 42u);
  EXPECT_EQ(growCapacity(0x80000000u, 0x80000001u), 0x80000001u);
  EXPECT_EQ(growCapacity(0x60000000u, 0xF0000000u), 0xF0000000u);
}

TEST(NyrRealloc, SizesZeroFillAndFree) {
  void *block = patternBlock(3);
  void *before = block;
  EXPECT_EQ(nyrRealloc(&block, 1, 3, 3, 10), 3u) << "equal sizes: untouched";
  EXPECT_EQ(block, before);

  EXPECT_EQ(nyrRealloc(&block, 1, 3, 4, 8), 8u) << "the preferred size wins";
  EXPECT_TRUE(patternThenZeros(block, 3, 8));
  EXPECT_EQ(nyrRealloc(&block, 1, 8, 9, SIZE_MAX), 9u) << "SIZE_MAX is min";
  EXPECT_EQ(nyrRealloc(&block, 1, 9, 5, 12), 9u)
      << "no shrink unless max < cur";
  EXPECT_EQ(nyrRealloc(&block, 1, 9, 2, 2), 2u);
  EXPECT_TRUE(patternThenZeros(block, 2, 2));
  EXPECT_EQ(nyrRealloc(&block, 1, 2, 0, 0), 0u);
  EXPECT_EQ(block, nullptr);

  EXPECT_EQ(nyrRealloc(&block, 4, 0, 5, 50), 5u) << "from nothing: min only";
  EXPECT_TRUE(patternThenZeros(block, 0, 20));
  nyrFree(block);

  const char *borrowed = "literal";
  void *slot = const_cast<char *>(borrowed);
  EXPECT_EQ(nyrRealloc(&slot, 1, 0, 4, 4), 4u) << "a borrowed slot is replaced";
  EXPECT_NE(slot, static_cast<const void *>(borrowed));
  EXPECT_TRUE(nyrFree(slot));
  EXPECT_EQ(nyrMalloc(&slot, 8, 0), 0u) << "zero bytes count as success";
  nyrFree(slot);
}

TEST(NyrRealloc, PreconditionReportsNameUnitAndLine) {
  AssertRecord record;
  korSetAssertHook(recordAssert, &record);
  void *block = patternBlock(10);
  EXPECT_EQ(nyrRealloc(&block, 1, 10, 8, 4), 4u) << "shrinks to max anyway";
  EXPECT_EQ(nyrRealloc(&block, 1, 4, 10, 6), 6u) << "grows to max anyway";
  korSetAssertHook(nullptr, nullptr);
  nyrFree(block);
  std::vector<std::string> expected = {
      "maxNewSize >= minNewSize|KorBasicTypes/nyrrealloc|422",
      "maxNewSize >= minNewSize|KorBasicTypes/nyrrealloc|422",
      "minNewSize > curSize && maxNewSize >= minNewSize|"
      "KorBasicTypes/nyrrealloc|455"};
  EXPECT_EQ(record.reports, expected);
}

TEST(NyrRealloc, BisectsSevenTimesThenTriesTheMinimum) {
  FaultPlan plan;
  plan.reallocAbove = 210;
  void *block = patternBlock(100);
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrRealloc(&block, 1, 100, 200, 1000), 206u);
  }
  std::vector<std::string> expected = {
      "realloc:1000", "realloc:600", "realloc:400", "realloc:300",
      "realloc:250",  "realloc:225", "realloc:212", "realloc:206"};
  EXPECT_EQ(hostCalls(), expected);
  EXPECT_TRUE(patternThenZeros(block, 100, 206));
  nyrFree(block);

  plan.reallocAbove = 200;
  block = patternBlock(100);
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrRealloc(&block, 1, 100, 200, 1000), 200u);
  }
  EXPECT_EQ(hostCalls().size(), 9u);
  EXPECT_EQ(hostCalls().back(), "realloc:200") << "the minimum comes last";
  nyrFree(block);
}

TEST(NyrRealloc, AsksTheManagerFromTheThirdBisectionUntilItRefuses) {
  ScopedMemoryHost host;
  host.offer("KorMM::IKorMManager", new FakeMemoryManager(2));
  FaultPlan plan;
  plan.reallocAbove = 205;
  void *block = patternBlock(100);
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrRealloc(&block, 1, 100, 200, 1000), 200u);
  }
  // (300 - 100) / 24576 + 2 = 2 requests at counter 5; a refusal at
  // counter 4 ends the asking for the rest of the call.
  std::vector<std::string> expected = {
      "realloc:1000", "realloc:600", "realloc:400", "realloc:300",
      "release:yes",  "realloc:300", "release:yes", "realloc:300",
      "realloc:250",  "release:no",  "realloc:225", "realloc:212",
      "realloc:206",  "realloc:200"};
  EXPECT_EQ(hostCalls(), expected);
  EXPECT_TRUE(patternThenZeros(block, 100, 200));
  nyrFree(block);
}

TEST(NyrRealloc, MallocRetriesWhileTheManagerReleases) {
  ScopedMemoryHost host;
  host.offer("KorMM::IKorMManager", new FakeMemoryManager(5));
  FaultPlan plan;
  plan.mallocFailures = 2;
  void *block = nullptr;
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrMalloc(&block, 4, 16), 16u);
  }
  std::vector<std::string> expected = {"malloc:64", "release:yes", "malloc:64",
                                       "release:yes", "malloc:64"};
  EXPECT_EQ(hostCalls(), expected);
  EXPECT_NE(block, nullptr);
  nyrFree(block);
}

TEST(NyrRealloc, SwapsThroughATemporaryFileThatVanishes) {
  ScopedMemoryHost host;
  ScratchFolder temp;
  host.set("Directories/Temp Directory", temp.path() + "/");
  std::vector<std::string> openDuringWrite;
  FaultPlan plan;
  plan.reallocAbove = 0;
  plan.onSwapWrite = [&] { openDuringWrite = openFilesUnder(temp.path()); };
  void *block = patternBlock(5000);
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrRealloc(&block, 2, 2500, 3000, 4000), 3000u);
  }
  EXPECT_TRUE(patternThenZeros(block, 5000, 6000));
  nyrFree(block);
  ASSERT_EQ(openDuringWrite.size(), 1u);
  char pid[9];
  std::snprintf(pid, sizeof pid, "%08x", unsigned(getpid()));
  EXPECT_TRUE(std::regex_match(openDuringWrite[0],
                               std::regex(std::string("kor-") + pid +
                                          "-[0-9a-f]{8}-temp \\(deleted\\)")))
      << openDuringWrite[0];
  EXPECT_TRUE(temp.entries().empty());
  EXPECT_TRUE(openFilesUnder(temp.path()).empty());
  EXPECT_EQ(hostCalls().back(), "malloc:6000") << "old block freed first";
}

TEST(NyrRealloc, SwapFolderFallsBackToTheDirectoryService) {
  ScopedMemoryHost host;
  ScratchFolder temp;
  std::u16string wide(temp.path().begin(), temp.path().end());
  host.offer("IKorDirService", new DirService(wide));
  std::vector<std::string> openDuringWrite;
  FaultPlan plan;
  plan.reallocAbove = 0;
  plan.onSwapWrite = [&] { openDuringWrite = openFilesUnder(temp.path()); };
  void *block = patternBlock(10);
  {
    ScopedFaults faults(plan);
    EXPECT_EQ(nyrRealloc(&block, 1, 10, 20, 20), 20u);
  }
  EXPECT_EQ(openDuringWrite.size(), 1u);
  EXPECT_TRUE(patternThenZeros(block, 10, 20));
  nyrFree(block);
}

//===- Out of memory: the process ends with -1 (255) after memory.log -----===//

class NyrReallocDeathTest : public testing::Test {
protected:
  void SetUp() override {
    host_.set("Directories/Logs Directory", logs_.path());
    host_.set("Directories/Temp Directory", temp_.path());
  }
  std::string log() const { return fileText(logs_.path() + "/memory.log"); }

  ScopedMemoryHost host_;
  ScratchFolder logs_;
  ScratchFolder temp_;
  FaultPlan plan_;
};

TEST_F(NyrReallocDeathTest, MallocFailureEndsTheProcess) {
  plan_.mallocAbove = 1000;
  void *block = nullptr;
  {
    ScopedFaults faults(plan_);
    EXPECT_EXIT(nyrMalloc(&block, 3, 1000), testing::ExitedWithCode(255),
                "Out of Memory\nWhile running this function");
  }
  EXPECT_TRUE(log().starts_with("attempted:           3000b\n\n")) << log();
}

TEST_F(NyrReallocDeathTest, SwapWriteFailureEndsTheProcess) {
  plan_.reallocAbove = 0;
  plan_.failSwapWrite = true;
  void *block = patternBlock(100);
  {
    ScopedFaults faults(plan_);
    EXPECT_EXIT(nyrRealloc(&block, 1, 100, 150, 150),
                testing::ExitedWithCode(255), "Out of Memory");
  }
  nyrFree(block);
  EXPECT_TRUE(log().starts_with("attempted:            150b\n")) << log();
  EXPECT_TRUE(temp_.entries().empty());
}

TEST_F(NyrReallocDeathTest, SwapReadFailureEndsTheProcess) {
  plan_.reallocAbove = 0;
  plan_.failSwapRead = true;
  void *block = patternBlock(100);
  {
    ScopedFaults faults(plan_);
    EXPECT_EXIT(nyrRealloc(&block, 1, 100, 150, 150),
                testing::ExitedWithCode(255), "Out of Memory");
  }
  nyrFree(block);
  EXPECT_NE(log().find("kormm not available\n"), std::string::npos);
  EXPECT_TRUE(temp_.entries().empty());
}

TEST_F(NyrReallocDeathTest, NoTemporaryFolderEndsTheProcess) {
  host_.set("Directories/Temp Directory", "");
  plan_.reallocAbove = 0;
  void *block = patternBlock(100);
  {
    ScopedFaults faults(plan_);
    EXPECT_EXIT(nyrRealloc(&block, 1, 100, 150, 150),
                testing::ExitedWithCode(255), "Out of Memory");
  }
  nyrFree(block);
  EXPECT_TRUE(log().starts_with("attempted:            150b\n")) << log();
}

TEST_F(NyrReallocDeathTest, ErrorServiceWantedButMissingShowsNothing) {
  host_.set("Memory/UseErrorService", "true");
  plan_.mallocAbove = 0;
  void *block = nullptr;
  {
    ScopedFaults faults(plan_);
    EXPECT_EXIT(nyrMalloc(&block, 1, 64), testing::ExitedWithCode(255), "^$");
  }
  EXPECT_TRUE(log().starts_with("attempted:             64b\n")) << log();
}
