//===- resultsfakes.h - Hand-filled tests, records and results for reports ===//
//
// Plain in-memory suites, tests and results around real status records, so
// report tests state exactly what each record holds; FakeResults is the one
// results collection of the unit tests, fuzzers and benchmarks.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include "component/iptr.h"
#include "frame/ikortestresults.h"
#include "frame/kortestbase.h"
#include "frame/kortestsuitebase.h"
#include "results/ikortestresultsformatter.h"
#include "testservice/genteststatus.h"
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

/// A suite that only has a name.
class FakeSuite : public KorTestSuiteBase {
public:
  KOR_CLASS_DERIVED(FakeSuite, KorTestSuiteBase, IKorTestSuite)
  explicit FakeSuite(std::string name) : name(std::move(name)) {}
  KorCString &Name(KorCString &out) override { return out = name.c_str(); }
  std::string name;
};

/// A test with a description, a source file, a suite and a number.
class FakeTest : public KorTestBase {
public:
  KOR_CLASS_DERIVED(FakeTest, KorTestBase, IKorTest)
  FakeTest(IKorTestSuite *suite, std::string description, std::string file,
           int number = -1)
      : description(std::move(description)), file(std::move(file)) {
    SetSuite(suite), setTestNumber(number);
  }
  void Run(IKorTestStatus *) override {}
  KorCString &Description(KorCString &out) override {
    return out = description.c_str();
  }
  bool Enabled() override { return true; }
  const char *DisabledReason() override { return ""; }
  const char *SourceFile() override { return file.c_str(); }
  int DeclarationLine() override { return 1; }
  std::string description, file;
};

/// A results collection that keeps one reference on each record.
class FakeResults : public IKorTestResults {
public:
  KOR_CLASS(FakeResults, IKorTestResults)
  void AddStatus(IKorTestStatus *s) override { records.emplace_back(s); }
  int GetCount() override { return int(records.size()); }
  IKorTestStatus *GetStatus(uint32_t i) override {
    return i >= 1 && i <= records.size() ? records[i - 1].get() : nullptr;
  }
  IKorTestStatus *FindStatus(int) override { return nullptr; }
  bool AllPassed() override {
    return std::all_of(records.begin(), records.end(), [](auto &status) {
      return status->GetState() == kTestPassed;
    });
  }
  IKorDate *GetDate() override { return nullptr; }
  IKorTime *GetTime() override { return nullptr; }
  const char *GetHostName() override { return hostName.c_str(); }
  const char *GetProductInfo() override { return ""; }

  std::vector<IPtr<IKorTestStatus>> records;
  std::string hostName = "buildhost";
};

/// Owns suites and tests and adds a record of each test to its results.
class FakeRun {
public:
  IKorTestSuite *suite(const std::string &name) {
    return &suites_.emplace_back(name);
  }
  /// Adds a record of a new test to the results.
  GenTestStatus &add(IKorTestSuite *suite, const std::string &description,
                     int state, double duration = 0.0,
                     const std::string &file = "src/tests/sample_test.cpp") {
    auto *status =
        new GenTestStatus(&tests_.emplace_back(suite, description, file));
    status->SetState(state);
    status->SetDuration(duration);
    results.AddStatus(status);
    return *status;
  }
  FakeResults results;

private:
  std::deque<FakeSuite> suites_;
  std::deque<FakeTest> tests_;
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
/// "Suite 10" holds records 1 and 8 (through two suite objects of that
/// name), "Suite 9" records 2 to 7.
inline void buildMixedRun(FakeRun &run) {
  IKorTestSuite *nine = run.suite("Suite 9");
  run.add(run.suite("Suite 10"), "Passing Test", kTestPassed, 0.25,
          "c:/src/tests/io_test.src");
  GenTestStatus &failing =
      run.add(nine, "Failing Test", kTestFailed, 1.5, "src/tests/box_test.cpp");
  failing.AddMessage("size mismatch", "box_test", 42);
  failing.AddMessage("a < b && c", "box_test", 43);
  GenTestStatus &throwing = run.add(nine, "Throwing Test", kTestFailed);
  throwing.OnException("Unexpected exception: bad_alloc",
                       "src\\tests\\box_test.cpp", 7);
  GenTestStatus &expected =
      run.add(nine, "Expected Throw Test", kTestFailed, 0.75);
  expected.ExpectException();
  expected.OnException("Expected \"x\" \xe2\x80\x94 got 'y' \xc3\xa9",
                       "src/tests/box_test.cpp", 9);
  run.add(nine, "Skipped Test", kTestSkipped);
  run.add(nine, "Aborted Test", kTestAborted)
      .AddMessage(KorCString("Explicit Abort"));
  run.add(nine, "Not Run Test", kTestNotRun);
  run.add(run.suite("Suite 10"), "Second Passing", kTestPassed, 2e10, "noext");
}
