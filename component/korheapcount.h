//===- korheapcount.h - The host's live heap block count -----------------===//
//
// The contract between a host that counts heap blocks (korhost, the unit
// tests) and the leak check of a test run: the host defines and exports
// korProcessHeapBlockCount, components reach it through a weak reference.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>

extern "C" {
/// The process's live block count, switching counting on at the first
/// call. Defined by the executable's counting allocator and exported to
/// the component libraries it loads.
__attribute__((visibility("default"))) int64_t korProcessHeapBlockCount();
}
