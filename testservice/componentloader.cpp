//===- componentloader.cpp - Loads the test components the registry names -===//
#include "testservice/componentloader.h"
#include "KorBasicTypes/translate.h"
#include "component/ikorcomponent.h"
#include "component/ikorcomponentmanager.h"
#include "component/ikorerrorservice.h"
#include "component/ikorregistry.h"
#include "component/iptr.h"
#include "frame/ikortestservice.h"
#include "testservice/registryvalue.h"

namespace {
/// Tells the user that the component a registry value names did not load.
void reportUnloadedComponent(const char *valueText) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  KorString message =
      korTranslate("Unable to load component with id %1", KorString(valueText));
  errors->Report(message.data(), 1, "");
}

/// Lets a loaded component register its tests with the sink, when it
/// offers tests.
void registerTestsOf(IKorComponent *component, IKorTestService *sink) {
  IPtr<IKorCompInternal> internal(component);
  if (internal && internal->OffersTests())
    internal->RegisterTests(sink);
}
} // namespace

void TestComponentLoader::loadOnce() {
  if (loaded_)
    return;
  loaded_ = true; // whatever happens below, nothing is retried
  SPtr<Tarnwell::IKorRegistry> registry;
  if (!registry)
    return;
  IPtr<Tarnwell::IKorRegIter> values(registry->GetValueIterator("KorTest"));
  if (!values)
    return;
  SPtr<IKorComponentManager> manager;
  if (!manager)
    return;
  SPtr<IKorTestService> service;

  for (values->First(); !values->IsDone(); values->Next()) {
    const char *text = values->CurrentValue();
    KorGuid id;
    bool complete = parseRegistryComponentId(text, id) == 11;
    IKorComponent *component = nullptr;
    if (manager->LoadComponent(id, "", &component) != 0) {
      if (component)
        registerTestsOf(component, service.get());
      if (!complete)
        ++failures_;
    } else {
      reportUnloadedComponent(text);
      ++failures_;
    }
  }
}
