//===- nyrfaultinjection.h - Heap and swap-file steps that fail on demand ===//
//
// The out-of-memory paths of nyrRealloc and the swap file ask this seam
// before each heap or file step, so tests can drive every path without
// exhausting the machine. Without a hook installed every step proceeds.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>

/// The heap and swap-file steps a fault hook can make fail.
enum class NyrStep { Malloc, Realloc, SwapWrite, SwapRead };
/// Decides before each step whether it fails as if the heap or the file
/// had refused; `bytes` is the size asked for.
using NyrFaultHook = bool (*)(void *context, NyrStep step, size_t bytes);
/// Installs (or with null removes) the fault hook; for tests that drive the
/// out-of-memory paths without exhausting the machine.
void nyrSetFaultHook(NyrFaultHook hook, void *context);
/// True when the installed hook makes this step fail.
bool nyrStepFails(NyrStep step, size_t bytes);
