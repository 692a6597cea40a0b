//===- kortestregistry.cpp - The component's process-wide list of tests ---===//
#include "kortestregistry.h"

KorArray<IKorTest *> &korTestRegistry() {
  static KorArray<IKorTest *> *registry = new KorArray<IKorTest *>;
  return *registry;
}
