//===- suitegroups.h - Tests grouped by suite as the runner groups them ---===//
//
// The run groups its tests in a hash table keyed by suite object (17
// buckets to start, the bucket from the low 32 bits of the suite's address)
// and visits the table bucket by bucket. The command and its dialog group
// the same way, so "the first suite of that name" means the same suite as
// in the run.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korarray.h"
#include <functional>

class IKorTest;
class IKorTestSuite;

/// Calls visit(suite, tests of that suite in input order) for every suite
/// of `tests`, in the order the runner visits them.
void korForEachSuiteGroup(
    const KorArray<IKorTest *> &tests,
    const std::function<void(IKorTestSuite *, const KorArray<IKorTest *> &)>
        &visit);

/// The first suite, in that order, whose name equals `name` exactly; null
/// when none does.
IKorTestSuite *korFindSuiteByName(const KorArray<IKorTest *> &tests,
                                  const char *name);
