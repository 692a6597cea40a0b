// Unit tests of the results collection: records, lookups, stamps.
#include "component/iproductinfo.h"
#include "results/gentestresults.h"
#include "tests/unit/support/hostfixture.h"
#include "tests/unit/support/resultsfakes.h"
#include <unistd.h>

namespace {
class FakeDate : public IKorDate {
public:
  KOR_CLASS(FakeDate, IKorDate)
  void SetToday() override { ++setCalls; }
  int Year() override { return 2024; }
  int setCalls = 0;
};

class FakeTime : public IKorTime {
public:
  KOR_CLASS(FakeTime, IKorTime)
  void SetNow() override { ++setCalls; }
  int setCalls = 0;
};

class FakeProductInfo : public IProductInfo {
public:
  KOR_CLASS(FakeProductInfo, IProductInfo)
  KorCString GetProductInfo() override { return KorCString("Kor 1.0 (test)"); }
};

IPtr<GenTestResults> newResults() {
  return IPtr<GenTestResults>(new GenTestResults);
}

GenTestStatus *record(int state, IKorTest *test = nullptr) {
  auto *status = new GenTestStatus(test);
  status->SetState(state);
  return status;
}
} // namespace

TEST(GenTestResults, FreshCollectionWithoutHost) {
  auto results = newResults();
  EXPECT_EQ(results->GetCount(), 0);
  EXPECT_TRUE(results->AllPassed());
  EXPECT_EQ(results->FindStatus(0), nullptr);
  EXPECT_EQ(results->GetStatus(1), nullptr);
  EXPECT_EQ(results->GetDate(), nullptr);
  EXPECT_EQ(results->GetTime(), nullptr);
  EXPECT_STREQ(results->GetProductInfo(), "");
}

TEST(GenTestResults, KeepsRecordsInOrderAndFindsTheFirstOfATestNumber) {
  FakeTest four(nullptr, "four", "", 4), seven(nullptr, "seven", "", 7);
  auto results = newResults();
  std::vector<IKorTestStatus *> added;
  for (int i = 0; i < 25; ++i) {
    added.push_back(record(kTestPassed, i == 3        ? &four
                                        : i % 10 == 7 ? &seven
                                                      : nullptr));
    results->AddStatus(added.back());
  }
  EXPECT_EQ(results->GetCount(), 25);
  for (uint32_t i : {1u, 21u, 25u})
    EXPECT_EQ(results->GetStatus(i), added[i - 1]) << i;
  EXPECT_EQ(results->GetStatus(0), nullptr);
  EXPECT_EQ(results->GetStatus(26), nullptr);
  EXPECT_EQ(results->FindStatus(7), added[7]) << "the first match wins";
  EXPECT_EQ(results->FindStatus(4), added[3]);
  EXPECT_EQ(results->FindStatus(5), nullptr);
}

TEST(GenTestResults, OwnsItsRecords) {
  IPtr<IKorTestStatus> kept(record(kTestPassed));
  GenTestStatus *only = record(kTestPassed);
  KorWeakRef *alone = only->GetWeakRef();
  alone->AddRef();
  {
    auto results = newResults();
    results->AddStatus(only);
    results->AddStatus(kept.get());
    EXPECT_EQ(kept->RefCount(), 2u);
  }
  EXPECT_EQ(alone->target(), nullptr) << "the record nobody else holds is gone";
  EXPECT_EQ(kept->RefCount(), 1u);
  alone->Release();
}

TEST(GenTestResults, AllPassedOnlyWhenEveryRecordPassed) {
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

TEST_F(GenTestResultsHost, StampsDateAndTimeAndReleasesThem) {
  auto *date = new FakeDate;
  auto *time = new FakeTime;
  manager_->RegisterService("IKorDate", date);
  manager_->RegisterService("IKorTime", time);
  manager_->RegisterService("IProductInfo", new FakeProductInfo);
  {
    auto results = newResults();
    EXPECT_EQ(results->GetDate(), date);
    EXPECT_EQ(results->GetTime(), time);
    EXPECT_EQ(date->setCalls + time->setCalls, 2);
    EXPECT_EQ(date->RefCount(), 2u) << "the host's and the collection's";
    EXPECT_STREQ(results->GetProductInfo(), "Kor 1.0 (test)");
  }
  EXPECT_EQ(date->RefCount(), 1u);
  EXPECT_EQ(time->RefCount(), 1u);
}
