//===- gtest_trivial.cpp - The GoogleTest peer: 10,000 trivial tests ------===//
//
// The same load as the trivial test component, registered with
// testing::RegisterTest in a loop and run with --gtest_output=xml.
//
//===----------------------------------------------------------------------===//
#include <cstdio>
#include <gtest/gtest.h>

#ifndef KORBENCH_TEST_COUNT
#define KORBENCH_TEST_COUNT 10000
#endif

namespace {
class TrivialTest : public testing::Test {
public:
  void TestBody() override { EXPECT_EQ(1 + 1, 2); }
};
} // namespace

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i <= KORBENCH_TEST_COUNT; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "TrivialTest%05d", i);
    testing::RegisterTest("TrivialSuite", name, nullptr, nullptr, __FILE__,
                          __LINE__,
                          []() -> testing::Test * { return new TrivialTest; });
  }
  return RUN_ALL_TESTS();
}
