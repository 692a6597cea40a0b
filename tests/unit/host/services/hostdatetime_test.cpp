// Unit tests of the host's date, time and product information services.
#include "host/services/datetime.h"
#include "KorBasicTypes/korcstring.h"
#include "host/services/productinfo.h"
#include "tests/unit/support/slotcheck.h"
#include <ctime>
#include <gtest/gtest.h>
#include <string>

TEST(HostDateTime, ContractSlots) {
  EXPECT_SLOT(&IKorDate::SetToday, 10);
  EXPECT_SLOT(&IKorTime::SetNow, 6);
  EXPECT_SLOT(&IProductInfo::GetProductInfo, 9);
}

namespace {
int dayNumber(const std::tm &t) {
  return (t.tm_year + 1900) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday;
}
std::tm localAt(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}
} // namespace

TEST(HostDateTime, SetToNowGivesLocalCalendarFields) {
  HostDate date;
  HostTime time;
  std::tm before = localAt(std::time(nullptr));
  date.SetToday();
  time.SetNow();
  std::tm after = localAt(std::time(nullptr));
  int day = date.Year() * 10000 + date.Month() * 100 + date.Day();
  // A run across midnight may see either day.
  EXPECT_TRUE(day == dayNumber(before) || day == dayNumber(after)) << day;
  int seconds = time.Hour() * 3600 + time.Minute() * 60 + time.Second();
  int first = before.tm_hour * 3600 + before.tm_min * 60 + before.tm_sec;
  int last = after.tm_hour * 3600 + after.tm_min * 60 + after.tm_sec;
  EXPECT_TRUE((seconds >= first && seconds <= last) || last < first) << seconds;
}

TEST(HostProductInfo, NamesKorhostAndItsVersion) {
  HostProductInfo info;
  KorCString text = info.GetProductInfo();
  EXPECT_EQ(std::string(text.c_str()).rfind("korhost ", 0), 0u) << text.c_str();
  EXPECT_GT(text.length(), 8);
  EXPECT_FALSE(text.isOwned());
}
