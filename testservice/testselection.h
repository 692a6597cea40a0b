//===- testselection.h - Which tests of a run are selected, by full name --===//
//
// A test is selected when it is enabled, its full name ("Suite.Test") is
// not among the excluded names, and, when there are include patterns, one
// of them matches it. Tests a run lists but does not select get a Skipped
// record (or stay NotRun when disabled).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include <cstdint>

class IKorTest;
class IKorTestSuite;
class KorCString;
class WildcardPattern;

/// The full name of a test: its suite's name, ".", its description
/// ("Spec Suite.Assert Equals Test"); a test without a suite has only "."
/// and its description.
KorCString korFullTestName(IKorTestSuite *suite, IKorTest *test);

/// Include patterns and excluded full names.
class TestSelection {
public:
  TestSelection() = default;
  ~TestSelection();
  TestSelection(const TestSelection &) = delete;
  TestSelection &operator=(const TestSelection &) = delete;

  /// Appends an include pattern (*, ?, [a-z]).
  void include(const char *pattern);
  /// Appends a full name that is never selected.
  void exclude(const char *fullName);

  /// Whether `test` of `suite` is selected; never without both.
  bool selects(IKorTestSuite *suite, IKorTest *test);
  /// Whether an enabled test of that full name is selected.
  bool selectsName(const KorCString &fullName);

  /// How long the two lists are.
  struct Mark {
    uint32_t patterns = 0;
    uint32_t names = 0;
  };
  Mark mark() const;
  /// Removes what was appended since `mark` was taken.
  void dropTo(Mark mark);

private:
  KorArray<WildcardPattern *> includePatterns_;
  KorArray<KorCString *> excludedNames_;
};
