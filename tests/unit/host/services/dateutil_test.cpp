// Unit tests of korhost's date and time formatting (the XML reports of
// kortest_reports.sh write it through the date service).
#include "host/services/dateutil.h"
#include "tests/unit/support/hostfixture.h"

namespace {
TEST(DateUtil, WritesIso8601LocalTimeWithItsOffset) {
  const char *us = "EST5EDT,M3.2.0,M11.1.0";
  struct Case {
    const char *zone;
    int month, day, hour;
    const char *text;
  } cases[] = {{"UTC0", 5, 6, 14, "2024-05-06T14:03:07+00:00"},
               {us, 1, 15, 9, "2024-01-15T09:03:07-05:00"},
               {us, 7, 15, 9, "2024-07-15T09:03:07-04:00"},
               {"IST-5:30", 12, 31, 23, "2024-12-31T23:03:07+05:30"}};
  for (const Case &c : cases) {
    ScopedEnvironment zone;
    zone.set("TZ", c.zone);
    EXPECT_EQ(hostIsoLocalDateTime(2024, c.month, c.day, c.hour, 3, 7), c.text);
  }
}
} // namespace
