//===- korstrsupport.cpp - The string classes' link to IKorStrSupport -----===//
#include "korstrsupport.h"
#include "ikorstrsupport.h"
#include "servicelookup.h"

namespace {
IKorStrSupport *gSupport = nullptr;
} // namespace

IKorStrSupport *korStrSupport() {
  // A missing service is asked for again next time: the host may offer it
  // only after the library was loaded.
  if (!gSupport) {
    void *result = nullptr;
    if (korLookupService("IKorStrSupport", &result) == 1 && result) {
      gSupport = static_cast<IKorStrSupport *>(result);
      gSupport->AddRef();
    }
  }
  return gSupport;
}

void korResetStrSupport() {
  if (IKorStrSupport *support = gSupport) {
    gSupport = nullptr;
    support->Release();
  }
}
