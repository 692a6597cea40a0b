//===- korarray.h - 1-based growable array of the core library ------------===//
//
// Position 0 holds nothing; entries count from 1. The array starts with room
// for 21 entries and grows by doubling through growCapacity and nyrRealloc.
// Elements must be trivially relocatable (pointers, numbers, PODs).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/nyrrealloc.h"
#include <cstdint>
#include <type_traits>

/// A 1-based growable array of trivially copyable values.
template <class T> class KorArray {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  static constexpr uint32_t kInitialRoom = 21;

  KorArray() { reserve(kInitialRoom); }
  KorArray(const KorArray &other) : KorArray() {
    for (uint32_t i = 1; i <= other.count_; ++i)
      append(other[i]);
  }
  KorArray &operator=(const KorArray &other) {
    if (this != &other) {
      clear();
      for (uint32_t i = 1; i <= other.count_; ++i)
        append(other[i]);
    }
    return *this;
  }
  ~KorArray() { nyrFree(data_); }

  /// Number of entries.
  uint32_t count() const { return count_; }
  bool empty() const { return count_ == 0; }
  /// Room without growing (position 0 included).
  uint32_t capacity() const { return capacity_; }
  /// The entry at 1-based position i.
  T &operator[](uint32_t i) { return data_[i]; }
  const T &operator[](uint32_t i) const { return data_[i]; }
  /// Appends one entry at position count() + 1.
  void append(const T &value) {
    if (count_ + 2 > capacity_)
      reserve(count_ + 2);
    data_[++count_] = value;
  }
  /// Removes every entry; keeps the room.
  void clear() { count_ = 0; }
  /// Removes the last entry.
  void removeLast() {
    if (count_)
      --count_;
  }
  T *begin() { return data_ + 1; }
  T *end() { return data_ + 1 + count_; }
  const T *begin() const { return data_ + 1; }
  const T *end() const { return data_ + 1 + count_; }

private:
  void reserve(uint32_t needed) {
    void *slot = data_;
    capacity_ = static_cast<uint32_t>(nyrRealloc(
        &slot, sizeof(T), capacity_, needed, growCapacity(capacity_, needed)));
    data_ = static_cast<T *>(slot);
  }

  T *data_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};
