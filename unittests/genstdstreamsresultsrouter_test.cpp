// Unit tests of the standard-output router.
#include "results/genstdstreamsresultsrouter.h"
#include "resultsfakes.h"
#include <gtest/gtest.h>
#include <iostream>

TEST(StdStreamsRouter, WritesTheNarrowTextAsIsWithoutTheStringService) {
  GenStdStreamsResultsRouter router;
  FixedFormatter formatter(u"line one\nend \u00e9t\u00e9");
  ::testing::internal::CaptureStdout();
  router.Route(&formatter);
  router.Route(&formatter);
  std::cout.flush();
  // Without the host's string support only ASCII is kept; no line end is
  // added between the two routes.
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "line one\nend tline one\nend t");
}
