//===- resultsxml.h - Parts shared by the XML results formatters ----------===//
//
// Both XML documents group the records by suite name in natural order and
// describe each record with the same "testcase" element.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"
#include <map>
#include <vector>

class IKorDOMXmlDocument;
class IKorDOMXmlElement;
class IKorTestResults;
class IKorTestStatus;

namespace korresults {

/// Natural order of suite names; names that compare equal there but differ
/// in their code units stay apart (code-unit order decides).
struct SuiteNameLess {
  bool operator()(const KorString &a, const KorString &b) const;
};

/// The records of each suite name, in collection order.
using SuiteGroups =
    std::map<KorString, std::vector<IKorTestStatus *>, SuiteNameLess>;

/// Groups records 1 to GetCount() of `results` by their suite's name.
SuiteGroups groupBySuite(IKorTestResults &results);

/// An error: Failed with an unexpected exception, or Aborted.
bool isError(IKorTestStatus &status);
/// A failure: Failed without an unexpected exception.
bool isFailure(IKorTestStatus &status);

/// Messages 1 to 10 joined by "; ", then "; <N more>" for the rest.
KorCString messageSummary(IKorTestStatus &status);

/// The "classname" of a record: suite name, ".", the base name of the
/// test's source file without its extension.
KorString testCaseClassName(const KorString &suiteName, IKorTestStatus &status);

/// Builds the "testcase" element of `status` and appends it to `parent`.
void appendTestCase(IKorDOMXmlDocument &document, IKorDOMXmlElement &parent,
                    IKorTestStatus &status, const KorString &suiteName);

/// Saves `document` into `out`, then replaces its tree with an empty
/// `rootName` element: the host's document keeps a tree until the next one
/// replaces it, and the report's tree is not needed while it is routed.
void saveAndRelease(IKorDOMXmlDocument &document, const KorWChar *rootName,
                    KorString &out);

} // namespace korresults
