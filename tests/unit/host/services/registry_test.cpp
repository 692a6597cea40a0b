// Unit tests of the host registry: keys are settings-file sections and
// their values come in file order.
#include "host/services/registry.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/hostfixture.h"

namespace {
using Values = std::vector<std::string>;

/// The values of `key` in the registry's order, or "<no key>".
Values valuesOf(const char *key) {
  IPtr<Tarnwell::IKorRegIter> it(HostRegistry().GetValueIterator(key));
  if (!it)
    return {"<no key>"};
  Values values;
  for (it->First(); !it->IsDone(); it->Next())
    values.push_back(it->CurrentValue());
  it->Next(); // past the end it stays done
  EXPECT_TRUE(it->IsDone());
  EXPECT_STREQ(it->CurrentValue(), "");
  it->First();
  EXPECT_EQ(it->IsDone(), values.empty());
  return values;
}

TEST(HostRegistry, KeyListsItsSectionsLastValuesInFirstOrder) {
  std::optional<ScopedHost> host(std::in_place);
  auto *settings = host->offer("IDataStore", new HostSettingsStore);
  ASSERT_EQ(settings->loadText("[KorTest]\nzeta = 1,2\nalpha = 2\nzeta = 3\n"
                               "[Other]\nx = y\n"),
            0);
  settings->set("KorTest/beta", "4");
  const std::pair<const char *, Values> cases[] = {
      {"KorTest", {"3", "2", "4"}}, {"Other", {"y"}},
      {"Missing", {"<no key>"}}, {"", {"<no key>"}}};
  for (const auto &[key, values] : cases)
    EXPECT_EQ(valuesOf(key), values) << key;
  host.reset();
  EXPECT_EQ(valuesOf("KorTest"), Values{"<no key>"}) << "no settings store";
}
} // namespace
