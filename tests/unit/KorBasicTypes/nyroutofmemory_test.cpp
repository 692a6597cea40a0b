// Unit tests of the out-of-memory report: who is told, in what order, and
// the exact layout of memory.log.
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrhostdirs.h"
#include "KorBasicTypes/nyroutofmemory.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
using Calls = std::vector<std::string>;

const char *const kMessageUtf8 =
    "While running this function, you have run out of memory.\n"
    "The application will close. After restarting, please read\n"
    "the online help about \"Memory Optimization\".";
} // namespace

TEST(NyrOutOfMemory, TellsTheErrorServiceOrStderrBetweenRendererCalls) {
  struct {
    const char *useErrorService;
    bool withService;
    int code;
    std::string stderrText;
    Calls calls;
  } cases[] = {
      {"", true, kNyrTempFileCreate,
       std::string("Out of Memory\n") + kMessageUtf8 + "\n",
       {"render:8", "render:9"}},
      {"true", true, kNyrAllocFailed, "", {"render:8", "report", "render:9"}},
      {"1", false, kNyrTempFileRead, "", {}}, // wanted but missing: nothing
      {"", true, -6, "", {}}, // codes beyond -5 to -1 show nothing
      {"", true, 0, "", {}},
  };
  for (const auto &c : cases) {
    ScopedMemoryHost host;
    auto *errors = c.withService
                       ? host.offer("IKorErrorService", new FakeErrorService)
                       : nullptr;
    host.offer("IGfxRenderer", new FakeRenderer);
    host.set("Memory/UseErrorService", c.useErrorService);
    hostCalls().clear();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(handleOutOfMemory(c.code));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.stderrText) << c.code;
    EXPECT_EQ(hostCalls(), c.calls) << c.code;
    if (c.code == kNyrAllocFailed) {
      EXPECT_TRUE(nyrUtf8(errors->message_.c_str()) == kMessageUtf8 &&
                  errors->severity_ == 1 && errors->source_ == "realloc");
    }
  }
}

TEST(NyrOutOfMemory, MemoryLogLayout) {
  const std::string figures = "system free:         4000k\n"
                              "system total:        8000k\n"
                              "swap free:           1000k\n"
                              "swap total:          2000k\n"
                              "\n";
  struct Case {
    size_t attempted;
    bool manager;
    std::string expected;
  } cases[] = {
      {12345, true,
       "attempted:          12345b\n\n" + figures +
           "kormm core now:       960k\n"
           "kormm core limit:   24000k\n"
           "kormm swap now:       720k\n"
           "kormm swap limit:   48000k\n\n"},
      {0, false, figures + "kormm not available\n\n"},
  };
  for (const Case &c : cases) {
    ScopedMemoryHost host;
    ScratchFolder logs;
    host.set("Directories/Logs Directory", logs.path() + "\\");
    host.offer("IMemChecker", new FakeMemChecker(true));
    if (c.manager)
      host.offer("KorMM::IKorMManager", new FakeMemoryManager(0));
    std::ofstream(logs.path() + "/memory.log") << std::string(400, '-');
    writeMemoryLog(c.attempted);
    EXPECT_EQ(logs.text("memory.log"), c.expected);
  }
  ScopedMemoryHost host;
  host.set("Directories/Logs Directory", "/nonexistent/kortest/logs");
  EXPECT_EQ(nyrMemoryLogPath(), "/nonexistent/kortest/logs/memory.log");
  writeMemoryLog(1); // unwritable: ignored
}
