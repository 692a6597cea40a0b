//===- failingtests.cpp - A test component whose tests do not all pass ----===//
//
// One suite with a passing, a failing, an aborting and a disabled test, and
// a last test that fails with its first random draw as the message (the
// draw a seed gives, to repeat a randomized run): the run's outcomes other
// than success, and the exit status korhost gives them. Its CMakeLists.txt
// builds it with kortest_add_test_component() into a plugin folder of its
// own, so the default run of korhost does not load it.
//
//===----------------------------------------------------------------------===//
#include "frame/korsuiteregistration.h"
#include "frame/kortestdecl.h"
#include <cstdlib>
#include <string>

namespace {
class FailingSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(FailingSuite, "Failing Suite")

  KOR_TEST(PassingTest, "Passing Test", "EXAMPLE") {
    TEST_ASSERT_EQUALS(2 + 2, 4);
  }
  KOR_TEST(FailingTest, "Failing Test", "EXAMPLE") {
    TEST_ASSERT_EQUALS(2 + 2, 5);
  }
  KOR_TEST(AbortingTest, "Aborting Test", "EXAMPLE") {
    TEST_ABORT("the fixture could not be built");
  }
  KOR_TEST_DISABLED(UnfinishedTest, "Unfinished Test", "EXAMPLE",
                    "not written yet") {
    TEST_FAIL("never runs");
  }
  KOR_TEST(DrawReportTest, "Draw Report Test", "EXAMPLE") {
    TEST_FAIL("first draw " + std::to_string(std::rand()));
  }
};
} // namespace

KOR_REGISTER_SUITE(FailingSuite);
