//===- korstrsupport.cpp - The string classes' link to IKorStrSupport -----===//
#include "KorBasicTypes/korstrsupport.h"
#include "component/ikorstrsupport.h"
#include "component/korcomponentstate.h"
#include "component/servicelookup.h"

namespace {
IKorStrSupport *gSupport = nullptr;
IKorComponentManager *gFoundThrough = nullptr;
} // namespace

IKorStrSupport *korStrSupport() {
  // A service found through an earlier manager belongs to a host that is
  // gone (the unit tests start several hosts in one process).
  if (gSupport && gFoundThrough != korComponentManager())
    korResetStrSupport();
  // A missing service is asked for again next time: the host may offer it
  // only after the library was loaded.
  if (!gSupport) {
    void *result = nullptr;
    if (korLookupService("IKorStrSupport", &result) == 1 && result) {
      gSupport = static_cast<IKorStrSupport *>(result);
      gSupport->AddRef();
      gFoundThrough = korComponentManager();
    }
  }
  return gSupport;
}

void korResetStrSupport() {
  if (IKorStrSupport *support = gSupport) {
    gSupport = nullptr;
    gFoundThrough = nullptr;
    support->Release();
  }
}
