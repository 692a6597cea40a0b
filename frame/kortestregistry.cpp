//===- kortestregistry.cpp - The component's process-wide list of tests ---===//
#include "frame/kortestregistry.h"

KorArray<IKorTest *> &korTestRegistry() {
  static KorArray<IKorTest *> *registry = new KorArray<IKorTest *>;
  return *registry;
}
