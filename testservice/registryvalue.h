//===- registryvalue.h - Component identifiers written as registry values -===//
#pragma once
#include "component/kortypes.h"

/// Longest registry value text that is looked at; the rest is ignored.
constexpr int kRegistryValueMaxChars = 150;

/// Reads a component identifier written as eleven comma-separated
/// hexadecimal numbers ("%x" each): a 32-bit field, two 16-bit fields and
/// eight bytes. Reading stops at the first missing or unreadable part and
/// the remaining fields stay 0. Returns the number of fields read (11 for
/// a complete value).
int parseRegistryComponentId(const char *text, KorGuid &id);
