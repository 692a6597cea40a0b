//===- korcount.cpp - The count service behind every AddRef and Release ---===//
#include "component/korcount.h"
#include "component/ikorcomponentmanager.h"
#include "component/korcomponentstate.h"

void korCountIncrement(uint32_t *count) {
  if (IKorComponentManager *manager = korComponentManager()) {
    manager->IncrementCount(count);
    return;
  }
  ++*count;
}

bool korCountDecrement(uint32_t *count) {
  if (IKorComponentManager *manager = korComponentManager())
    return manager->DecrementCount(count);
  if (*count == 1) {
    *count = kKorDeadCount;
    return true;
  }
  --*count;
  return false;
}
