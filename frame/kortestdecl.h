//===- kortestdecl.h - Declaring suites and tests -------------------------===//
//
// A suite is a class derived from KorTestSuiteBase whose body starts with
// KOR_TEST_SUITE; each test is one KOR_TEST declaration in that body,
// directly followed by the test's body:
//
//   class MeshSuite : public KorTestSuiteBase {
//     KOR_TEST_SUITE(MeshSuite, "Mesh Suite")
//     int vertices = 0;
//     void SuiteSetUp() override { vertices = 8; }
//
//     KOR_TEST(CubeTest, "Cube has eight vertices", "MESH") {
//       TEST_ASSERT_EQUALS(SUITE_VAR->vertices, 8);
//     }
//     KOR_TEST_DISABLED(SlowTest, "Slow test", "MESH", "Takes an hour") {
//       TEST_FAIL("not written yet");
//     }
//   };
//
// and the component's customizer creates the suite and its tests once,
// when the host hands over its manager: korCreateSuite<MeshSuite>();
//
// Each test becomes a class template nested in its suite and instantiated
// on it (MeshSuite::CubeTest<MeshSuite>), named after the test, with the
// declaration's file and the line where KOR_TEST is written as its source
// position (metadata items passed to KOR_TEST_FULL are owned by the test
// from then on). Its body sees the suite as SUITE_VAR (typed as the suite
// class) and uses the statements of kortestmacros.h. A test made from a
// table of cases is declared with KOR_TEST_TABLE (kortesttable.h).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korcstring.h"
#include "frame/kormetadata.h"
#include "frame/korrunwrapper.h"
#include "frame/kortestbase.h"
#include "frame/kortestmacros.h"
#include "frame/kortestsuitebase.h"

/// The suite of the running test, typed as the suite class S.
#define SUITE_VAR kor_suite_

/// The suite a test was added to, as the suite class S (null if none).
template <class S> S *korSuiteOf(KorTestBase *test) {
  IKorTestSuite *suite = test->Suite();
  if (!suite)
    return nullptr;
  void *result = nullptr;
  suite->QueryInterface(S::kClassName, &result, 0);
  return static_cast<S *>(result);
}

/// Opens a suite class body: its class name and its name as reported.
#define KOR_TEST_SUITE(Self, SuiteName)                                        \
  KOR_CLASS_DERIVED(Self, KorTestSuiteBase, IKorTestSuite)                     \
  using KorSuiteSelf = Self;                                                   \
  KorCString &Name(KorCString &out) override {                                 \
    out = SuiteName;                                                           \
    return out;                                                                \
  }

/// Declares a test with every property: class name, description, category
/// list, enabled flag, the reason when disabled, and optional metadata
/// items created with new (the end item is added here). The test's body
/// follows the declaration.
#define KOR_TEST_FULL(Name, Description_, Categories_, Enabled_, Reason_, ...) \
  template <class S> class Name : public virtual KorTestBase {                 \
  public:                                                                      \
    KOR_CLASS_DERIVED(Name, KorTestBase, IKorTest)                             \
    Name()                                                                     \
        : KorTestBase({__VA_ARGS__ __VA_OPT__(, ) new KorEndMetadata}) {}      \
    const char *Categories() override { return Categories_; }                  \
    KorCString &Description(KorCString &out) override {                        \
      out = Description_;                                                      \
      return out;                                                              \
    }                                                                          \
    bool Enabled() override { return Enabled_; }                               \
    const char *DisabledReason() override {                                    \
      return (Enabled_) ? "" : (Reason_);                                      \
    }                                                                          \
    const char *SourceFile() override { return __FILE__; }                     \
    int DeclarationLine() override { return __LINE__; }                        \
    void Run(IKorTestStatus *status) override {                                \
      korRunTest(this, status, [](KorTestBase *test, IKorTestStatus *run) {    \
        S::kor_body_##Name(korSuiteOf<S>(test), test, run);                    \
      });                                                                      \
    }                                                                          \
  };                                                                           \
  static void kor_create_##Name(IKorTestSuite &suite) {                        \
    korAddTest(suite, new Name<KorSuiteSelf>);                                 \
  }                                                                            \
  static inline const bool kor_declared_##Name =                               \
      korDeclareTest<KorSuiteSelf>(&kor_create_##Name);                        \
  static void kor_body_##Name([[maybe_unused]] KorSuiteSelf *kor_suite_,       \
                              [[maybe_unused]] KorTestBase *kor_test_,         \
                              [[maybe_unused]] IKorTestStatus *kor_status_)

/// Declares an enabled test without metadata; its body follows.
#define KOR_TEST(Name, Description_, Categories_)                              \
  KOR_TEST_FULL(Name, Description_, Categories_, true, "")

/// Declares a disabled test with its reason; its body follows.
#define KOR_TEST_DISABLED(Name, Description_, Categories_, Reason_)            \
  KOR_TEST_FULL(Name, Description_, Categories_, false, Reason_)
