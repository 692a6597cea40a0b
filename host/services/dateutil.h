//===- dateutil.h - The host's date and time formatting -------------------===//
#pragma once
#include "component/ikordateutil.h"
#include <string>

/// The host's IKorDateUtil: ISO 8601 local date and time.
class HostDateUtil : public IKorDateUtil {
public:
  KOR_CLASS(HostDateUtil, IKorDateUtil)
  /// "2024-05-06T14:03:07+02:00": the date, "T", the time of day and the
  /// local offset from UTC at that moment. Without a date only the time is
  /// written, without a time only the date, without both nothing.
  void FormatDateTime(KorString &out, IKorDate *date, IKorTime *time) override;
};

/// The ISO 8601 text of a local date and time of day with its UTC offset.
std::string hostIsoLocalDateTime(int year, int month, int day, int hour,
                                 int minute, int second);
