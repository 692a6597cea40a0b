// Unit tests of the results collection: records, lookups, stamps (the
// records it holds are released with it, which the leak-checking builds
// watch).
#include "host/services/datetime.h"
#include "host/services/productinfo.h"
#include "results/gentestresults.h"
#include "tests/unit/support/hostfixture.h"
#include "tests/unit/support/resultsfakes.h"
#include <unistd.h>

namespace {
IPtr<GenTestResults> newResults() {
  return IPtr<GenTestResults>(new GenTestResults);
}

GenTestStatus *record(int state, IKorTest *test = nullptr) {
  auto *status = new GenTestStatus(test);
  status->SetState(state);
  return status;
}
} // namespace

TEST(GenTestResults, KeepsRecordsInOrderAndFindsTheFirstOfATestNumber) {
  FakeTest four(nullptr, "four", "", 4), seven(nullptr, "seven", "", 7);
  auto results = newResults();
  IKorTestStatus *added[] = {record(kTestPassed), record(kTestPassed, &seven),
                             record(kTestPassed, &four),
                             record(kTestPassed, &seven)};
  for (IKorTestStatus *status : added)
    results->AddStatus(status);
  EXPECT_EQ(results->GetCount(), 4);
  for (uint32_t i : {0u, 1u, 4u, 5u})
    EXPECT_EQ(results->GetStatus(i), i && i <= 4 ? added[i - 1] : nullptr);
  EXPECT_EQ(results->FindStatus(7), added[1]) << "the first match wins";
  EXPECT_EQ(results->FindStatus(4), added[2]);
  EXPECT_EQ(results->FindStatus(5), nullptr);
  // Without a host there is no date, time or product.
  EXPECT_EQ(results->GetDate(), nullptr);
  EXPECT_STREQ(results->GetProductInfo(), "");
}

TEST(GenTestResults, AllPassedOnlyWhenEveryRecordPassed) {
  EXPECT_TRUE(newResults()->AllPassed());
  for (int state : {kTestNotRun, kTestFailed, kTestAborted, kTestSkipped}) {
    auto results = newResults();
    results->AddStatus(record(kTestPassed));
    EXPECT_TRUE(results->AllPassed());
    results->AddStatus(record(state));
    EXPECT_FALSE(results->AllPassed()) << state;
  }
}

TEST(GenTestResults, HostName) {
  char expected[1024] = {};
  ASSERT_EQ(gethostname(expected, sizeof(expected)), 0);
  EXPECT_STREQ(newResults()->GetHostName(), expected);
  EXPECT_STREQ(GenTestResults::hostNameFrom([](char *, size_t) { return -1; }),
               "Error retrieving hostname");
}

using GenTestResultsHost = HostManagerTest;

TEST_F(GenTestResultsHost, StampsDateAndTimeAndNamesTheProduct) {
  auto *date = new HostDate;
  auto *time = new HostTime;
  manager_->RegisterService("IKorDate", date);
  manager_->RegisterService("IKorTime", time);
  manager_->RegisterService("IProductInfo", new HostProductInfo);
  auto results = newResults();
  EXPECT_TRUE(results->GetDate() == date && results->GetTime() == time);
  EXPECT_GE(date->Year(), 2024) << "set to today";
  EXPECT_STREQ(results->GetProductInfo(), hostProductText());
}
