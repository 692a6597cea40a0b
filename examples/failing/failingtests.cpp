//===- failingtests.cpp - A test component whose tests do not all pass ----===//
//
// One suite with a passing, a failing, an aborting and a disabled test, and
// a last test that fails with its first random draw as the message (the
// draw a seed gives, to repeat a randomized run): the shape of a test
// component (korframe, an identity, a customizer that creates its suites)
// and the run's outcomes other than success. It is built into its own
// plugin folder so that the default run does not load it.
//
//===----------------------------------------------------------------------===//
#include "frame/korcomponentdef.h"
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

/// Creates the suite once the host has handed over its manager.
class FailingCustomizer : public IKorComponentCustomizer {
public:
  bool OnManagerHandedOver(IKorComponentManager *) override {
    korCreateSuite<FailingSuite>();
    return true;
  }
  bool Customize() override { return true; }
};
} // namespace

KOR_DEFINE_COMPONENT("korfailing", FailingCustomizer, 0xE9EADC63, 0x1523,
                     0x4D6D, 0xA2, 0x81, 0x97, 0xF0, 0xD9, 0xE2, 0xDD, 0xEB)
