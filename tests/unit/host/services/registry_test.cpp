// Unit tests of the host registry: keys are settings-file sections and
// their values come in file order.
#include "host/services/registry.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/hostfixture.h"

namespace {
class HostRegistryTest : public HostManagerTest {};
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

TEST_F(HostRegistryTest, KeyListsItsSectionsLastValuesInFirstOrder) {
  auto *settings = new HostSettingsStore;
  manager_->RegisterService("IDataStore", settings);
  ASSERT_EQ(settings->loadText("[KorTest]\nzeta = 1,2\nalpha = 2\nzeta = 3\n"
                               "[Other]\nx = y\n"),
            0);
  settings->set("KorTest/beta", "4");
  EXPECT_EQ(valuesOf("KorTest"), (Values{"3", "2", "4"}));
  EXPECT_EQ(valuesOf("Other"), Values{"y"});
  EXPECT_EQ(valuesOf("Missing"), Values{"<no key>"});
  EXPECT_EQ(valuesOf(""), Values{"<no key>"});
  korSetComponentManager(nullptr);
  EXPECT_EQ(valuesOf("KorTest"), Values{"<no key>"}) << "no settings store";
  korSetComponentManager(manager_);
}
} // namespace
