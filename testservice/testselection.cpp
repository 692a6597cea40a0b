//===- testselection.cpp - Which tests of a run are selected, by full name ===//
#include "testservice/testselection.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/ikortest.h"
#include "frame/ikortestsuite.h"
#include "testservice/wildcardpattern.h"

KorCString korFullTestName(IKorTestSuite *suite, IKorTest *test) {
  KorCString suiteName;
  if (suite)
    suite->Name(suiteName);
  KorCString description;
  if (test)
    test->Description(description);
  return KorCString(suiteName.c_str(), ".", description.c_str());
}

TestSelection::~TestSelection() { dropTo(Mark()); }

void TestSelection::include(const char *pattern) {
  includePatterns_.append(new WildcardPattern(pattern));
}

void TestSelection::exclude(const char *fullName) {
  excludedNames_.append(new KorCString(fullName));
}

bool TestSelection::selects(IKorTestSuite *suite, IKorTest *test) {
  if (!suite || !test || !test->Enabled())
    return false;
  return selectsName(korFullTestName(suite, test));
}

bool TestSelection::selectsName(const KorCString &fullName) {
  for (uint32_t i = excludedNames_.count(); i >= 1; --i)
    if (*excludedNames_[i] == fullName)
      return false;
  if (includePatterns_.empty())
    return true;
  for (WildcardPattern *pattern : includePatterns_)
    if (pattern->matches(fullName.c_str()))
      return true;
  return false;
}

TestSelection::Mark TestSelection::mark() const {
  return {includePatterns_.count(), excludedNames_.count()};
}

void TestSelection::dropTo(Mark mark) {
  while (includePatterns_.count() > mark.patterns) {
    delete includePatterns_[includePatterns_.count()];
    includePatterns_.removeLast();
  }
  while (excludedNames_.count() > mark.names) {
    delete excludedNames_[excludedNames_.count()];
    excludedNames_.removeLast();
  }
}
