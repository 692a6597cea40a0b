// Unit tests of the host registry: keys are settings-file sections and
// their values come in file order.
#include "host/services/componentmanager.h"
#include "component/iptr.h"
#include "component/korcomponentstate.h"
#include "host/services/registry.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
class HostRegistryTest : public testing::Test {
protected:
  void SetUp() override {
    previous_ = korComponentManager();
    manager_ = new HostComponentManager;
    manager_->AddRef();
    korSetComponentManager(manager_);
    settings_ = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings_);
    manager_->RegisterService("IKorRegistry", new HostRegistry);
  }
  void TearDown() override {
    manager_->releaseServices();
    korSetComponentManager(previous_);
    manager_->Release();
  }

  /// The values of `key` as the service "IKorRegistry" lists them.
  std::vector<std::string> valuesOf(const char *key) {
    SPtr<Tarnwell::IKorRegistry> registry;
    EXPECT_TRUE(registry);
    IPtr<Tarnwell::IKorRegIter> iterator(registry->GetValueIterator(key));
    std::vector<std::string> values;
    if (!iterator)
      return {"<no key>"};
    for (iterator->First(); !iterator->IsDone(); iterator->Next())
      values.push_back(iterator->CurrentValue());
    return values;
  }

  IKorComponentManager *previous_ = nullptr;
  HostComponentManager *manager_ = nullptr;
  HostSettingsStore *settings_ = nullptr;
};
} // namespace

TEST_F(HostRegistryTest, KeyListsSectionValuesInFileOrder) {
  ASSERT_EQ(settings_->loadText("[KorTest]\n"
                                "zeta = 1,2,3\n"
                                "alpha = 74372F72,BA35,4766,A9,53,74,13,03,"
                                "A2,38,51\n"
                                "[Other]\n"
                                "x = y\n"),
            0);
  EXPECT_EQ(valuesOf("KorTest"),
            (std::vector<std::string>{
                "1,2,3", "74372F72,BA35,4766,A9,53,74,13,03,A2,38,51"}));
}

TEST_F(HostRegistryTest, MissingKeyGivesNoIterator) {
  ASSERT_EQ(settings_->loadText("[Other]\nx = y\n"), 0);
  EXPECT_EQ(valuesOf("KorTest"), std::vector<std::string>{"<no key>"});
  EXPECT_EQ(valuesOf(""), std::vector<std::string>{"<no key>"});
}

TEST_F(HostRegistryTest, ReassignedNameKeepsItsPlaceAndLastValue) {
  ASSERT_EQ(settings_->loadText("[KorTest]\na = 1\nb = 2\n"), 0);
  settings_->set("KorTest/a", "3");
  EXPECT_EQ(valuesOf("KorTest"), (std::vector<std::string>{"3", "2"}));
}

TEST_F(HostRegistryTest, IteratorPastTheEndStaysDone) {
  ASSERT_EQ(settings_->loadText("[KorTest]\na = 1\n"), 0);
  SPtr<Tarnwell::IKorRegistry> registry;
  IPtr<Tarnwell::IKorRegIter> iterator(registry->GetValueIterator("KorTest"));
  ASSERT_TRUE(iterator);
  iterator->First();
  iterator->Next();
  iterator->Next();
  EXPECT_TRUE(iterator->IsDone());
  EXPECT_STREQ(iterator->CurrentValue(), "");
  iterator->First();
  EXPECT_STREQ(iterator->CurrentValue(), "1");
}

TEST(HostRegistry, NoSettingsStoreGivesNoIterator) {
  IKorComponentManager *previous = korComponentManager();
  korSetComponentManager(nullptr);
  HostRegistry registry;
  EXPECT_EQ(registry.GetValueIterator("KorTest"), nullptr);
  korSetComponentManager(previous);
}

TEST(HostRegistry, ContractSlots) {
  EXPECT_SLOT(&Tarnwell::IKorRegistry::GetValueIterator, 6);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::First, 1);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::Next, 2);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::IsDone, 3);
  EXPECT_SLOT(&Tarnwell::IKorRegIter::CurrentValue, 4);
  EXPECT_STREQ(korNameOf<Tarnwell::IKorRegistry>(), "IKorRegistry");
}
