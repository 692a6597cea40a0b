// Unit tests of the results collection: records, growth, lookups, stamps.
#include "tests/unit/support/hostfixture.h"
#include "component/iproductinfo.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/kordefaultclassfactory.h"
#include "frame/kortestbase.h"
#include "results/gentestresults.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
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

int gStatusesDestroyed = 0;

class CountedStatus : public GenTestStatus {
public:
  KOR_CLASS_DERIVED(CountedStatus, GenTestStatus)
  explicit CountedStatus(IKorTest *test = nullptr, int state = kTestNotRun)
      : GenTestStatus(test) {
    SetState(state);
  }
  ~CountedStatus() override { ++gStatusesDestroyed; }
};

/// A test that is only a number.
class NumberedTest : public KorTestBase {
public:
  KOR_CLASS_DERIVED(NumberedTest, KorTestBase, IKorTest)
  explicit NumberedTest(int number) { setTestNumber(number); }
  void Run(IKorTestStatus *) override {}
  KorCString &Description(KorCString &out) override { return out; }
  bool Enabled() override { return true; }
  const char *DisabledReason() override { return ""; }
  const char *SourceFile() override { return ""; }
  int DeclarationLine() override { return 0; }
};

IPtr<GenTestResults> newResults() {
  return IPtr<GenTestResults>(new GenTestResults);
}
} // namespace

TEST(GenTestResults, FreshCollectionWithoutHost) {
  auto results = newResults();
  EXPECT_EQ(results->GetCount(), 0);
  EXPECT_TRUE(results->AllPassed());
  EXPECT_EQ(results->FindStatus(0), nullptr);
  EXPECT_EQ(results->FindStatus(-1), nullptr);
  EXPECT_EQ(results->GetStatus(1), nullptr);
  EXPECT_EQ(results->GetDate(), nullptr);
  EXPECT_EQ(results->GetTime(), nullptr);
  EXPECT_STREQ(results->GetProductInfo(), "");
  EXPECT_STREQ(results->ClassName(), "GenTestResults");
}

TEST(GenTestResults, GrowsPastTheInitialRoomAndKeepsOrder) {
  auto results = newResults();
  EXPECT_EQ(results->capacity(), 21u);
  std::vector<IKorTestStatus *> added;
  for (int i = 0; i < 25; ++i) {
    added.push_back(new GenTestStatus);
    results->AddStatus(added.back());
  }
  EXPECT_EQ(results->GetCount(), 25);
  EXPECT_EQ(results->capacity(), 42u);
  EXPECT_EQ(results->GetStatus(1), added[0]);
  EXPECT_EQ(results->GetStatus(21), added[20]);
  EXPECT_EQ(results->GetStatus(25), added[24]);
  EXPECT_EQ(results->GetStatus(0), nullptr);
  EXPECT_EQ(results->GetStatus(26), nullptr);
}

TEST(GenTestResults, OwnsItsRecords) {
  gStatusesDestroyed = 0;
  auto *kept = new CountedStatus;
  IPtr<IKorTestStatus> holder(static_cast<IKorTestStatus *>(kept));
  {
    auto results = newResults();
    results->AddStatus(new CountedStatus);
    results->AddStatus(kept);
    EXPECT_EQ(kept->RefCount(), 2u);
  }
  EXPECT_EQ(gStatusesDestroyed, 1) << "the record nobody else holds is gone";
  EXPECT_EQ(kept->RefCount(), 1u);
}

TEST(GenTestResults, FindStatusByTestNumber) {
  NumberedTest four(4), seven(7);
  auto results = newResults();
  results->AddStatus(new GenTestStatus(nullptr));
  auto *first = new GenTestStatus(&seven);
  results->AddStatus(new GenTestStatus(&four));
  results->AddStatus(first);
  results->AddStatus(new GenTestStatus(&seven));
  EXPECT_EQ(results->FindStatus(7), first) << "the first match wins";
  EXPECT_EQ(results->FindStatus(4)->GetTest(), &four);
  EXPECT_EQ(results->FindStatus(5), nullptr);
}

TEST(GenTestResults, AllPassedOnlyWhenEveryRecordPassed) {
  auto passedRun = newResults();
  passedRun->AddStatus(new CountedStatus(nullptr, kTestPassed));
  passedRun->AddStatus(new CountedStatus(nullptr, kTestPassed));
  EXPECT_TRUE(passedRun->AllPassed());
  passedRun->AddStatus(new CountedStatus(nullptr, kTestSkipped));
  EXPECT_FALSE(passedRun->AllPassed());

  for (int state : {kTestNotRun, kTestFailed, kTestAborted}) {
    auto results = newResults();
    results->AddStatus(new CountedStatus(nullptr, state));
    EXPECT_FALSE(results->AllPassed()) << state;
  }
}

TEST(GenTestResults, HostName) {
  auto results = newResults();
  char expected[1024] = {};
  ASSERT_EQ(gethostname(expected, sizeof(expected)), 0);
  EXPECT_STREQ(results->GetHostName(), expected);
  EXPECT_STREQ(GenTestResults::hostNameFrom([](char *, size_t) { return -1; }),
               "Error retrieving hostname");
}

TEST(GenTestResults, CreatableThroughTheClassFactory) {
  IKorUnknown *object = nullptr;
  ASSERT_EQ(KorDefaultClassFactory::instance().Create(
                korGuid(0x39E7082F, 0x0E0B, 0x4E6B, 0x91, 0x73, 0xFB, 0xDC,
                        0xBD, 0x43, 0xAA, 0xA9),
                &object),
            1);
  IPtr<IKorTestResults> results(object);
  ASSERT_TRUE(results);
  EXPECT_EQ(results->GetCount(), 0);
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
    EXPECT_EQ(date->setCalls, 1);
    EXPECT_EQ(time->setCalls, 1);
    EXPECT_EQ(date->RefCount(), 2u) << "the host's and the collection's";
    EXPECT_STREQ(results->GetProductInfo(), "Kor 1.0 (test)");
  }
  EXPECT_EQ(date->RefCount(), 1u);
  EXPECT_EQ(time->RefCount(), 1u);
}
