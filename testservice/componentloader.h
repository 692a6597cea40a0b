//===- componentloader.h - Loads the test components the registry names ---===//
//
// Each value of the host registry key "KorTest" names a test component by
// its identifier (eleven comma-separated hexadecimal numbers). The loader
// has the component manager load each one and lets it register its tests
// with the test service; a component that does not load is reported and
// skipped. It does its work once.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>

/// Loads the "KorTest" components once and counts what failed.
class TestComponentLoader {
public:
  /// Loads every listed component, the first time only; each registers its
  /// tests with the host's "IKorTestService".
  void loadOnce();
  /// "KorTest" registry values that are malformed or name a component that
  /// did not load.
  int32_t failures() const { return failures_; }

private:
  bool loaded_ = false;
  int32_t failures_ = 0;
};
