//===- dateutil.cpp - The host's date and time formatting -----------------===//
#include "host/services/dateutil.h"
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "component/ikordate.h"
#include "component/ikortime.h"
#include "KorBasicTypes/korstring.h"
#include <cstdio>
#include <ctime>

namespace {
/// "+HH:MM" or "-HH:MM": the local offset from UTC at that local moment.
std::string utcOffset(int year, int month, int day, int hour, int minute,
                      int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  if (std::mktime(&local) == std::time_t(-1))
    return {};
  long offset = local.tm_gmtoff / 60;
  char text[32];
  std::snprintf(text, sizeof text, "%c%02ld:%02ld", offset < 0 ? '-' : '+',
                (offset < 0 ? -offset : offset) / 60,
                (offset < 0 ? -offset : offset) % 60);
  return text;
}
} // namespace

std::string hostIsoLocalDateTime(int year, int month, int day, int hour,
                                 int minute, int second) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", year,
                month, day, hour, minute, second);
  return text + utcOffset(year, month, day, hour, minute, second);
}

void HostDateUtil::FormatDateTime(KorString &out, IKorDate *date,
                                  IKorTime *time) {
  char text[40] = "";
  if (date && time) {
    std::string full =
        hostIsoLocalDateTime(date->Year(), date->Month(), date->Day(),
                             time->Hour(), time->Minute(), time->Second());
    out = KorString(full.c_str());
    return;
  }
  if (date)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->Year(),
                  date->Month(), date->Day());
  else if (time)
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time->Hour(),
                  time->Minute(), time->Second());
  out = KorString(text);
}

KORHOST_SERVICE("IKorDateUtil",
                [](const HostOptions &) { return new HostDateUtil; });
