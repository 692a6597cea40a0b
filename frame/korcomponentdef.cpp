//===- korcomponentdef.cpp - A component's identity and its EntryPoint ----===//
#include "frame/korcomponentdef.h"
#include "frame/korbasecomponent.h"
#include "frame/korbreakflag.h"
#include "component/korcomponentstate.h"
#include "frame/kordefaultclassfactory.h"

namespace {
IKorComponentFactory *gFactory = nullptr;
IKorComponent *gComponent = nullptr;

/// Creates TestComponent objects for EntryPoint.
class KorStaticBaseComponentFact : public IKorComponentFactory {
public:
  IKorComponent *CreateComponent() override { return new TestComponent; }
};
} // namespace

IKorComponentFactory *korComponentFactory() { return gFactory; }
IKorComponent *korComponentObject() { return gComponent; }

void korDefineComponent(const char *name, const KorGuid &id,
                        IKorComponentCustomizer *customizer) {
  korSetComponentName(name);
  korSetInstanceName("");
  korSetComponentId(id);
  KorDefaultClassFactory::instance();
  korSetComponentCustomizer(customizer);
  gFactory = new KorStaticBaseComponentFact;
  korBreakEnabled();
}

int32_t korEntryPoint(uint32_t *version, void **component) {
  if (!component)
    return 0;
  if (!gFactory)
    return 0;
  try {
    gComponent = gFactory->CreateComponent();
    *component = gComponent;
    if (version)
      *version = 100;
    return 1;
  } catch (...) {
    if (version)
      *version = 0;
    *component = nullptr;
    return 0;
  }
}
