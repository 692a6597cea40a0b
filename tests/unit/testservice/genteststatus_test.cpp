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

TEST(GenTestStatus, FreshRecord) {
  GenTestStatus status;
  EXPECT_EQ(status.GetState(), kTestNotRun);
  EXPECT_EQ(textOf(status), "NotRun\n");
  EXPECT_EQ(status.GetMessageCount(), 0);
  EXPECT_EQ(status.GetDuration(), 0.0);
  EXPECT_EQ(status.GetAuxTime(), -1.0);
  EXPECT_TRUE(status.GetCheckMemory());
  EXPECT_EQ(status.GetTest(), nullptr);
  EXPECT_EQ(status.RefCount(), 0u);
  EXPECT_TRUE(status.VerifyExpectations());
  EXPECT_EQ(status.GetState(), kTestNotRun);
}

TEST(GenTestStatus, StateIsLastWriterWins) {
  GenTestStatus status;
  status.SetState(kTestFailed);
  status.SetState(kTestPassed);
  EXPECT_EQ(status.GetState(), kTestPassed);
  status.SetState(7);
  EXPECT_EQ(status.GetState(), 7);
  EXPECT_EQ(textOf(status), "INVALID STATE VALUE\n");
  const char *names[] = {"NotRun", "Passed", "Failed", "Skipped", "Aborted"};
  for (int state = 0; state < 5; ++state)
    EXPECT_STREQ(GenTestStatus::stateName(state), names[state]);
  EXPECT_STREQ(GenTestStatus::stateName(-1), "INVALID STATE VALUE");
}

TEST(GenTestStatus, MessagesKeepOrderFileAndLine) {
  GenTestStatus status;
  status.AddMessage(KorCString("plain"));
  status.AddMessage("first", "unit/a.cpp", 12);
  status.AddMessage("second", nullptr, 13);
  ASSERT_EQ(status.GetMessageCount(), 3);
  EXPECT_STREQ(status.GetMessage(1), "plain");
  EXPECT_STREQ(status.GetMessageFile(1), "");
  EXPECT_EQ(status.GetMessageLine(1), 0);
  EXPECT_STREQ(status.GetMessage(2), "first");
  EXPECT_STREQ(status.GetMessageFile(2), "unit/a.cpp");
  EXPECT_EQ(status.GetMessageLine(2), 12);
  EXPECT_STREQ(status.GetMessage(3), "second");
  EXPECT_STREQ(status.GetMessageFile(3), "");
  EXPECT_EQ(status.GetMessage(0), nullptr);
  EXPECT_EQ(status.GetMessage(4), nullptr);
  EXPECT_EQ(status.GetMessageFile(4), nullptr);
  EXPECT_EQ(status.GetMessageLine(4), 0);

  status.SetState(kTestFailed);
  EXPECT_EQ(textOf(status), "Failed\nplain\nfirst\nsecond\n");
}

TEST(GenTestStatus, MessageTextsAreCopies) {
  GenTestStatus status;
  char text[] = "original";
  status.AddMessage(text, text, 1);
  text[0] = 'X';
  EXPECT_STREQ(status.GetMessage(1), "original");
  EXPECT_STREQ(status.GetMessageFile(1), "original");
}

TEST(GenTestStatus, AssertAndExceptionExpectations) {
  GenTestStatus expectedOnly;
  expectedOnly.SetState(kTestPassed);
  expectedOnly.ExpectAssert();
  EXPECT_FALSE(expectedOnly.VerifyExpectations());
  EXPECT_EQ(expectedOnly.GetState(), kTestFailed);
  EXPECT_EQ(expectedOnly.GetMessageCount(), 0) << "verification adds nothing";

  GenTestStatus occurredOnly;
  occurredOnly.SetState(kTestPassed);
  occurredOnly.OnAssert("x > 0", "unit/a.cpp", 7);
  EXPECT_EQ(occurredOnly.GetState(), kTestPassed) << "OnAssert keeps the state";
  EXPECT_TRUE(occurredOnly.AssertOccurred());
  EXPECT_EQ(occurredOnly.GetMessageLine(1), 7);
  EXPECT_FALSE(occurredOnly.VerifyExpectations());
  EXPECT_EQ(occurredOnly.GetState(), kTestFailed);

  GenTestStatus both;
  both.SetState(kTestPassed);
  both.ExpectAssert();
  both.OnAssert("x > 0", "unit/a.cpp", 7);
  both.ExpectException();
  both.OnException("Exception Occurred", "unit/a.cpp", 3);
  EXPECT_TRUE(both.VerifyExpectations());
  EXPECT_EQ(both.GetState(), kTestPassed);

  GenTestStatus unexpected;
  unexpected.SetState(kTestAborted);
  unexpected.OnException("Exception Occurred", "", 0);
  EXPECT_FALSE(unexpected.VerifyExpectations());
  EXPECT_EQ(unexpected.GetState(), kTestFailed);
}

TEST(GenTestStatus, WritersGoThroughTheInterface) {
  CountingStatus status;
  status.OnAssert("a", "f", 1);
  status.OnException("b", "f", 2);
  status.AddMessage(KorCString("c"));
  EXPECT_EQ(status.seen, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(status.GetMessageCount(), 3);
  EXPECT_FALSE(status.VerifyExpectations());
  EXPECT_EQ(status.states, (std::vector<int>{kTestFailed}));
}

TEST(GenTestStatus, ProgressCountsAdvancesToCompletion) {
  GenTestStatus status;
  status.ExpectProgress(3);
  for (float f : {0.25f, 0.5f, 0.5f, 1.0f})
    status.OnProgress(f);
  EXPECT_EQ(status.progressCount(), 3) << "an equal value is no advance";
  EXPECT_FALSE(status.progressInvalid());
  EXPECT_TRUE(status.VerifyExpectations());
}

TEST(GenTestStatus, ProgressFailures) {
  auto verify = [](std::initializer_list<float> fractions, int expected) {
    GenTestStatus status;
    status.SetState(kTestPassed);
    status.ExpectProgress(expected);
    for (float f : fractions)
      status.OnProgress(f);
    bool ok = status.VerifyExpectations();
    EXPECT_EQ(status.GetState(), ok ? kTestPassed : kTestFailed);
    return ok;
  };
  EXPECT_FALSE(verify({0.5f, 0.25f, 1.0f}, 1)) << "went backwards";
  EXPECT_FALSE(verify({0.5f, 1.0f}, 3)) << "too few advances";
  EXPECT_FALSE(verify({0.2f, 0.5f, 0.8f, 0.999f}, 3)) << "never reached 1.0";
  EXPECT_FALSE(verify({0.5f, 1.5f}, 1)) << "above 1.0";
  EXPECT_TRUE(verify({0.5f, 1.5f}, 0)) << "no progress expected";

  GenTestStatus status;
  status.OnProgress(0.5f);
  status.OnProgress(0.25f);
  EXPECT_TRUE(status.progressInvalid());
  EXPECT_EQ(status.progressValue(), 0.5f) << "an invalid value is not kept";
  status.OnProgress(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(status.progressCount(), 1);
  EXPECT_EQ(status.progressValue(), 0.5f);
}

TEST(GenTestStatus, DurationCheckMemoryAndTest) {
  GenTestStatus other;
  GenTestStatus status(reinterpret_cast<IKorTest *>(&other));
  EXPECT_EQ(status.GetTest(), reinterpret_cast<IKorTest *>(&other));
  status.SetDuration(1.25);
  EXPECT_EQ(status.GetDuration(), 1.25);
  status.SetCheckMemory(false);
  EXPECT_FALSE(status.GetCheckMemory());
  EXPECT_EQ(status.GetExpectedProgress(), 0);
  void *result = nullptr;
  status.QueryInterface("IKorTestStatus", &result);
  EXPECT_EQ(result, static_cast<IKorTestStatus *>(&status));
  EXPECT_STREQ(status.ClassName(), "GenTestStatus");
}
