//===- datetime.h - The host's date and time-of-day objects ---------------===//
//
// korhost registers one IKorDate and one IKorTime object; whoever sets one
// of them to now sets it for every holder.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikordate.h"
#include "component/ikortime.h"

/// A calendar date in the local time zone.
class HostDate : public IKorDate {
public:
  KOR_CLASS(HostDate, IKorDate)
  int Year() override { return year_; }
  int Month() override { return month_; }
  int Day() override { return day_; }
  void SetToday() override;

private:
  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
};

/// A time of day in the local time zone, to the second.
class HostTime : public IKorTime {
public:
  KOR_CLASS(HostTime, IKorTime)
  int Hour() override { return hour_; }
  int Minute() override { return minute_; }
  int Second() override { return second_; }
  void SetNow() override;

private:
  int hour_ = 0;
  int minute_ = 0;
  int second_ = 0;
};
