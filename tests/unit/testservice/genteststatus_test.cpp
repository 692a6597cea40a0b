// Unit tests of the status record: state, messages, expectations, progress.
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {
std::string textOf(IKorTestStatus &status) {
  KorCString out("previous content");
  return status.ToString(out).c_str();
}

/// Sees every message, also those OnAssert and OnException add, and every
/// state change, also the expectation check's.
class CountingStatus : public GenTestStatus {
public:
  KOR_CLASS_DERIVED(CountingStatus, GenTestStatus)
  using GenTestStatus::AddMessage;
  void AddMessage(const char *text, const char *file, int line) override {
    seen.push_back(text);
    GenTestStatus::AddMessage(text, file, line);
  }
  void SetState(int state) override {
    states.push_back(state);
    GenTestStatus::SetState(state);
  }
  std::vector<std::string> seen;
  std::vector<int> states;
};
} // namespace

TEST(GenTestStatus, TextNamesTheStateThenEachMessage) {
  const char *names[] = {"NotRun", "Passed", "Failed", "Skipped", "Aborted"};
  for (int state = 0; state < 5; ++state)
    EXPECT_STREQ(GenTestStatus::stateName(state), names[state]);
  GenTestStatus status;
  EXPECT_EQ(textOf(status), "NotRun\n");
  status.SetState(7);
  EXPECT_EQ(textOf(status), "INVALID STATE VALUE\n");
  EXPECT_STREQ(GenTestStatus::stateName(-1), "INVALID STATE VALUE");

  char copied[] = "first";
  status.AddMessage(KorCString("plain"));
  status.AddMessage(copied, "unit/a.cpp", 12);
  status.AddMessage("second", nullptr, 13);
  copied[0] = 'X';
  status.SetState(kTestFailed);
  EXPECT_EQ(textOf(status), "Failed\nplain\nfirst\nsecond\n");
  struct Row {
    int index;
    const char *text, *file;
    int line;
  } rows[] = {{1, "plain", "", 0},
              {2, "first", "unit/a.cpp", 12},
              {3, "second", "", 13},
              {0, nullptr, nullptr, 0},
              {4, nullptr, nullptr, 0}};
  auto text = [](const char *s) { return std::string(s ? s : "(null)"); };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(text(status.GetMessage(row.index)), text(row.text));
    EXPECT_EQ(text(status.GetMessageFile(row.index)), text(row.file));
    EXPECT_EQ(status.GetMessageLine(row.index), row.line);
  }
}

TEST(GenTestStatus, ExpectationsDecideTheFinalState) {
  struct Row {
    bool expectAssert, asserted, expectThrow, thrown;
    int state, finalState;
  } rows[] = {
      {false, false, false, false, kTestPassed, kTestPassed},
      {true, false, false, false, kTestPassed, kTestFailed},
      {false, true, false, false, kTestPassed, kTestFailed},
      {true, true, true, true, kTestPassed, kTestPassed},
      {false, false, true, false, kTestPassed, kTestFailed},
      {false, false, false, true, kTestAborted, kTestFailed},
      {false, false, false, false, kTestNotRun, kTestNotRun},
  };
  for (const Row &row : rows) {
    GenTestStatus status;
    status.SetState(row.state);
    if (row.expectAssert)
      status.ExpectAssert();
    if (row.asserted)
      status.OnAssert("x > 0", "unit/a.cpp", 7);
    if (row.expectThrow)
      status.ExpectException();
    if (row.thrown)
      status.OnException("Exception Occurred", "unit/a.cpp", 3);
    EXPECT_EQ(status.GetState(), row.state) << "On* keep the state";
    EXPECT_EQ(status.VerifyExpectations(), row.state == row.finalState);
    EXPECT_EQ(status.GetState(), row.finalState);
    EXPECT_EQ(status.GetMessageCount(), row.asserted + row.thrown)
        << "verification adds no message";
  }
}

TEST(GenTestStatus, WritersGoThroughTheInterface) {
  CountingStatus status;
  status.OnAssert("a", "f", 1);
  status.OnException("b", "f", 2);
  status.AddMessage(KorCString("c"));
  EXPECT_EQ(status.seen, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_FALSE(status.VerifyExpectations());
  EXPECT_EQ(status.states, (std::vector<int>{kTestFailed}));
}

TEST(GenTestStatus, ProgressMustAdvanceToCompletionAsOftenAsExpected) {
  struct Row {
    std::vector<float> fractions;
    int expected;
    bool ok;
  } rows[] = {
      {{0.25f, 0.5f, 0.5f, 1.0f}, 3, true},   // an equal value is no advance
      {{0.5f, 0.25f, 1.0f}, 1, false},        // went backwards
      {{0.5f, 1.0f}, 3, false},               // too few advances
      {{0.2f, 0.5f, 0.8f, 0.999f}, 3, false}, // never reached 1.0
      {{0.5f, 1.5f}, 1, false},               // above 1.0
      {{0.5f, 1.5f}, 0, true},                // no progress expected
  };
  for (const Row &row : rows) {
    GenTestStatus status;
    status.SetState(kTestPassed);
    status.ExpectProgress(row.expected);
    for (float f : row.fractions)
      status.OnProgress(f);
    EXPECT_EQ(status.VerifyExpectations(), row.ok) << row.fractions.size();
    EXPECT_EQ(status.GetState(), row.ok ? kTestPassed : kTestFailed);
  }
  GenTestStatus status;
  status.OnProgress(0.5f);
  status.OnProgress(0.25f);
  status.OnProgress(std::numeric_limits<float>::quiet_NaN());
  EXPECT_TRUE(status.progressInvalid());
  EXPECT_EQ(status.progressCount(), 1);
  EXPECT_EQ(status.progressValue(), 0.5f) << "an invalid value is not kept";
}
