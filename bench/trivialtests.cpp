//===- trivialtests.cpp - A test component of 10,000 trivial passing tests ===//
//
// The load of the korhost run benchmark: 100 suites of 100 tests each,
// created in a loop, each test checking one trivial fact. Names are made
// once, as a declared test's are literals. Built into its own plugin folder.
//
//===----------------------------------------------------------------------===//
#include "frame/korcomponentdef.h"
#include "frame/kortestdecl.h"
#include <cstdio>

#ifndef KORBENCH_SUITE_COUNT
#define KORBENCH_SUITE_COUNT 100
#endif
#ifndef KORBENCH_TESTS_PER_SUITE
#define KORBENCH_TESTS_PER_SUITE 100
#endif

namespace {
/// One suite, numbered in its name.
class TrivialSuite : public KorTestSuiteBase {
public:
  KOR_CLASS_DERIVED(TrivialSuite, KorTestSuiteBase, IKorTestSuite)
  explicit TrivialSuite(int index) {
    std::snprintf(name_, sizeof name_, "Trivial Suite %03d", index);
  }
  KorCString &Name(KorCString &out) override {
    out = name_;
    return out;
  }

private:
  char name_[24];
};

/// One trivial test, numbered in its description.
class TrivialTest : public virtual KorTestBase {
public:
  KOR_CLASS_DERIVED(TrivialTest, KorTestBase, IKorTest)
  explicit TrivialTest(int index) : KorTestBase({new KorEndMetadata}) {
    std::snprintf(description_, sizeof description_, "Trivial Test %05d",
                  index);
  }
  KorCString &Description(KorCString &out) override {
    out = description_;
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
  char description_[24];
};

class TrivialCustomizer : public IKorComponentCustomizer {
public:
  bool OnManagerHandedOver(IKorComponentManager *) override {
    // Suites and tests live until the library is unloaded.
    static const bool created = [] {
      for (int s = 1; s <= KORBENCH_SUITE_COUNT; ++s) {
        auto *suite = new TrivialSuite(s);
        for (int t = 1; t <= KORBENCH_TESTS_PER_SUITE; ++t) {
          IKorTest *test =
              new TrivialTest((s - 1) * KORBENCH_TESTS_PER_SUITE + t);
          korTestRegistry().append(test);
          suite->AddTest(test);
        }
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
