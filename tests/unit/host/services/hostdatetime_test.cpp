// Unit tests of the host's clock, date and time.
#include "host/services/clock.h"
#include "host/services/datetime.h"
#include <array>
#include <ctime>
#include <gtest/gtest.h>

TEST(HostDateTime, ClockKeepsItsLastSpanAndDateTimeAreLocalNow) {
  HostClock clock;
  clock.Stop(); // a stop without a start changes nothing
  EXPECT_EQ(clock.Elapsed(), 0.0);
  clock.Start();
  clock.Stop();
  double first = clock.Elapsed();
  clock.Stop(); // a second stop keeps the measured span
  EXPECT_EQ(clock.Elapsed(), first);

  HostDate date;
  HostTime time;
  std::time_t now;
  do { // measured again when a second boundary falls in between
    now = std::time(nullptr);
    date.SetToday();
    time.SetNow();
  } while (now != std::time(nullptr));
  std::tm t{};
  localtime_r(&now, &t);
  EXPECT_EQ((std::array{date.Year(), date.Month(), date.Day(), time.Hour(),
                        time.Minute(), time.Second()}),
            (std::array{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                        t.tm_min, t.tm_sec}));
}
