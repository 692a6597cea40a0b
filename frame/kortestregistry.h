//===- kortestregistry.h - The component's process-wide list of tests -----===//
#pragma once
#include "KorBasicTypes/korarray.h"

class IKorTest;

/// Tests of this component in registration order, positions from 1.
KorArray<IKorTest *> &korTestRegistry();
