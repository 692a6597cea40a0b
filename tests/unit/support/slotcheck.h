//===- slotcheck.h - Reads a virtual operation's slot from its member pointer ===//
//
// Under the Itanium C++ ABI a pointer to a virtual member function holds
// 1 + the byte offset of its vtable entry, so a reordered interface
// declaration changes the slot a test reads here.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <cstring>

/// The vtable index of a virtual member function (-1 for non-virtual).
template <class F> long korVtableIndex(F member) {
  struct {
    std::ptrdiff_t ptr;
    std::ptrdiff_t adj;
  } raw;
  static_assert(sizeof(member) == sizeof(raw));
  std::memcpy(&raw, &member, sizeof raw);
  if ((raw.ptr & 1) == 0)
    return -1;
  return static_cast<long>((raw.ptr - 1) / static_cast<long>(sizeof(void *)));
}

/// Slot of an operation of an interface's own table (IKorUnknown not counted).
#define EXPECT_SLOT(member, slot) EXPECT_EQ(korVtableIndex(member), slot) << #member
