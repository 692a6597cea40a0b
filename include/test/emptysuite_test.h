//===- emptysuite_test.h - A suite without tests --------------------------===//
//
// Enumerated like every other suite; it contributes no test.
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/kortestdecl.h"

class EmptySuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(EmptySuite, "Empty Suite")
};
