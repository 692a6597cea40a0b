//===- gtest_trivial.cpp - The GoogleTest peer: 10,000 trivial tests ------===//
//
// The same load as the trivial test component, 100 suites of 100 tests,
// registered with testing::RegisterTest in a loop and run with
// --gtest_output=xml.
//
//===----------------------------------------------------------------------===//
#include <cstdio>
#include <gtest/gtest.h>

#ifndef KORBENCH_SUITE_COUNT
#define KORBENCH_SUITE_COUNT 100
#endif
#ifndef KORBENCH_TESTS_PER_SUITE
#define KORBENCH_TESTS_PER_SUITE 100
#endif

namespace {
class TrivialTest : public testing::Test {
public:
  void TestBody() override { EXPECT_EQ(1 + 1, 2); }
};
} // namespace

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int s = 1; s <= KORBENCH_SUITE_COUNT; ++s) {
    char suite[32];
    std::snprintf(suite, sizeof suite, "TrivialSuite%03d", s);
    for (int t = 1; t <= KORBENCH_TESTS_PER_SUITE; ++t) {
      char name[32];
      std::snprintf(name, sizeof name, "TrivialTest%05d",
                    (s - 1) * KORBENCH_TESTS_PER_SUITE + t);
      testing::RegisterTest(
          suite, name, nullptr, nullptr, __FILE__, __LINE__,
          []() -> testing::Test * { return new TrivialTest; });
    }
  }
  return RUN_ALL_TESTS();
}
