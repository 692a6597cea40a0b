// Slot positions of the contracts korhost's services implement. Which
// service an override puts in place is checked end to end: dialog.sh shows the
// Qt dialog with a display and maps no Qt library without one.
#include "component/iptr.h"
#include "host/services/clock.h"
#include "host/services/datetime.h"
#include "host/services/memorymanager.h"
#include "host/services/productinfo.h"
#include "host/services/registry.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

namespace {
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
TEST(HostMemoryManager, CountsPagesAndReadsTheProcessFigures) {
  IPtr<HostMemoryManager> manager(new HostMemoryManager);
  void *page = manager->AllocPage(4096);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(manager->pagesInUse(), 1u);
  manager->FreePage(page, 4096);
  manager->FreePage(nullptr, 4096);
  EXPECT_EQ(manager->pagesInUse(), 0u);
  // Resident memory (in blocks) is above 0 and within the machine's.
  EXPECT_GT(manager->CoreNow(), 0u);
  EXPECT_LE(manager->CoreNow(), manager->CoreLimit());
  EXPECT_LE(manager->SwapNow(), manager->SwapLimit());
}
} // namespace
