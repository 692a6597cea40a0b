//===- korcount.h - The count service behind every AddRef and Release -----===//
#pragma once
#include <cstdint>

/// Adds one to *count, through the component manager once it is handed over.
void korCountIncrement(uint32_t *count);
/// Subtracts one; true when the count reached zero. Locally a count that
/// reaches zero is overwritten with -42 so a stale object is recognisable.
bool korCountDecrement(uint32_t *count);

/// The value a locally released count holds (-42 as unsigned).
inline constexpr uint32_t kKorDeadCount = 0xFFFFFFD6u;
