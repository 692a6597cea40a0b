// Pins the slot positions of the object-model and host-contract interfaces.
#include "component/idatastore.h"
#include "component/ikorasserthandlercb.h"
#include "component/ikorcomponent.h"
#include "component/ikorcomponentmanager.h"
#include "component/ikordatareceiver.h"
#include "component/ikordirservice.h"
#include "component/ikorerrorservice.h"
#include "component/ikormmanager.h"
#include "frame/ikortestservice.h"
#include "tests/unit/support/slotcheck.h"
#include <gtest/gtest.h>

TEST(InterfaceSlots, IKorUnknownAfterTheTwoDestructorEntries) {
  // Slot 0 is the destructor, which takes two entries under this ABI.
  EXPECT_SLOT(&IKorUnknown::AddRef, 2);
  EXPECT_SLOT(&IKorUnknown::Release, 3);
  EXPECT_SLOT(&IKorUnknown::ReleaseNoDelete, 4);
  EXPECT_SLOT(&IKorUnknown::RefCount, 5);
  EXPECT_SLOT(&IKorUnknown::GetWeakRef, 6);
  EXPECT_SLOT(&IKorUnknown::QueryInterface, 7);
  EXPECT_SLOT(&IKorUnknown::ClassName, 8);
}

TEST(InterfaceSlots, HostContracts) {
  EXPECT_SLOT(&IKorComponentManager::LoadComponent, 0);
  EXPECT_SLOT(&IKorComponentManager::RegisterService, 3);
  EXPECT_SLOT(&IKorComponentManager::LookupService, 6);
  EXPECT_SLOT(&IKorComponentManager::LastError, 9);
  EXPECT_SLOT(&IKorComponentManager::IncrementCount, 10);
  EXPECT_SLOT(&IKorComponentManager::DecrementCount, 11);
  EXPECT_SLOT(&IKorComponentManager::GetInstanceObject, 12);
  EXPECT_SLOT(&IDataStore::GetBool, 10);
  EXPECT_SLOT(&IDataStore::GetDouble, 12);
  EXPECT_SLOT(&IDataStore::GetString, 16);
  EXPECT_SLOT(&IDataStore::Watch, 35);
  EXPECT_SLOT(&IKorErrorService::Report, 2);
  EXPECT_SLOT(&IKorAssertHandlerCB::HandleAssert, 0);
  EXPECT_SLOT(&IKorDataReceiver::OnDataChanged, 0);
  EXPECT_SLOT(&IKorDirService::GetDirectory, 0);
  // The memory manager's operations are counted from 1.
  EXPECT_SLOT(&KorMM::IKorMManager::ReleaseMemory, 3);
  EXPECT_SLOT(&KorMM::IKorMManager::CoreLimit, 10);
  EXPECT_SLOT(&KorMM::IKorMManager::SwapLimit, 11);
  EXPECT_SLOT(&KorMM::IKorMManager::SwapNow, 12);
  EXPECT_SLOT(&KorMM::IKorMManager::CoreNow, 17);
}

TEST(InterfaceSlots, ComponentFaces) {
  EXPECT_SLOT(&IKorComponent::SetComponentManager, 0);
  EXPECT_SLOT(&IKorComponent::CreateObject, 2);
  EXPECT_SLOT(&IKorComponent::Reserved5, 5);
  EXPECT_SLOT(&IKorCompInternal::ComponentId, 2);
  EXPECT_SLOT(&IKorCompInternal::ClassCount, 5);
  EXPECT_SLOT(&IKorCompInternal::ClassNameOf, 8);
  EXPECT_SLOT(&IKorCompInternal::OffersTests, 9);
  EXPECT_SLOT(&IKorCompInternal::RegisterTests, 10);
  EXPECT_SLOT(&IKorCompInternal::BreakEnabled, 14);
  EXPECT_SLOT(&IKorTestService::AddTest, 0);
  EXPECT_SLOT(&IKorTestService::RunTests, 7);
  EXPECT_SLOT(&IKorTestService::LoadTestComponents, 8);
}
