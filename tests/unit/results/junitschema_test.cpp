// Formats and routes a run with every outcome the way a run does, then
// checks the JUnit file against the JUnit schema with xmllint.
#include "host/services/domxml.h"
#include "tests/unit/support/hostfixture.h"
#include "results/genfileresultsrouter.h"
#include "results/genjunitresultsformatter.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/resultsfakes.h"
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
class JUnitSchemaTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "xmllint is not installed";
    manager_->RegisterService("IKorDOMXmlV2", new HostXmlDocument);
    file_ = fs::temp_directory_path() /
            ("kortest_junit_" + std::to_string(::getpid()) + ".xml");
  }
  void TearDown() override {
    fs::remove(file_);
    HostManagerTest::TearDown();
  }
  /// Formats `run` into the report file and returns xmllint's exit code.
  int formatAndValidate(FakeRun &run) {
    GenJUnitResultsFormatter formatter;
    formatter.Format(&run.results);
    GenFileResultsRouter router;
    router.SetFileName(KorString(file_.u16string().c_str()));
    router.Route(&formatter);
    std::string command = "xmllint --noout --schema '" +
                          std::string(KORTEST_SOURCE_DIR) +
                          "/tests/schemas/junit-10.xsd' '" + file_.string() +
                          "' 2>/dev/null";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path file_;
};
} // namespace

TEST_F(JUnitSchemaTest, EveryOutcomeWithMarkupAndNonAsciiMessagesIsValid) {
  FakeRun run;
  IKorTestSuite *io = run.suite("IO Suite");
  IKorTestSuite *box = run.suite("Box \xc3\x9c Suite");
  run.add(io, "Passes", kTestPassed, 0.25, "c:/src/tests/io_test.src");
  run.add(io, "Fails", kTestFailed, 1.5)
      .AddMessage("expected a < b & c > d, \"quoted\"", "io_test", 12);
  run.add(io, "Throws", kTestFailed)
      .OnException("Unexpected exception: \xe5\xa4\xb1\xe6\x95\x97", "", 0);
  run.add(box, "Skips <later>", kTestSkipped);
  run.add(box, "Aborts", kTestAborted).AddMessage("Explicit Abort", "b", 3);
  run.add(box, "Never runs", kTestNotRun);
  EXPECT_EQ(formatAndValidate(run), 0) << readFileBytes(file_.string());
}

// The schema types a suite's total "time" as digits with an optional
// fraction, while every duration of these reports above 1e10 seconds is
// written in exponent form; the report keeps the exponent form, so such a
// file does not validate.
TEST_F(JUnitSchemaTest, ExponentDurationsAreKeptThoughTheSchemaRejectsThem) {
  FakeRun run;
  run.add(run.suite("Slow"), "Forever", kTestPassed, 2e10);
  EXPECT_NE(formatAndValidate(run), 0);
  EXPECT_NE(readFileBytes(file_.string()).find("time=\"2.000000e+10\""),
            std::string::npos);
}
