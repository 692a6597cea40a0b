// Unit tests of the built-in self-test suites: their declarations as the
// registry lists them, and how each test ends when run.
#include "tests/unit/support/hostfixture.h"
#include "frame/ikortestresults.h"
#include "include/test/builtinsuites.h"
#include "include/test/emptysuite_test.h"
#include "include/test/specsuite_test.h"
#include "component/korassert.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/kortestbase.h"
#include "frame/kortestmacros.h"
#include "frame/kortestregistry.h"
#include "testservice/gentestservice.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct Declared {
  const char *suite;
  const char *name;
  const char *description;
  const char *categories;
  int line;
  const char *reason; // null for an enabled test
};

constexpr const char *kAssertFile = "include/test/testassert_test.h";
constexpr const char *kAppFile = "include/test/testappassertexceptions_test.h";
constexpr const char *kSpecFile = "include/test/specsuite_test.h";
constexpr const char *kToFailAssert = "Test designed to fail, so its disabled";
constexpr const char *kRelease = "Disabled in Release build";
constexpr const char *kToFail = "Test designed to fail";

const Declared kDeclared[19] = {
    {"Test Assert Tests", "TEST_PASSTest", "TEST_PASS Test",
     "METATESTING,ASSERT", 12, nullptr},
    {"Test Assert Tests", "TEST_FAILTest", "TEST_FAIL Test",
     "METATESTING,ASSERT", 19, kToFailAssert},
    {"Test Assert Tests", "TEST_ABORTTest", "TEST_ABORT Test",
     "METATESTING,ASSERT", 25, kToFailAssert},
    {"Test Assert Tests", "TEST_ASSERT_EQUALSTest", "TEST_ASSERT_EQUALS  Test",
     "METATESTING,ASSERT", 31, nullptr},
    {"Application Asserts and Exceptions Tests", "EXPECT_ASSERT_AtEndTest",
     "EXPECT_ASSERT At End Test", "METATESTING,ASSERT", 56, kRelease},
    {"Application Asserts and Exceptions Tests", "EXPECT_ASSERT_AtStartTest",
     "EXPECT_ASSERT At Start Test", "METATESTING,ASSERT", 68, kRelease},
    {"Application Asserts and Exceptions Tests", "APP_ASSERT_FAIL_Test",
     "APP_ASSERT fail", "METATESTING,ASSERT", 76,
     "This test fails under normal circumstances"},
    {"Application Asserts and Exceptions Tests", "EXPECT_EXCEPTION_AtEndTest",
     "EXPECT_EXCEPTION At End Test", "METATESTING,EXCEPTION", 81,
     "Test disabled, EXPECT_EXCEPTION must be called before exception "
     "actually occurs."},
    {"Application Asserts and Exceptions Tests", "EXPECT_EXCEPTION_AtStartTest",
     "EXPECT_EXCEPTION At Start Test", "METATESTING,EXCEPTION", 87, kToFail},
    {"Application Asserts and Exceptions Tests",
     "UnexpectedSystemExceptionTest", "Unexpected System Exception",
     "METATESTING,EXCEPTION", 93, kToFail},
    {"Application Asserts and Exceptions Tests", "UnexpectedCPPExceptionTest",
     "Unexpected C++ Exception", "METATESTING,EXCEPTION", 98, kToFail},
    {"Application Asserts and Exceptions Tests", "STACK_CLEANUPTest",
     "Verify Stack Cleanup After Exception", "METATESTING,EXCEPTION", 112,
     nullptr},
    {"Spec Suite", "SuiteDataTest", "Acces Suite data test.", "METATESTING", 20,
     nullptr},
    {"Spec Suite", "SpecTESTFAILTest", "Explicit fail test", "METATESTING", 24,
     "This one's failing too much"},
    {"Spec Suite", "SpecTESTPASSTest", "Explicit pass test", "METATESTING", 30,
     nullptr},
    {"Spec Suite", "AssertEqualsTest", "Assert Equals Test", "METATESTING", 36,
     nullptr},
    {"Spec Suite", "AssertNotEqualTest", "Assert Not Equal Test", "METATESTING",
     40, nullptr},
    {"Spec Suite", "AssertMessageTest", "Assert message Test", "METATESTING",
     45, "This test is designed to fail, so it is disabled"},
    {"Spec Suite", "AssertDoubleEqualsTest", "Assert double equals test",
     "METATESTING", 50, nullptr},
};

const char *fileOf(int index) {
  return index < 4 ? kAssertFile : index < 12 ? kAppFile : kSpecFile;
}

/// The built-in tests in registration order.
std::vector<IKorTest *> builtInTests() {
  korCreateBuiltInSuites();
  KorArray<IKorTest *> &registry = korTestRegistry();
  for (uint32_t i = 1; i + 18 <= registry.count(); ++i)
    if (std::string(registry[i]->ClassName()) == "TEST_PASSTest")
      return std::vector<IKorTest *>(&registry[i], &registry[i] + 19);
  return {};
}

std::string nameOf(IKorTestSuite *suite) {
  KorCString name;
  return suite ? suite->Name(name).c_str() : "<none>";
}

struct Outcome {
  int state;
  std::vector<std::string> messages;
};

std::vector<std::string> messagesOf(IKorTestStatus &status) {
  std::vector<std::string> texts;
  for (int i = 1; i <= status.GetMessageCount(); ++i)
    texts.push_back(status.GetMessage(i));
  return texts;
}

/// Routes application assertions to the record of the test being run, as
/// the test service's hook does.
void assertToStatus(void *context, const char *text, const char *file,
                    int line) {
  static_cast<IKorTestStatus *>(context)->OnAssert(text, file, line);
}

/// Runs a test's wrapper directly, disabled or not.
Outcome runDirectly(IKorTest *test) {
  GenTestStatus status(test);
  korSetAssertHook(&assertToStatus, static_cast<IKorTestStatus *>(&status));
  test->Run(&status);
  korSetAssertHook(nullptr, nullptr);
  return {status.GetState(), messagesOf(status)};
}
} // namespace

TEST(BuiltInSuites, DeclarationsAsTheRegistryListsThem) {
  std::vector<IKorTest *> tests = builtInTests();
  ASSERT_EQ(tests.size(), 19u);
  for (int i = 0; i < 19; ++i) {
    const Declared &want = kDeclared[i];
    IKorTest *test = tests[i];
    SCOPED_TRACE(want.name);
    EXPECT_STREQ(test->ClassName(), want.name);
    KorCString description;
    EXPECT_STREQ(test->Description(description).c_str(), want.description);
    void *base = nullptr;
    test->QueryInterface("KorTestBase", &base, 0);
    ASSERT_NE(base, nullptr);
    EXPECT_STREQ(static_cast<KorTestBase *>(base)->Categories(),
                 want.categories);
    EXPECT_EQ(test->DeclarationLine(), want.line);
    EXPECT_STREQ(test->SourceFile(), fileOf(i));
    EXPECT_EQ(test->Enabled(), want.reason == nullptr);
    EXPECT_STREQ(test->DisabledReason(), want.reason ? want.reason : "");
    EXPECT_EQ(nameOf(test->Suite()), want.suite);
    EXPECT_TRUE(test->Metadata().empty());
  }
}

TEST(BuiltInSuites, SuitesHoldTheirTestsAndEmptySuiteNone) {
  std::vector<IKorTest *> tests = builtInTests();
  ASSERT_EQ(tests.size(), 19u);
  IKorTestSuite *assertSuite = tests[0]->Suite();
  IKorTestSuite *appSuite = tests[4]->Suite();
  IKorTestSuite *specSuite = tests[12]->Suite();
  EXPECT_EQ(assertSuite->TestCount(), 4);
  EXPECT_EQ(appSuite->TestCount(), 8);
  EXPECT_EQ(specSuite->TestCount(), 7);
  EXPECT_EQ(specSuite->TestAt(1), tests[12]);
  EXPECT_EQ(specSuite->TestAt(7), tests[18]);
  EmptySuite &empty = korCreateSuite<EmptySuite>();
  EXPECT_EQ(nameOf(&empty), "Empty Suite");
  EXPECT_EQ(empty.TestCount(), 0);
  EXPECT_EQ(empty.TestAt(1), nullptr);
}

TEST(BuiltInSuites, CreatingAgainMakesNoSecondCopy) {
  std::vector<IKorTest *> first = builtInTests();
  uint32_t count = korTestRegistry().count();
  korCreateBuiltInSuites();
  EXPECT_EQ(korTestRegistry().count(), count);
  EXPECT_EQ(builtInTests(), first);
}

TEST(BuiltInSuites, SuiteDataTestNeedsTheSuiteSetUp) {
  SpecSuite fresh;
  IKorTest *test = new SpecSuite::SuiteDataTest<SpecSuite>;
  fresh.AddTest(test);
  Outcome before = runDirectly(test);
  EXPECT_EQ(before.state, kTestFailed);
  EXPECT_EQ(before.messages,
            std::vector<std::string>{"Failed Test assertion: 'SUITE_VAR->count "
                                     "== 3"});
  fresh.SuiteSetUp();
  EXPECT_EQ(runDirectly(test).state, kTestPassed);
}

TEST(BuiltInSuites, EveryTestEndsAsItsBuildDictates) {
  std::vector<IKorTest *> tests = builtInTests();
  ASSERT_EQ(tests.size(), 19u);
  tests[12]->Suite()->SuiteSetUp();
  const std::string expectedAssert =
      "A failed assertion was expected, but never occurred.";
  const std::string unexpectedAssert =
      "A failed assertion occurred, but was not expected.";
  const std::string expectedException =
      "An exception was expected, but never occurred.";
  const std::vector<std::string> thrown = {"Exception Occurred",
                                           "An exception occurred."};
#if KOR_ENABLE_APP_ASSERT
  const Outcome appOutcomes[6] = {{kTestPassed, {"1 == 2"}},
                                  {kTestPassed, {"1 == 2"}},
                                  {kTestFailed, {"1 == 2", unexpectedAssert}},
                                  {kTestFailed, thrown},
                                  {kTestPassed, {"Exception Occurred"}},
                                  {kTestFailed, thrown}};
#else
  const Outcome appOutcomes[6] = {{kTestFailed, {expectedAssert}},
                                  {kTestFailed, {expectedAssert}},
                                  {kTestPassed, {}},
                                  {kTestFailed, {expectedException}},
                                  {kTestFailed, {expectedException}},
                                  {kTestPassed, {}}};
#endif
  const Outcome outcomes[19] = {
      {kTestPassed, {}},
      {kTestFailed, {"This an intentional Failure"}},
      {kTestAborted, {"Testing the test abort facility"}},
      {kTestPassed, {}},
      appOutcomes[0],
      appOutcomes[1],
      appOutcomes[2],
      appOutcomes[3],
      appOutcomes[4],
      appOutcomes[5],
      {kTestFailed, thrown},
      {kTestPassed, {}},
      {kTestPassed, {}},
      {kTestFailed, {"Explicit Failure"}},
      {kTestPassed, {}},
      {kTestPassed, {}},
      {kTestPassed, {}},
      {kTestFailed,
       {"Failed Test assertion: 'This an explict failure "
        "message!"}},
      {kTestPassed, {}},
  };
  for (int i = 0; i < 19; ++i) {
    SCOPED_TRACE(kDeclared[i].name);
    Outcome got = runDirectly(tests[i]);
    EXPECT_EQ(got.state, outcomes[i].state);
    EXPECT_EQ(got.messages, outcomes[i].messages);
  }
}

TEST(BuiltInSuites, FailuresCarryTheirStatementLines) {
  std::vector<IKorTest *> tests = builtInTests();
  ASSERT_EQ(tests.size(), 19u);
  const std::pair<int, int> lines[] = {{1, 20}, {2, 26}, {13, 25}, {17, 47}};
  for (auto [index, line] : lines) {
    GenTestStatus status(tests[index]);
    tests[index]->Run(&status);
    ASSERT_GE(status.GetMessageCount(), 1) << kDeclared[index].name;
    EXPECT_EQ(status.GetMessageLine(1), line) << kDeclared[index].name;
    EXPECT_STREQ(status.GetMessageFile(1), fileOf(index));
  }
  GenTestStatus atEnd(tests[7]);
  tests[7]->Run(&atEnd);
#if !KOR_ENABLE_APP_ASSERT
  EXPECT_EQ(atEnd.GetMessageLine(1), 81) << "the definition line";
#endif
}

namespace {
class BuiltInRunTest : public HostManagerTest {};

/// Results that keep one reference on each record.
class KeptResults : public IKorTestResults {
public:
  KOR_CLASS(KeptResults, IKorTestResults)
  void AddStatus(IKorTestStatus *status) override {
    records.emplace_back(status);
  }
  int GetCount() override { return static_cast<int>(records.size()); }
  IKorTestStatus *GetStatus(uint32_t index) override {
    return records[index - 1].get();
  }
  IKorTestStatus *FindStatus(int) override { return nullptr; }
  bool AllPassed() override { return false; }
  IKorDate *GetDate() override { return nullptr; }
  IKorTime *GetTime() override { return nullptr; }
  const char *GetHostName() override { return ""; }
  const char *GetProductInfo() override { return ""; }
  std::vector<IPtr<IKorTestStatus>> records;
};
} // namespace

TEST_F(BuiltInRunTest, EnabledTestsPassWhenRunWithTheirSuites) {
  std::vector<IKorTest *> tests = builtInTests();
  ASSERT_EQ(tests.size(), 19u);
  KorArray<IKorTest *> list;
  for (IKorTest *test : tests)
    list.append(test);
  GenTestService service;
  IPtr<IKorTestResults> results(new KeptResults);
  testing::internal::CaptureStdout();
  service.RunTests(list, results.get(), false, false, false, false, nullptr,
                   false);
  std::string out = testing::internal::GetCapturedStdout();
  ASSERT_EQ(results->GetCount(), 19);
  for (int i = 1; i <= 19; ++i) {
    IKorTestStatus *status = results->GetStatus(i);
    IKorTest *test = status->GetTest();
    SCOPED_TRACE(test->ClassName());
    EXPECT_EQ(status->GetState(), test->Enabled() ? kTestPassed : kTestNotRun);
  }
  EXPECT_NE(
      out.find("   Spec Suite.Acces Suite data test. ... \033[32mSuccess"),
      std::string::npos);
}
