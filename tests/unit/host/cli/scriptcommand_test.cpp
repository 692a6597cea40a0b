// Unit tests of korhost's script subcommands: generated options, value
// checks, the closing line and the exit status.
#include "tests/unit/support/hostfixture.h"
#include "component/ikorscripthelp.h"
#include "host/services/hostutf.h"
#include "KorBasicTypes/korarray.h"
#include "host/services/queryserver.h"
#include "host/cli/int32text.h"
#include "host/cli/scriptcommand.h"
#include <cstdio>

namespace {
/// A scriptable command that declares three options, explains one of them
/// and publishes the counts it was told to.
class FakeScriptCmd : public IScriptable, public IKorScriptHelp {
public:
  KOR_CLASS(FakeScriptCmd, IScriptable, IKorScriptHelp)
  const char *OptionHelp(const char *script, const char *option) override {
    return std::string(script) == "run_fake" &&
                   std::string(option) == "suite_name"
               ? "the suite to run"
               : nullptr;
  }
  IScript *Describe() override {
    SPtr<IScriptFactory> factory;
    IScript *script = factory->CreateScript("run_fake", 1);
    IScriptOptions *options = script->Options();
    options->DeclareString("suite_name", 1, u"");
    options->DeclareBool("break_on_fail", 1, false);
    options->DeclareInteger("random_seed", 1, -1);
    return script;
  }
  bool Execute(IScriptOptions *values) override {
    const KorWChar *suite = nullptr;
    values->GetString(&suite, "suite_name");
    seenSuite = suite;
    seenBreak = values->GetBool("break_on_fail");
    seenSeed = values->GetInteger("random_seed");
    SPtr<IKorQueryServer> server;
    KorArray<int32_t> record;
    for (int32_t value : counts)
      record.append(value);
    server->Publish(kTestResultsRecord, record);
    publish(kAbortedTestsRecord, aborted);
    publish(kRunStatusRecord, runStatus);
    return true;
  }
  static void publish(const char *name, const std::vector<int32_t> &values) {
    if (values.empty())
      return;
    SPtr<IKorQueryServer> server;
    KorArray<int32_t> record;
    for (int32_t value : values)
      record.append(value);
    server->Publish(name, record);
  }
  bool Store(IScriptOptions *) override { return true; }

  std::vector<int32_t> counts{2, 0, 1};
  std::vector<int32_t> aborted;   ///< Not published when empty.
  std::vector<int32_t> runStatus; ///< Not published when empty.
  std::u16string seenSuite;
  bool seenBreak = false;
  int32_t seenSeed = 0;
};

class ScriptCommandTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IScriptFactory", new HostScriptFactory);
    manager_->RegisterService("IKorQueryServer", new HostQueryServer);
    command_ = new FakeScriptCmd;
    IPtr<IScriptable> command(static_cast<IScriptable *>(command_));
    IScript *script = command_->Describe();
    offered_.push_back(
        {"fake", "FakeScriptCmd", command, IPtr<HostScript>(script)});
  }
  void TearDown() override {
    offered_.clear();
    HostManagerTest::TearDown();
  }
  /// Parses `args` after the program name; returns the parse's exit status
  /// (-1 when parsing succeeded) and leaves the run's output in output_.
  int parseAndRun(std::vector<std::string> args, int *runStatus) {
    CLI::App cli;
    ScriptSubcommands subcommands(cli, offered_);
    std::vector<char *> argv{const_cast<char *>("korhost")};
    for (std::string &arg : args)
      argv.push_back(arg.data());
    try {
      cli.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError &e) {
      return e.get_exit_code();
    }
    FILE *out = std::tmpfile();
    *runStatus = subcommands.run(out, out);
    std::rewind(out);
    char buffer[256] = {};
    size_t read = std::fread(buffer, 1, sizeof buffer - 1, out);
    std::fclose(out);
    output_.assign(buffer, read);
    return -1;
  }

  FakeScriptCmd *command_ = nullptr;
  std::vector<OfferedScript> offered_;
  std::string output_;
};
} // namespace

TEST_F(ScriptCommandTest, OptionsLeftOutKeepTheirDeclaredDefaults) {
  int status = -1;
  ASSERT_EQ(parseAndRun({"run_fake"}, &status), -1);
  EXPECT_EQ(command_->seenSuite, u"");
  EXPECT_FALSE(command_->seenBreak);
  EXPECT_EQ(command_->seenSeed, -1);
  EXPECT_EQ(output_, "2 passed, 0 failed, 1 skipped\n");
  EXPECT_EQ(status, 0);
}

TEST_F(ScriptCommandTest, GivenOptionsReachTheCommandWithTheirTypes) {
  int status = -1;
  ASSERT_EQ(parseAndRun({"run_fake", "--suite_name", "Spec Suite",
                         "--break_on_fail", "--random_seed", "-7"},
                        &status),
            -1);
  EXPECT_EQ(command_->seenSuite, u"Spec Suite");
  EXPECT_TRUE(command_->seenBreak);
  EXPECT_EQ(command_->seenSeed, -7);
}

TEST_F(ScriptCommandTest, OptionHelpIsTheCommandsTextWithTypeAndDefault) {
  CLI::App cli;
  ScriptSubcommands subcommands(cli, offered_);
  const std::pair<const char *, const char *> rows[] = {
      {"--suite_name", "the suite to run (string, default empty)"},
      {"--break_on_fail", "bool option, default false"},
      {"--random_seed", "integer option, default -1"}};
  for (const auto &[option, help] : rows)
    EXPECT_EQ(cli.get_subcommand("run_fake")->get_option(option)->get_description(),
              help);
}

TEST_F(ScriptCommandTest, AnIntegerOptionRefusesOtherText) {
  int status = -1;
  for (const char *bad : {"seven", "7.5", "0x10", "4294967296", ""})
    EXPECT_NE(parseAndRun({"run_fake", "--random_seed", bad}, &status), -1)
        << bad;
  EXPECT_NE(parseAndRun({"run_fake", "--no_such_option"}, &status), -1);
}

TEST_F(ScriptCommandTest, TheRunsRecordsGiveTheClosingLineAndExitStatus) {
  struct Case {
    std::vector<int32_t> counts, aborted, runStatus;
    const char *closing;
    int status;
  };
  // Run status: not run, stop, report undelivered, load failures, matched.
  const Case cases[] = {
      {{5, 2, 0}, {}, {}, "5 passed, 2 failed, 0 skipped", 1},
      {{1, 0, 3}, {1}, {}, "1 passed, 0 failed, 3 skipped, 1 aborted", 1},
      {{3, 0, 0}, {0}, {0, 0, 0, 0, 3}, "3 passed, 0 failed, 0 skipped", 0},
      {{1, 2, 0},
       {1},
       {1, 0, 0, 0, 5},
       "1 passed, 2 failed, 0 skipped, 1 not run, 1 aborted",
       1},
      {{0, 0, 0}, {0}, {0, 0, 0, 0, 0}, "0 passed, 0 failed, 0 skipped", 4},
      {{0, 0, 0}, {0}, {0, 0, 0, 0, 4}, "0 passed, 0 failed, 0 skipped", 0},
      {{2, 1, 0}, {0}, {0, 0, 1, 0, 3}, "2 passed, 1 failed, 0 skipped", 3},
      {{0, 0, 0}, {0}, {0, 0, 0, 1, 0}, "0 passed, 0 failed, 0 skipped", 3},
      {{1, 1, 0}, {0}, {0, -1, 0, 0, 5}, "1 passed, 1 failed, 0 skipped", 3},
      {{1, 1, 0},
       {0},
       {2, 15, 1, 1, 9},
       "1 passed, 1 failed, 0 skipped, 2 not run",
       143},
  };
  for (const Case &c : cases) {
    command_->counts = c.counts;
    command_->aborted = c.aborted;
    command_->runStatus = c.runStatus;
    int status = -1;
    ASSERT_EQ(parseAndRun({"run_fake"}, &status), -1);
    EXPECT_EQ(output_, std::string(c.closing) + "\n");
    EXPECT_EQ(status, c.status) << c.closing;
  }
}

TEST(ScriptCommand, ParsesOnlyWholeDecimal32BitIntegers) {
  int32_t value = 0;
  EXPECT_TRUE(parseInt32("-2147483648", value));
  EXPECT_EQ(value, INT32_MIN);
  EXPECT_FALSE(parseInt32("2147483648", value));
  EXPECT_FALSE(parseInt32("12abc", value));
  EXPECT_FALSE(parseInt32(" 1", value));
}
