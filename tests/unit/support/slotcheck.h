//===- slotcheck.h - Reads a virtual operation's slot from its member pointer ===//
//
// Under the Itanium C++ ABI a pointer to a virtual member function holds
// 1 + the byte offset of its vtable entry (and an adjustment), so a
// reordered interface declaration changes the slot a test reads here.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <cstring>

/// The vtable index of a virtual member function (-1 for non-virtual).
template <class F> long korVtableIndex(F member) {
  std::ptrdiff_t raw[2];
  static_assert(sizeof(member) == sizeof(raw));
  std::memcpy(raw, &member, sizeof raw);
  return raw[0] & 1 ? long((raw[0] - 1) / long(sizeof(void *))) : -1;
}

/// Slot of an operation of an interface's own table (IKorUnknown not counted).
#define EXPECT_SLOT(member, slot) EXPECT_EQ(korVtableIndex(member), slot) << #member
