//===- testservicebridge.cpp - Services that loaded components provide ----===//
#include "host/services/testservicebridge.h"
#include "host/services/componentmanager.h"

bool registerComponentServices(HostComponentManager &manager) {
  for (const auto &loaded : manager.components()) {
    IKorUnknown *object = nullptr;
    if (loaded->component->CreateObject(kTestServiceClassId, &object) == 0 ||
        !object)
      continue;
    void *service = nullptr;
    object->QueryInterface("IKorTestService", &service, 0);
    if (!service) {
      // A new instance nobody else holds: take and drop a reference so it
      // is destroyed.
      object->AddRef();
      object->Release();
      continue;
    }
    manager.RegisterService("IKorTestService", object);
    return true;
  }
  return false;
}
