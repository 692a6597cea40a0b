// Unit tests of korhost's date and time formatting.
#include "host/services/dateutil.h"
#include "component/ikordate.h"
#include "component/ikortime.h"
#include "KorBasicTypes/korstring.h"
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace {
class FixedDate : public IKorDate {
public:
  KOR_CLASS(FixedDate, IKorDate)
  int Year() override { return 2024; }
  int Month() override { return 5; }
  int Day() override { return 6; }
  void SetToday() override {}
};

class FixedTime : public IKorTime {
public:
  KOR_CLASS(FixedTime, IKorTime)
  int Hour() override { return 14; }
  int Minute() override { return 3; }
  int Second() override { return 7; }
  void SetNow() override {}
};

/// Runs the test under one time zone and restores the previous one.
class DateUtilTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (const char *tz = std::getenv("TZ"))
      saved_ = tz, hadTz_ = true;
  }
  void TearDown() override {
    hadTz_ ? setenv("TZ", saved_.c_str(), 1) : unsetenv("TZ");
    tzset();
  }
  void zone(const char *tz) {
    setenv("TZ", tz, 1);
    tzset();
  }
  std::string saved_;
  bool hadTz_ = false;
};
} // namespace

TEST_F(DateUtilTest, WritesIso8601LocalTimeWithItsOffset) {
  zone("UTC0");
  EXPECT_EQ(hostIsoLocalDateTime(2024, 5, 6, 14, 3, 7),
            "2024-05-06T14:03:07+00:00");
  zone("EST5EDT,M3.2.0,M11.1.0");
  EXPECT_EQ(hostIsoLocalDateTime(2024, 1, 15, 9, 30, 0),
            "2024-01-15T09:30:00-05:00");
  EXPECT_EQ(hostIsoLocalDateTime(2024, 7, 15, 9, 30, 0),
            "2024-07-15T09:30:00-04:00");
}

TEST_F(DateUtilTest, FormatsTheObjectsItIsGiven) {
  zone("UTC0");
  HostDateUtil util;
  FixedDate date;
  FixedTime time;
  KorString text;
  util.FormatDateTime(text, &date, &time);
  EXPECT_EQ(text.view(), u"2024-05-06T14:03:07+00:00");
  util.FormatDateTime(text, &date, nullptr);
  EXPECT_EQ(text.view(), u"2024-05-06");
  util.FormatDateTime(text, nullptr, &time);
  EXPECT_EQ(text.view(), u"14:03:07");
  util.FormatDateTime(text, nullptr, nullptr);
  EXPECT_TRUE(text.isEmpty());
}
