// Unit tests of the debugger-output router.
#include "results/gendebugstreamresultsrouter.h"
#include "tests/unit/support/resultsfakes.h"
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {
/// Points KORTEST_DEBUG_FD at a temporary file for one test.
class DebugRouterTest : public ::testing::Test {
protected:
  void SetUp() override {
    file_ = std::tmpfile();
    ASSERT_NE(file_, nullptr);
    setenv("KORTEST_DEBUG_FD", std::to_string(fileno(file_)).c_str(), 1);
  }
  void TearDown() override {
    unsetenv("KORTEST_DEBUG_FD");
    std::fclose(file_);
  }
  std::string written() {
    std::string bytes;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;)
      bytes += char(c);
    return bytes;
  }
  FILE *file_ = nullptr;
};
} // namespace

TEST_F(DebugRouterTest, WritesTheUtf8TextWholeToTheNamedDescriptor) {
  EXPECT_EQ(korDebugChannel(), KorDebugChannel::Descriptor);
  GenDebugStreamResultsRouter router;
  FixedFormatter formatter(u"a(1) : T : \u00e9\u4e2d\nb");
  router.Route(&formatter);
  EXPECT_EQ(written(), "a(1) : T : \xc3\xa9\xe4\xb8\xad\nb");
}

TEST_F(DebugRouterTest, ADescriptorThatIsNotOpenIsNotUsed) {
  setenv("KORTEST_DEBUG_FD", "987", 1);
  EXPECT_NE(korDebugChannel(), KorDebugChannel::Descriptor);
  setenv("KORTEST_DEBUG_FD", "3x", 1);
  EXPECT_NE(korDebugChannel(), KorDebugChannel::Descriptor);
}
