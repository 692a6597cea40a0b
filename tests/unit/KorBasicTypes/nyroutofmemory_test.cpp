// Unit tests of the out-of-memory report: who is told, in what order, and
// the exact layout of memory.log.
#include "tests/unit/support/memoryhost.h"
#include "KorBasicTypes/nyrhostdirs.h"
#include "KorBasicTypes/nyroutofmemory.h"
#include "host/services/translatorservice.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {
std::string fileText(const std::string &path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

const char *const kMessageUtf8 =
    "While running this function, you have run out of memory.\n"
    "The application will close. After restarting, please read\n"
    "the online help about \"Memory Optimization\".";

/// Drops the process-wide translator when the test starts and ends.
struct FreshTranslator {
  FreshTranslator() { korResetTranslator(); }
  ~FreshTranslator() { korResetTranslator(); }
};
} // namespace

TEST(NyrOutOfMemory, ErrorServiceGetsTheMessageBetweenRendererCalls) {
  ScopedMemoryHost host;
  host.set("Memory/UseErrorService", "true");
  auto *errors = host.offer("IKorErrorService", new FakeErrorService);
  host.offer("IGfxRenderer", new FakeRenderer);
  hostCalls().clear();
  EXPECT_FALSE(handleOutOfMemory(kNyrAllocFailed));
  EXPECT_EQ(hostCalls(),
            (std::vector<std::string>{"render:8", "report", "render:9"}));
  EXPECT_EQ(nyrUtf8(errors->message_.c_str()), kMessageUtf8);
  EXPECT_EQ(errors->severity_, 1);
  EXPECT_EQ(errors->source_, "realloc");

  hostCalls().clear();
  EXPECT_FALSE(handleOutOfMemory(-6)) << "codes beyond -5 to -1 show nothing";
  EXPECT_FALSE(handleOutOfMemory(0));
  EXPECT_TRUE(hostCalls().empty());
}

TEST(NyrOutOfMemory, WithoutErrorServiceSettingAMessageGoesToStderr) {
  ScopedMemoryHost host;
  host.offer("IKorErrorService", new FakeErrorService);
  host.offer("IGfxRenderer", new FakeRenderer);
  hostCalls().clear();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(handleOutOfMemory(kNyrTempFileCreate));
  std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_EQ(shown, std::string("Out of Memory\n") + kMessageUtf8 + "\n");
  EXPECT_EQ(hostCalls(), (std::vector<std::string>{"render:8", "render:9"}));
}

TEST(NyrOutOfMemory, MessageAndTitlePassThroughTheTranslator) {
  ScopedMemoryHost host;
  FreshTranslator fresh;
  auto *catalogue = new HostCatalogueTranslator;
  ASSERT_EQ(catalogue->loadText(
                "While running this function, you have run out of memory.\\n"
                "The application will close. After restarting, please read\\n"
                "the online help about \"Memory Optimization\". = Kein "
                "Speicher mehr.\\nNeu starten.\n"
                "Out of Memory = Speicher voll\n"),
            0);
  host.offer("IKorTranslatorService", new HostTranslatorService(catalogue));
  testing::internal::CaptureStderr();
  handleOutOfMemory(kNyrAllocFailed);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Speicher voll\nKein Speicher mehr.\nNeu starten.\n");
  host.set("Memory/UseErrorService", "true");
  auto *errors = host.offer("IKorErrorService", new FakeErrorService);
  handleOutOfMemory(kNyrAllocFailed);
  EXPECT_EQ(errors->message_, u"Kein Speicher mehr.\nNeu starten.");
}

TEST(NyrOutOfMemory, ErrorServiceWantedButMissingShowsNothing) {
  ScopedMemoryHost host;
  host.set("Memory/UseErrorService", "1");
  host.offer("IGfxRenderer", new FakeRenderer);
  hostCalls().clear();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(handleOutOfMemory(kNyrTempFileRead));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(hostCalls().empty());
}

TEST(NyrOutOfMemory, MemoryLogLayout) {
  ScopedMemoryHost host;
  ScratchFolder logs;
  host.set("Directories/Logs Directory", logs.path());
  host.offer("IMemChecker", new FakeMemChecker(true));
  host.offer("KorMM::IKorMManager", new FakeMemoryManager(0));
  writeMemoryLog(12345);
  EXPECT_EQ(fileText(logs.path() + "/memory.log"),
            "attempted:          12345b\n"
            "\n"
            "system free:         4000k\n"
            "system total:        8000k\n"
            "swap free:           1000k\n"
            "swap total:          2000k\n"
            "\n"
            "kormm core now:       960k\n"
            "kormm core limit:   24000k\n"
            "kormm swap now:       720k\n"
            "kormm swap limit:   48000k\n"
            "\n");
}

TEST(NyrOutOfMemory, MemoryLogWithoutAttemptOrManagerIsTruncated) {
  ScopedMemoryHost host;
  ScratchFolder logs;
  host.set("Directories/Logs Directory", logs.path() + "\\");
  host.offer("IMemChecker", new FakeMemChecker(true));
  std::ofstream(logs.path() + "/memory.log") << "an older, longer log\n\n\n\n";
  writeMemoryLog(0);
  EXPECT_EQ(fileText(logs.path() + "/memory.log"),
            "system free:         4000k\n"
            "system total:        8000k\n"
            "swap free:           1000k\n"
            "swap total:          2000k\n"
            "\n"
            "kormm not available\n"
            "\n");
}

TEST(NyrOutOfMemory, UnwritableLogIsIgnored) {
  ScopedMemoryHost host;
  host.set("Directories/Logs Directory", "/nonexistent/kortest/logs");
  EXPECT_EQ(nyrMemoryLogPath(), "/nonexistent/kortest/logs/memory.log");
  writeMemoryLog(1);
}

TEST(NyrOutOfMemoryDeathTest, FatalVariantEndsWithMinusOne) {
  ScopedMemoryHost host;
  host.set("Memory/UseErrorService", "true");
  EXPECT_EXIT(handleOutOfMemoryFatal(kNyrAllocFailed),
              testing::ExitedWithCode(255), "");
}
