//===- nyrrealloc.h - Allocation with memory-pressure handling ------------===//
//
// Every growable array of the core library allocates through nyrMalloc and
// nyrRealloc: a reallocation asks for a preferred size but settles for less,
// asks the host memory manager to release memory, and as a last resort moves
// the old block through a temporary file. When nothing helps, memory.log is
// written, the user is told and the process ends with exit code -1.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <cstdint>

/// Stores malloc(elementSize * count) in *slot; returns count on success.
size_t nyrMalloc(void **slot, size_t elementSize, size_t count);
/// Grows or shrinks *slot to between minNewSize and maxNewSize elements
/// (SIZE_MAX as maxNewSize stands for minNewSize); returns the new count.
/// Bytes beyond curSize elements are zero.
size_t nyrRealloc(void **slot, size_t elementSize, size_t curSize,
                  size_t minNewSize, size_t maxNewSize);
/// free(p); returns true.
bool nyrFree(void *p);
/// The capacity an array with `current` room grows to when it needs `needed`.
uint32_t growCapacity(uint32_t current, uint32_t needed);
