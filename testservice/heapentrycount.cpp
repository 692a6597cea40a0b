//===- heapentrycount.cpp - Live heap blocks of the process, for leak checks
//===//
#include "testservice/heapentrycount.h"

// The executable may or may not provide the counter; a weak reference
// stays null when it does not.
#pragma weak korProcessHeapBlockCount

int64_t HeapEntryCount() {
  return HeapEntryCountAvailable() ? korProcessHeapBlockCount() : 0;
}

bool HeapEntryCountAvailable() { return &korProcessHeapBlockCount != nullptr; }
