//===- testassertcb.cpp - Records application assertions against the test ===//
#include "testservice/testassertcb.h"
#include "component/ikorcomponentmanager.h"
#include "frame/ikorteststatus.h"
#include "component/korcomponentstate.h"

void TestAssertCB::HandleAssert(const char *text, const char *file, int line) {
  if (chain_ && previous_)
    previous_->HandleAssert(text, file, line);
  if (status_)
    status_->OnAssert(text, file, line);
  assertSeen_ = true;
}

bool TestAssertCB::install(IPtr<TestAssertCB> &held) {
  SPtr<IKorAssertHandlerCB> current;
  if (held && current.get() == static_cast<IKorAssertHandlerCB *>(held.get()))
    return false;
  IPtr<TestAssertCB> hook(new TestAssertCB);
  hook->setPrevious(current.get());
  if (IKorComponentManager *manager = korComponentManager())
    manager->RegisterService(IKorAssertHandlerCB::kInterfaceName,
                             static_cast<IKorUnknown *>(hook.get()));
  held = hook;
  return true;
}
