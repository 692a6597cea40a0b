//===- kortestsuitebase.h - Base class of every test suite ----------------===//
//
// KorTestSuiteBase keeps a suite's tests in a 1-based array and destroys
// them with the suite. Concrete suites are declared with KOR_TEST_SUITE
// (kortestdecl.h); korCreateSuite<S>() creates a suite's process-wide
// instance and its tests in declaration order.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "frame/ikortest.h"
#include "frame/ikortestsuite.h"
#include "KorBasicTypes/korarray.h"
#include "frame/kortestregistry.h"

/// Base of concrete suites; owns its tests (no references are counted).
class KorTestSuiteBase : public virtual IKorTestSuite {
public:
  KOR_CLASS(KorTestSuiteBase, IKorTestSuite)
  KorTestSuiteBase() = default;
  KorTestSuiteBase(const KorTestSuiteBase &) = delete;
  KorTestSuiteBase &operator=(const KorTestSuiteBase &) = delete;
  /// Destroys every test of the suite.
  ~KorTestSuiteBase() override;

  void AddTest(IKorTest *test) override;
  int TestCount() override { return static_cast<int>(tests_.count()); }
  IKorTest *TestAt(int position) override;
  IKorTest *TestWithNumber(int testNumber) override;
  void SuiteSetUp() override {}
  void SuiteTearDown() override {}
  void BeforeTest() override {}
  void AfterTest() override {}

private:
  KorArray<IKorTest *> tests_;
};

/// Appends test to the component's test registry, then adds it to suite.
inline void korAddTest(IKorTestSuite &suite, IKorTest *test) {
  korTestRegistry().append(test);
  suite.AddTest(test);
}

/// Creates the tests of one declaration of a suite (one test, or one per
/// case of a table) and adds each with korAddTest.
using KorTestFactory = void (*)(IKorTestSuite &suite);

/// The factories of suite S's declarations, in declaration order.
template <class S> KorArray<KorTestFactory> &korSuiteTestFactories() {
  static KorArray<KorTestFactory> factories;
  return factories;
}

/// Records a declaration of suite S at load time (used by KOR_TEST).
template <class S> bool korDeclareTest(KorTestFactory factory) {
  korSuiteTestFactories<S>().append(factory);
  return true;
}

/// The process-wide instance of suite S. The first call creates the suite
/// and its tests in declaration order, appending every test to the
/// component's test registry and then to the suite; later calls only return
/// the suite.
template <class S> S &korCreateSuite() {
  static S suite;
  static const bool created = [] {
    for (KorTestFactory factory : korSuiteTestFactories<S>())
      factory(suite);
    return true;
  }();
  (void)created;
  return suite;
}
