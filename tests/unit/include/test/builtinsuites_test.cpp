// How each built-in self-test ends when its wrapper runs it, disabled or
// not: state, messages and the line of the first one, as the build's
// application assertions dictate. tests/e2e/kortest_run.sh compares the
// console transcript of running the enabled ones through korhost.
#include "component/korassert.h"
#include "frame/ikortest.h"
#include "frame/ikortestsuite.h"
#include "frame/kortestmacros.h"
#include "frame/kortestregistry.h"
#include "include/test/builtinsuites.h"
#include "testservice/genteststatus.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
/// The built-in tests in registration order.
std::vector<IKorTest *> builtInTests() {
  korCreateBuiltInSuites();
  KorArray<IKorTest *> &registry = korTestRegistry();
  for (uint32_t i = 1; i + 18 <= registry.count(); ++i)
    if (std::string(registry[i]->ClassName()) == "TEST_PASSTest")
      return std::vector<IKorTest *>(&registry[i], &registry[i] + 19);
  return {};
}

struct Outcome {
  const char *test;
  int state;
  std::vector<std::string> messages;
  int line = 0; ///< of the first message, in the test's file; 0: not checked
};
/// Routes application assertions to the record of the test being run, as
/// the test service's hook does.
void assertToStatus(void *record, const char *text, const char *file,
                    int line) {
  static_cast<GenTestStatus *>(record)->OnAssert(text, file, line);
}

const std::string kExpectedAssert =
    "A failed assertion was expected, but never occurred.";
const std::string kExpectedException =
    "An exception was expected, but never occurred.";
const std::vector<std::string> kThrown = {"Exception Occurred",
                                          "An exception occurred."};
} // namespace

TEST(BuiltInSuites, EveryTestEndsAsItsBuildDictates) {
  const Outcome outcomes[] = {
    {"TEST_PASSTest", kTestPassed, {}},
    {"TEST_FAILTest", kTestFailed, {"This an intentional Failure"}, 20},
    {"TEST_ABORTTest", kTestAborted, {"Testing the test abort facility"}, 26},
    {"TEST_ASSERT_EQUALSTest", kTestPassed, {}},
#if KOR_ENABLE_APP_ASSERT
    {"EXPECT_ASSERT_AtEndTest", kTestPassed, {"1 == 2"}},
    {"EXPECT_ASSERT_AtStartTest", kTestPassed, {"1 == 2"}},
    {"APP_ASSERT_FAIL_Test",
     kTestFailed,
     {"1 == 2", "A failed assertion occurred, but was not expected."}},
    {"EXPECT_EXCEPTION_AtEndTest", kTestFailed, kThrown},
    {"EXPECT_EXCEPTION_AtStartTest", kTestPassed, {"Exception Occurred"}},
    {"UnexpectedSystemExceptionTest", kTestFailed, kThrown},
#else
    {"EXPECT_ASSERT_AtEndTest", kTestFailed, {kExpectedAssert}},
    {"EXPECT_ASSERT_AtStartTest", kTestFailed, {kExpectedAssert}},
    {"APP_ASSERT_FAIL_Test", kTestPassed, {}},
    {"EXPECT_EXCEPTION_AtEndTest", kTestFailed, {kExpectedException}, 81},
    {"EXPECT_EXCEPTION_AtStartTest", kTestFailed, {kExpectedException}},
    {"UnexpectedSystemExceptionTest", kTestPassed, {}},
#endif
    {"UnexpectedCPPExceptionTest", kTestFailed, kThrown},
    {"STACK_CLEANUPTest", kTestPassed, {}},
    {"SuiteDataTest", kTestPassed, {}},
    {"SpecTESTFAILTest", kTestFailed, {"Explicit Failure"}, 25},
    {"SpecTESTPASSTest", kTestPassed, {}},
    {"AssertEqualsTest", kTestPassed, {}},
    {"AssertNotEqualTest", kTestPassed, {}},
    {"AssertMessageTest",
     kTestFailed,
     {"Failed Test assertion: 'This an explict failure message!"},
     47},
    {"AssertDoubleEqualsTest", kTestPassed, {}},
  };
  std::vector<IKorTest *> tests = builtInTests();
  ASSERT_EQ(tests.size(), std::size(outcomes));
  tests[12]->Suite()->SuiteSetUp();
  for (size_t i = 0; i < tests.size(); ++i) {
    const Outcome &want = outcomes[i];
    GenTestStatus status(tests[i]); // the wrapper runs, disabled or not
    korSetAssertHook(&assertToStatus, &status);
    tests[i]->Run(&status);
    korSetAssertHook(nullptr, nullptr);
    std::vector<std::string> messages;
    for (int m = 1; m <= status.GetMessageCount(); ++m)
      messages.push_back(status.GetMessage(m));
    EXPECT_STREQ(tests[i]->ClassName(), want.test);
    EXPECT_EQ(status.GetState(), want.state) << want.test;
    EXPECT_EQ(messages, want.messages) << want.test;
    if (want.line) {
      EXPECT_EQ(std::string(status.GetMessageFile(1)) + ":" +
                    std::to_string(status.GetMessageLine(1)),
                tests[i]->SourceFile() + (":" + std::to_string(want.line)));
    }
  }
}
