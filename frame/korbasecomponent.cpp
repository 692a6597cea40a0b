//===- korbasecomponent.cpp - The component object EntryPoint hands out ---===//
#include "frame/korbasecomponent.h"
#include "component/ikorcomponentmanager.h"
#include "component/ikorerrorservice.h"
#include "frame/ikortestservice.h"
#include "component/iptr.h"
#include "frame/korbreakflag.h"
#include "component/korcomponentstate.h"
#include "frame/kordefaultclassfactory.h"
#include "frame/kortestregistry.h"

void KorBaseComponent::QueryInterface(const char *name, void **result, int) {
  if (!name)
    return;
  *result = nullptr;
  if (std::strcmp(name, kClassName) == 0)
    *result = this;
  else if (std::strcmp(name, "IKorUnknown") == 0)
    *result = static_cast<IKorUnknown *>(static_cast<IKorComponent *>(this));
  else if (std::strcmp(name, IKorComponent::kInterfaceName) == 0)
    *result = static_cast<IKorComponent *>(this);
  else if (std::strcmp(name, IKorCompInternal::kInterfaceName) == 0)
    *result = static_cast<IKorCompInternal *>(this);
}

bool KorBaseComponent::SetComponentManager(IKorComponentManager *manager) {
  korSetComponentManager(manager);
  IKorComponentCustomizer *customizer = korComponentCustomizer();
  return customizer ? customizer->OnManagerHandedOver(manager) : false;
}

bool KorBaseComponent::Customize() {
  IKorComponentCustomizer *customizer = korComponentCustomizer();
  return customizer ? customizer->Customize() : false;
}

int KorBaseComponent::CreateObject(const KorGuid &classId,
                                   IKorUnknown **object) {
  return KorDefaultClassFactory::instance().Create(classId, object);
}

const void *KorBaseComponent::HostConstant() {
  static const int constant = 0;
  return &constant;
}

const KorGuid *KorBaseComponent::ComponentId() { return &korComponentId(); }
const char *KorBaseComponent::ComponentName() { return korComponentName(); }
int KorBaseComponent::ClassCount() {
  return KorDefaultClassFactory::instance().Count();
}
bool KorBaseComponent::FirstClassId(KorGuid *id) {
  return KorDefaultClassFactory::instance().First(id);
}
bool KorBaseComponent::NextClassId(KorGuid *id) {
  return KorDefaultClassFactory::instance().Next(id);
}
const char *KorBaseComponent::ClassNameOf(const KorGuid &id) {
  return KorDefaultClassFactory::instance().ClassNameOf(id);
}

/// Reports a missing test sink: the fixed text, then the manager's own
/// account of the failure as a one-character text.
static void reportMissingSink() {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  errors->Report(u"Unable to get test service", 1, "");
  IKorComponentManager *manager = korComponentManager();
  const KorWChar detail[2] = {
      static_cast<KorWChar>(manager ? manager->LastError() & 0xFF : 0), 0};
  errors->Report(detail, 1, "");
}

void KorBaseComponent::RegisterTests(IKorTestService *sink) {
  static bool busy = false;
  if (busy)
    return;
  busy = true;
  if (!sink) {
    reportMissingSink();
  } else {
    KorArray<IKorTest *> &registry = korTestRegistry();
    for (uint32_t i = 1; i <= registry.count(); ++i)
      sink->AddTest(registry[i]);
  }
  busy = false;
}

void KorBaseComponent::SetInstanceName(const char *name) {
  korSetInstanceName(name);
}
const char *KorBaseComponent::InstanceName() {
  return korInstanceName().c_str();
}
void KorBaseComponent::SetBreakEnabled(uint8_t enabled) {
  korBreakEnabled() = enabled != 0;
}
uint8_t KorBaseComponent::BreakEnabled() { return korBreakEnabled() ? 1 : 0; }
