//===- suitegroups.cpp - A run's tests grouped by suite, in a stable order ===//
#include "testservice/suitegroups.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/ikortest.h"
#include "frame/ikortestsuite.h"
#include <algorithm>
#include <cstring>
#include <deque>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {
/// One suite's tests, and the earliest registration number among them.
struct SuiteGroup {
  IKorTestSuite *suite = nullptr;
  KorArray<IKorTest *> tests;
  int64_t firstRegistered = std::numeric_limits<int64_t>::max();
};

int64_t registrationOf(IKorTest *test) {
  int number = test->TestNumber();
  return number >= 0 ? number : std::numeric_limits<int64_t>::max();
}
} // namespace

void korForEachSuiteGroup(
    const KorArray<IKorTest *> &tests,
    const std::function<void(IKorTestSuite *, const KorArray<IKorTest *> &)>
        &visit) {
  std::deque<SuiteGroup> groups; // in order of first appearance
  std::unordered_map<IKorTestSuite *, SuiteGroup *> groupOf;
  for (IKorTest *test : tests) {
    IKorTestSuite *suite = test->Suite();
    SuiteGroup *&group = groupOf[suite];
    if (!group) {
      group = &groups.emplace_back();
      group->suite = suite;
    }
    group->tests.append(test);
    group->firstRegistered =
        std::min(group->firstRegistered, registrationOf(test));
  }
  std::vector<const SuiteGroup *> order;
  for (const SuiteGroup &group : groups)
    order.push_back(&group);
  std::stable_sort(order.begin(), order.end(),
                   [](const SuiteGroup *a, const SuiteGroup *b) {
                     return a->firstRegistered < b->firstRegistered;
                   });
  for (const SuiteGroup *group : order)
    visit(group->suite, group->tests);
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
