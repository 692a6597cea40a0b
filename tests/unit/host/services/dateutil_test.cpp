// Unit tests of korhost's date and time formatting.
#include "host/services/dateutil.h"
#include "component/ikordate.h"
#include "component/ikortime.h"
#include "KorBasicTypes/korstring.h"
#include "tests/unit/support/hostfixture.h"

namespace {
/// 2024-05-06 14:03:07.
class FixedMoment : public IKorDate, public IKorTime {
public:
  KOR_CLASS(FixedMoment, IKorDate, IKorTime)
  int Year() override { return 2024; }
  int Month() override { return 5; }
  int Day() override { return 6; }
  int Hour() override { return 14; }
  int Minute() override { return 3; }
  int Second() override { return 7; }
  void SetToday() override {}
  void SetNow() override {}
};

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

TEST(DateUtil, FormatsTheObjectsItIsGiven) {
  ScopedEnvironment zone;
  zone.set("TZ", "UTC0");
  FixedMoment moment;
  const std::tuple<IKorDate *, IKorTime *, const char16_t *> cases[] = {
      {&moment, &moment, u"2024-05-06T14:03:07+00:00"},
      {&moment, nullptr, u"2024-05-06"},
      {nullptr, &moment, u"14:03:07"},
      {nullptr, nullptr, u""}};
  for (auto [date, time, want] : cases) {
    KorString text(u"old");
    HostDateUtil().FormatDateTime(text, date, time);
    EXPECT_EQ(text.view(), want);
  }
}
} // namespace
