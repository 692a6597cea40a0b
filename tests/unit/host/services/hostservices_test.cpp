// Unit tests of korhost's service table, and the slot positions of the
// contracts its services implement.
#include "host/cli/hostoptions.h"
#include "host/services/clock.h"
#include "host/services/datetime.h"
#include "host/services/hostservices.h"
#include "host/services/productinfo.h"
#include "host/services/registry.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

namespace {
class MarkedService : public IKorUnknown {
public:
  KOR_CLASS(MarkedService)
  explicit MarkedService(int mark) : mark(mark) {}
  int mark;
};

/// The mark of a service made by `entry`, which is then deleted.
int markMadeBy(const HostServiceEntry &entry, const HostOptions &options) {
  IKorUnknown *service = makeHostService(entry, options);
  int mark = static_cast<MarkedService *>(service)->mark;
  delete service;
  return mark;
}

HostServiceEntry marking(const char *name, int mark) {
  return {name,
          [mark](const HostOptions &) { return new MarkedService(mark); }};
}

TEST(HostServices, AnOverrideReplacesItsServiceOnlyWhenItApplies) {
  registerHostServiceOverride(
      "TestOverriddenService",
      [](const HostOptions &options) { return !options.headless; },
      [](const HostOptions &) { return new MarkedService(2); });
  HostOptions options;
  EXPECT_EQ(markMadeBy(marking("TestOverriddenService", 1), options), 2);
  EXPECT_EQ(markMadeBy(marking("TestOtherService", 3), options), 3);
  options.headless = true;
  EXPECT_EQ(markMadeBy(marking("TestOverriddenService", 1), options), 1);
}

TEST(HostServices, ContractSlots) {
  EXPECT_SLOT(&IKorClock::Start, 1);
  EXPECT_SLOT(&IKorClock::Stop, 2);
  EXPECT_SLOT(&IKorClock::Elapsed, 4);
  EXPECT_SLOT(&IKorDate::SetToday, 10);
  EXPECT_SLOT(&IKorTime::SetNow, 6);
  EXPECT_SLOT(&IProductInfo::GetProductInfo, 9);
  EXPECT_SLOT(&Tarnwell::IKorRegistry::GetValueIterator, 6);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::First, 1);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::Next, 2);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::IsDone, 3);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::CurrentValue, 4);
  EXPECT_STREQ(korNameOf<Tarnwell::IKorRegistry>(), "IKorRegistry");
}
} // namespace
