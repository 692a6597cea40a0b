//===- suitegroups.cpp - Tests grouped by suite as the runner groups them -===//
#include "commands/suitegroups.h"
#include "frame/ikortest.h"
#include "frame/ikortestsuite.h"
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korhashtable.h"
#include <cstring>

namespace {
struct SuiteAddressHash {
  uint32_t operator()(IKorTestSuite *suite) const {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(suite));
  }
};
/// Starts at the first prime above 16: 17 buckets.
constexpr uint64_t kSuiteTableSize = 16;
} // namespace

void korForEachSuiteGroup(
    const KorArray<IKorTest *> &tests,
    const std::function<void(IKorTestSuite *, const KorArray<IKorTest *> &)>
        &visit) {
  KorHashMap<IKorTestSuite *, KorArray<IKorTest *>, SuiteAddressHash> table(
      kSuiteTableSize);
  for (IKorTest *test : tests) {
    IKorTestSuite *suite = test->Suite();
    KorArray<IKorTest *> *group = table.find(suite);
    if (!group)
      group = &table.insert(suite, KorArray<IKorTest *>());
    group->append(test);
  }
  table.forEach(visit);
}

IKorTestSuite *korFindSuiteByName(const KorArray<IKorTest *> &tests,
                                  const char *name) {
  IKorTestSuite *found = nullptr;
  korForEachSuiteGroup(
      tests, [&](IKorTestSuite *suite, const KorArray<IKorTest *> &) {
        if (found || !suite)
          return;
        KorCString suiteName;
        if (std::strcmp(suite->Name(suiteName).c_str(), name) == 0)
          found = suite;
      });
  return found;
}
