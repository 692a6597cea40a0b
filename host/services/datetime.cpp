//===- datetime.cpp - The host's date and time-of-day objects -------------===//
#include "host/services/datetime.h"
#include "host/services/hostservices.h"
#include <ctime>

namespace {
std::tm localNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}
} // namespace

void HostDate::SetToday() {
  std::tm local = localNow();
  year_ = local.tm_year + 1900;
  month_ = local.tm_mon + 1;
  day_ = local.tm_mday;
}

void HostTime::SetNow() {
  std::tm local = localNow();
  hour_ = local.tm_hour;
  minute_ = local.tm_min;
  second_ = local.tm_sec;
}

KORHOST_SERVICE("IKorDate", [](const HostOptions &) { return new HostDate; });
KORHOST_SERVICE("IKorTime", [](const HostOptions &) { return new HostTime; });
