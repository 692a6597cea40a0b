//===- resultsfakes.h - Hand-filled tests, records and results for reports ===//
//
// Plain in-memory implementations of the test-model interfaces, so report
// tests state exactly what each record holds.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikortest.h"
#include "frame/ikortestresults.h"
#include "frame/ikorteststatus.h"
#include "frame/ikortestsuite.h"
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "results/ikortestresultsformatter.h"
#include <memory>
#include <string>
#include <vector>

/// A suite that only has a name.
class FakeSuite : public IKorTestSuite {
public:
  KOR_CLASS(FakeSuite, IKorTestSuite)
  explicit FakeSuite(std::string name) : name_(std::move(name)) {}
  void AddTest(IKorTest *) override {}
  KorCString &Name(KorCString &out) override {
    out = name_.c_str();
    return out;
  }
  int TestCount() override { return 0; }
  IKorTest *TestAt(int) override { return nullptr; }
  IKorTest *TestWithNumber(int) override { return nullptr; }
  void SuiteSetUp() override {}
  void SuiteTearDown() override {}
  void BeforeTest() override {}
  void AfterTest() override {}

private:
  std::string name_;
};

/// A test with a description, a source file and a suite.
class FakeTest : public IKorTest {
public:
  KOR_CLASS(FakeTest, IKorTest)
  FakeTest(IKorTestSuite *suite, std::string description, std::string file)
      : suite_(suite), description_(std::move(description)),
        file_(std::move(file)) {}
  int TestNumber() override { return -1; }
  void Run(IKorTestStatus *) override {}
  KorCString &Description(KorCString &out) override {
    out = description_.c_str();
    return out;
  }
  KorMetadataList &Metadata() override { return metadata_; }
  void CopyMetadata(KorMetadataList &out) override { out.clear(); }
  bool Enabled() override { return true; }
  const char *DisabledReason() override { return ""; }
  const char *SourceFile() override { return file_.c_str(); }
  int DeclarationLine() override { return 1; }
  void SetSuite(IKorTestSuite *suite) override { suite_ = suite; }
  IKorTestSuite *Suite() override { return suite_; }
  bool BreakOnFailure() override { return false; }
  void SetBreakOnFailure(bool) override {}

private:
  IKorTestSuite *suite_;
  std::string description_;
  std::string file_;
  KorMetadataList metadata_;
};

/// A status record whose fields the test sets directly.
class FakeStatus : public IKorTestStatus {
public:
  KOR_CLASS(FakeStatus, IKorTestStatus)
  struct Message {
    std::string text, file;
    int line;
  };
  explicit FakeStatus(IKorTest *test, int state = kTestPassed,
                      double duration = 0.0)
      : test_(test), state_(state), duration_(duration) {}

  void AddMessage(const KorCString &text) override {
    AddMessage(text.c_str(), "", 0);
  }
  void ExpectAssert() override {}
  bool IsAssertExpected() override { return false; }
  void OnAssert(const char *, const char *, int) override {}
  void ExpectException() override { exceptionExpected = true; }
  bool IsExceptionExpected() override { return exceptionExpected; }
  void OnException(const char *text, const char *file, int line) override {
    AddMessage(text, file, line);
    exceptionOccurred = true;
  }
  void ExpectProgress(int) override {}
  int GetExpectedProgress() override { return 0; }
  void OnProgress(float) override {}
  void SetCheckMemory(bool) override {}
  bool GetCheckMemory() override { return true; }
  void AddMessage(const char *text, const char *file, int line) override {
    messages.push_back({text, file, line});
  }
  int GetMessageCount() override { return int(messages.size()); }
  const char *GetMessage(int i) override { return at(i) ? at(i)->text.c_str() : nullptr; }
  const char *GetMessageFile(int i) override { return at(i) ? at(i)->file.c_str() : nullptr; }
  int GetMessageLine(int i) override { return at(i) ? at(i)->line : 0; }
  bool AssertOccurred() override { return false; }
  bool ExceptionOccurred() override { return exceptionOccurred; }
  IKorTest *GetTest() override { return test_; }
  bool VerifyExpectations() override { return true; }
  KorCString &ToString(KorCString &out) override { return out; }
  int GetState() override { return state_; }
  void SetState(int state) override { state_ = state; }
  double GetDuration() override { return duration_; }
  double GetAuxTime() override { return -1.0; }

  std::vector<Message> messages;
  bool exceptionExpected = false;
  bool exceptionOccurred = false;

private:
  Message *at(int i) {
    return i >= 1 && i <= int(messages.size()) ? &messages[size_t(i - 1)]
                                               : nullptr;
  }
  IKorTest *test_;
  int state_;
  double duration_;
};

/// A results collection over records that the fixture owns.
class FakeResults : public IKorTestResults {
public:
  KOR_CLASS(FakeResults, IKorTestResults)
  void AddStatus(IKorTestStatus *status) override { records.push_back(status); }
  int GetCount() override { return int(records.size()); }
  IKorTestStatus *GetStatus(uint32_t i) override {
    return i >= 1 && i <= records.size() ? records[i - 1] : nullptr;
  }
  IKorTestStatus *FindStatus(int) override { return nullptr; }
  bool AllPassed() override {
    for (IKorTestStatus *status : records)
      if (status->GetState() != kTestPassed)
        return false;
    return true;
  }
  IKorDate *GetDate() override { return nullptr; }
  IKorTime *GetTime() override { return nullptr; }
  const char *GetHostName() override { return hostName.c_str(); }
  const char *GetProductInfo() override { return ""; }

  std::vector<IKorTestStatus *> records;
  std::string hostName = "buildhost";
};

/// Owns suites, tests and records and lists the records in a FakeResults.
class FakeRun {
public:
  IKorTestSuite *suite(const std::string &name) {
    suites_.push_back(std::make_unique<FakeSuite>(name));
    return suites_.back().get();
  }
  /// Adds a record of a new test to the results.
  FakeStatus &add(IKorTestSuite *suite, const std::string &description,
                  int state, double duration = 0.0,
                  const std::string &file = "src/tests/sample_test.cpp") {
    tests_.push_back(std::make_unique<FakeTest>(suite, description, file));
    statuses_.push_back(
        std::make_unique<FakeStatus>(tests_.back().get(), state, duration));
    results.AddStatus(statuses_.back().get());
    return *statuses_.back();
  }
  FakeResults results;

private:
  std::vector<std::unique_ptr<FakeSuite>> suites_;
  std::vector<std::unique_ptr<FakeTest>> tests_;
  std::vector<std::unique_ptr<FakeStatus>> statuses_;
};

/// A formatter whose output the test sets.
class FixedFormatter : public IKorTestResultsFormatter {
public:
  KOR_CLASS(FixedFormatter, IKorTestResultsFormatter)
  explicit FixedFormatter(const KorWChar *text = u"") : output(text) {}
  void Format(IKorTestResults *) override {}
  const KorString &GetOutput() override { return output; }
  KorString output;
};

/// A run with every state in two suites whose records interleave:
/// "Suite 10" holds records 1 and 8, "Suite 9" records 2 to 7.
inline void buildMixedRun(FakeRun &run) {
  IKorTestSuite *ten = run.suite("Suite 10");
  IKorTestSuite *nine = run.suite("Suite 9");
  run.add(ten, "Passing Test", kTestPassed, 0.25, "c:/src/tests/io_test.src");
  FakeStatus &failing =
      run.add(nine, "Failing Test", kTestFailed, 1.5, "src/tests/box_test.cpp");
  failing.AddMessage("size mismatch", "box_test", 42);
  failing.AddMessage("a < b && c", "box_test", 43);
  FakeStatus &throwing = run.add(nine, "Throwing Test", kTestFailed);
  throwing.OnException("Unexpected exception: bad_alloc",
                       "src\\tests\\box_test.cpp", 7);
  FakeStatus &expected = run.add(nine, "Expected Throw Test", kTestFailed, 0.75);
  expected.ExpectException();
  expected.OnException("Expected \"x\" \xe2\x80\x94 got 'y' \xc3\xa9",
                       "src/tests/box_test.cpp", 9);
  run.add(nine, "Skipped Test", kTestSkipped);
  run.add(nine, "Aborted Test", kTestAborted)
      .AddMessage(KorCString("Explicit Abort"));
  run.add(nine, "Not Run Test", kTestNotRun);
  run.add(ten, "Second Passing", kTestPassed, 2e10, "noext");
}
