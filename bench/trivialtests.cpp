//===- trivialtests.cpp - A test component of 10,000 trivial passing tests ===//
//
// The load of the korhost run benchmark: one suite whose tests are created
// in a loop (KORBENCH_TEST_COUNT, default 10,000), each checking one trivial
// fact. Built into its own plugin folder.
//
//===----------------------------------------------------------------------===//
#include "frame/korcomponentdef.h"
#include "frame/kortestdecl.h"
#include <cstdio>

#ifndef KORBENCH_TEST_COUNT
#define KORBENCH_TEST_COUNT 10000
#endif

namespace {
class TrivialSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(TrivialSuite, "Trivial Suite")
};

/// One trivial test, numbered in its description.
class TrivialTest : public virtual KorTestBase {
public:
  KOR_CLASS_DERIVED(TrivialTest, KorTestBase, IKorTest)
  explicit TrivialTest(int index)
      : KorTestBase({new KorEndMetadata}), index_(index) {}
  KorCString &Description(KorCString &out) override {
    char text[32];
    std::snprintf(text, sizeof text, "Trivial Test %05d", index_);
    out = text;
    return out;
  }
  bool Enabled() override { return true; }
  const char *DisabledReason() override { return ""; }
  const char *SourceFile() override { return __FILE__; }
  int DeclarationLine() override { return __LINE__; }
  void Run(IKorTestStatus *status) override {
    korRunTest(this, status,
               [](KorTestBase *kor_test_, IKorTestStatus *kor_status_) {
                 TEST_ASSERT_EQUALS(1 + 1, 2);
               });
  }

private:
  int index_;
};

class TrivialCustomizer : public IKorComponentCustomizer {
public:
  bool OnManagerHandedOver(IKorComponentManager *) override {
    static const bool created = [] {
      TrivialSuite &suite = korCreateSuite<TrivialSuite>();
      for (int i = 1; i <= KORBENCH_TEST_COUNT; ++i) {
        IKorTest *test = new TrivialTest(i);
        korTestRegistry().append(test);
        suite.AddTest(test);
      }
      return true;
    }();
    return created;
  }
  bool Customize() override { return true; }
};
} // namespace

KOR_DEFINE_COMPONENT("kortrivial", TrivialCustomizer, 0x5B0C1E77, 0x2D4A,
                     0x4C61, 0x9E, 0x3F, 0x11, 0x08, 0x6A, 0xD2, 0x47, 0xB5)
