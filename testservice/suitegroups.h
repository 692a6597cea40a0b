//===- suitegroups.h - A run's tests grouped by suite, in a stable order --===//
//
// A run visits its tests suite by suite: the suites in the order their
// first listed test was registered with the test service, the tests of a
// suite in list order. Tests never registered (numbered -1) put their
// suites after the others, in the order of their first appearance. The
// order depends only on the list and the registration, so consoles and
// reports are the same from run to run; the command and its dialog use the
// same grouping, so "the first suite of a name" is the one the run visits
// first.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include <functional>

class IKorTest;
class IKorTestSuite;

/// Calls visit(suite, tests of that suite in list order) for every suite
/// of `tests`, in the order a run visits them.
void korForEachSuiteGroup(
    const KorArray<IKorTest *> &tests,
    const std::function<void(IKorTestSuite *, const KorArray<IKorTest *> &)>
        &visit);

/// The first suite, in that order, whose name equals `name` exactly; null
/// when none does.
IKorTestSuite *korFindSuiteByName(const KorArray<IKorTest *> &tests,
                                  const char *name);
