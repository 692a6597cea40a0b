// Unit tests of korhost's service table: overrides replace a service only
// when their condition holds.
#include "host/cli/hostoptions.h"
#include "host/services/hostservices.h"
#include "component/korclass.h"
#include <gtest/gtest.h>

namespace {
class MarkedService : public IKorUnknown {
public:
  KOR_CLASS(MarkedService)
  explicit MarkedService(int mark) : mark(mark) {}
  int mark;
};

int markOf(IKorUnknown *service) {
  int mark = static_cast<MarkedService *>(service)->mark;
  delete service;
  return mark;
}
} // namespace

TEST(HostServices, AnOverrideReplacesItsServiceOnlyWhenItApplies) {
  registerHostServiceOverride(
      "TestOverriddenService",
      [](const HostOptions &options) { return !options.headless; },
      [](const HostOptions &) { return new MarkedService(2); });
  HostServiceEntry plain{"TestOverriddenService", [](const HostOptions &) {
                           return new MarkedService(1);
                         }};
  HostServiceEntry other{"TestOtherService", [](const HostOptions &) {
                           return new MarkedService(3);
                         }};
  HostOptions options;
  EXPECT_EQ(markOf(makeHostService(plain, options)), 2);
  EXPECT_EQ(markOf(makeHostService(other, options)), 3);
  options.headless = true;
  EXPECT_EQ(markOf(makeHostService(plain, options)), 1);
}
