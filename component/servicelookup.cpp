//===- servicelookup.cpp - Finding host services by name ------------------===//
#include "component/servicelookup.h"
#include "component/ikorcomponentmanager.h"
#include "component/korcomponentstate.h"

int korLookupService(const char *name, void **result) {
  IKorComponentManager *manager = korComponentManager();
  if (!manager)
    return 0;
  if (!korInstanceName().empty()) {
    IKorComponentManager *instance =
        manager->GetInstanceObject(korInstanceName().c_str(), 0);
    if (instance && instance->LookupService(name, result) == 1)
      return 1;
  }
  return manager->LookupService(name, result);
}
