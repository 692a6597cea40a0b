// Unit tests of the host clock: slot positions and the stopwatch rules.
#include "host/services/clock.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

TEST(HostClock, ContractSlots) {
  EXPECT_SLOT(&IKorClock::Start, 1);
  EXPECT_SLOT(&IKorClock::Stop, 2);
  EXPECT_SLOT(&IKorClock::Elapsed, 4);
}

TEST(HostClock, ElapsedIsThatOfTheLastStartStop) {
  HostClock clock;
  EXPECT_EQ(clock.Elapsed(), 0.0);
  clock.Stop(); // a stop without a start changes nothing
  EXPECT_EQ(clock.Elapsed(), 0.0);
  clock.Start();
  clock.Stop();
  double first = clock.Elapsed();
  EXPECT_GE(first, 0.0);
  clock.Stop(); // a second stop keeps the measured span
  EXPECT_EQ(clock.Elapsed(), first);
}
