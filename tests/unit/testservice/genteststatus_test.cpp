// Unit tests of the status record: state, messages, expectations, progress.
#include "testservice/genteststatus.h"
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

std::string textOf(IKorTestStatus &status) {
  KorCString out("previous content");
  return status.ToString(out).c_str();
}
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
  auto text = [](const char *s) { return std::string(s ? s : "(null)"); };
  Texts seen;
  for (int i = 0; i <= 4; ++i)
    seen.push_back(text(status.GetMessage(i)) + "|" +
                   text(status.GetMessageFile(i)) + "|" +
                   std::to_string(status.GetMessageLine(i)));
  EXPECT_EQ(seen, (Texts{"(null)|(null)|0", "plain||0", "first|unit/a.cpp|12",
                         "second||13", "(null)|(null)|0"}));
}

TEST(GenTestStatus, ExpectationsDecideTheFinalState) {
  // What happened: 'a' an assertion expected, 'A' one occurred, 'e' an
  // exception expected, 'E' one occurred.
  struct Row {
    std::string events;
    int state, finalState;
  } rows[] = {
      {"", kTestPassed, kTestPassed},  {"a", kTestPassed, kTestFailed},
      {"A", kTestPassed, kTestFailed}, {"aAeE", kTestPassed, kTestPassed},
      {"e", kTestPassed, kTestFailed}, {"E", kTestAborted, kTestFailed},
      {"", kTestNotRun, kTestNotRun},
  };
  for (const Row &row : rows) {
    GenTestStatus status;
    status.SetState(row.state);
    for (char event : row.events) {
      if (event == 'a')
        status.ExpectAssert();
      else if (event == 'A')
        status.OnAssert("x > 0", "unit/a.cpp", 7);
      else if (event == 'e')
        status.ExpectException();
      else
        status.OnException("Exception Occurred", "unit/a.cpp", 3);
    }
    SCOPED_TRACE(row.events);
    EXPECT_EQ(status.GetState(), row.state) << "On* keep the state";
    EXPECT_EQ(status.VerifyExpectations(), row.state == row.finalState);
    EXPECT_EQ(status.GetState(), row.finalState);
    EXPECT_EQ(status.GetMessageCount(),
              int(std::count_if(row.events.begin(), row.events.end(), ::isupper)))
        << "the check adds no message";
  }
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
