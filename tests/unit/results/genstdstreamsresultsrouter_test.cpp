// Unit tests of the standard-output router.
#include "tests/unit/support/hostfixture.h"
#include "results/genstdstreamsresultsrouter.h"
#include "tests/unit/support/resultsfakes.h"
#include "host/services/strsupport.h"
#include <gtest/gtest.h>
#include <iostream>

namespace {
std::string routeTwice(const KorWChar *text) {
  GenStdStreamsResultsRouter router;
  FixedFormatter formatter(text);
  ::testing::internal::CaptureStdout();
  router.Route(&formatter);
  router.Route(&formatter);
  std::cout.flush();
  return ::testing::internal::GetCapturedStdout();
}
} // namespace

TEST(StdStreamsRouter, WithoutTheStringServiceOnlyAsciiIsWritten) {
  // No line end is added between the two routes.
  EXPECT_EQ(routeTwice(u"line one\nend \u00e9t\u00e9"),
            "line one\nend tline one\nend t");
}

class StdStreamsRouterTest : public HostManagerTest {};

TEST_F(StdStreamsRouterTest, TheHostStringServiceKeepsEveryCharacter) {
  manager_->RegisterService("IKorStrSupport", new HostStrSupport);
  EXPECT_EQ(routeTwice(u"\u00e9t\u00e9\n"), "\xc3\xa9t\xc3\xa9\n\xc3\xa9t\xc3\xa9\n");
}
