// Unit tests of the log-service router.
#include "tests/unit/support/hostfixture.h"
#include "results/genlogserviceresultsrouter.h"
#include "tests/unit/support/resultsfakes.h"

class LogServiceRouterTest : public HostManagerTest {};

TEST_F(LogServiceRouterTest, PassesTheWholeOutputAsOneKindZeroMessage) {
  GenLogServiceResultsRouter router;
  FixedFormatter formatter(u"two\nlines \u00e9");
  router.Route(&formatter);
  ASSERT_EQ(errors_->reports.size(), 1u);
  EXPECT_EQ(errors_->reports[0].message, u"two\nlines \u00e9");
  EXPECT_EQ(errors_->reports[0].severity, 0);
  EXPECT_EQ(errors_->reports[0].source, "");
}

TEST(LogServiceRouter, DoesNothingWithoutTheService) {
  GenLogServiceResultsRouter router;
  FixedFormatter formatter(u"lost");
  router.Route(&formatter); // no host: nothing to call, nothing to crash
  router.Route(nullptr);
}
