//===- ikortestsuite.h - A named group of tests with run hooks ------------===//
#pragma once
#include "component/korclass.h"

class KorCString;
class IKorTest;

/// A suite: its tests in order, its name and the hooks the runner calls.
class IKorTestSuite : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestSuite)
  /// Slot 0: appends test and calls its SetSuite with this suite.
  virtual void AddTest(IKorTest *test) = 0;
  /// Slot 1: fills out with the suite's name and returns it.
  virtual KorCString &Name(KorCString &out) = 0;
  /// Slot 2: number of tests.
  virtual int TestCount() = 0;
  /// Slot 3: the test at a 1-based position, null outside 1..count.
  virtual IKorTest *TestAt(int position) = 0;
  /// Slot 4: the first test (in position order) with that test number.
  virtual IKorTest *TestWithNumber(int testNumber) = 0;
  /// Slot 5: called by the runner before the suite's tests.
  virtual void SuiteSetUp() = 0;
  /// Slot 6: called by the runner after the suite's tests.
  virtual void SuiteTearDown() = 0;
  /// Slot 7: called by the runner before each selected test.
  virtual void BeforeTest() = 0;
  /// Slot 8: called by the runner after each selected test.
  virtual void AfterTest() = 0;
};
