//===- registeredtests.h - The tests handed to the test service -----------===//
//
// Test components pass each of their tests to the test service once. The
// service numbers them 0, 1, 2, ... in that order (the number IKorTest slot
// 0 returns) and holds one reference on each for its whole life.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include <cstdint>

class IKorTest;

/// The registered tests in registration order, positions from 1.
class RegisteredTests {
public:
  RegisteredTests() = default;
  /// Gives the references back without destroying: suites own their tests.
  ~RegisteredTests();
  RegisteredTests(const RegisteredTests &) = delete;
  RegisteredTests &operator=(const RegisteredTests &) = delete;

  /// Numbers `test` and appends it with a reference; null is ignored.
  void add(IKorTest *test);
  int count() const { return static_cast<int>(tests_.count()); }
  /// The test at a 1-based position, or null outside 1 to count().
  IKorTest *at(int position) const;
  /// The first test, in registration order, whose number is `testNumber`.
  IKorTest *find(int testNumber) const;
  /// Replaces the contents of `out` with every test, no references added.
  void copyTo(KorArray<IKorTest *> &out) const;

private:
  KorArray<IKorTest *> tests_;
  int32_t nextNumber_ = 0;
};
