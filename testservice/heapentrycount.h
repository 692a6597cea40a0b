//===- heapentrycount.h - Live heap blocks of the process, for leak checks ===//
//
// The leak check of a test run compares two counts taken around the test:
// any difference, in either direction, means the test left the heap with
// more or fewer live blocks than it found.
//
// Method: the executable that hosts the tests (korhost, the unit tests)
// replaces malloc, calloc, realloc, free and the aligned allocators with
// thin wrappers around glibc's own __libc_* entries. Once counting is
// switched on (by the first count requested) every block handed out adds
// one and every block given back subtracts one, whatever its size and
// whichever library allocates it (operator new and the C library's own
// allocations go through malloc). Counting calls instead of walking the
// allocator's chunks keeps glibc's per-thread caches and fast bins out of
// the picture: a freed block parked in a cache still counts as freed.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korheapcount.h"
#include <cstdint>

/// Blocks allocated minus blocks freed since counting was switched on;
/// 0 when the process does not count (a build under AddressSanitizer, or a
/// host without the counting allocator).
int64_t HeapEntryCount();

/// True when the process counts heap blocks, so HeapEntryCount can see a
/// leak.
bool HeapEntryCountAvailable();
