// Unit tests of the status record: its text, its messages and the progress
// expectation. How expected assertions and exceptions decide the state is
// checked through the test macros (testassert_test.cpp).
#include "testservice/genteststatus.h"
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
  const char *names[] = {"INVALID STATE VALUE", "NotRun",  "Passed", "Failed",
                         "Skipped",             "Aborted", "INVALID STATE VALUE"};
  for (int state = -1; state <= 5; ++state)
    EXPECT_STREQ(GenTestStatus::stateName(state), names[state + 1]);
  GenTestStatus status;
  EXPECT_EQ(textOf(status), "NotRun\n");

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

TEST(GenTestStatus, ProgressMustAdvanceToCompletionAsOftenAsExpected) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Row {
    std::vector<float> fractions;
    int expected;
    bool ok;
  } rows[] = {
      {{0.25f, 0.5f, 0.5f, 1.0f}, 3, true},   // an equal value is no advance
      {{0.5f, nan, 1.0f}, 2, true},           // not a number is ignored
      {{0.5f, 0.25f, 1.0f}, 1, false},        // went backwards
      {{0.5f, 1.0f}, 3, false},               // too few advances
      {{0.2f, 0.5f, 0.8f, 0.999f}, 3, false}, // never reached 1.0
      {{0.5f, 1.5f}, 1, false},               // above 1.0
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
}
