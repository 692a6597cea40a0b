//===- kormmarray.h - Paged arrays of the host memory manager -------------===//
//
// KorMM::Array keeps a large array in fixed-size pages that the host's
// memory manager hands out on first write; a page never written reads as
// zeros. The splitter type fixes the page size. This unit also answers
// whether paged arrays may be used.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/ikormmanager.h"
#include "component/iptr.h"
#include "KorBasicTypes/nyrrealloc.h"
#include <algorithm>
#include <cstring>
#include <type_traits>

namespace KorMM {

/// The host's memory manager (fetched once and kept, see nyrmemory.h);
/// null while the host offers none.
IKorMManager *hostManager();
/// True when a memory manager is present and says paged arrays may be used.
bool isAvailable();
/// A zero-filled page from `manager` (from the heap without one); asks the
/// manager to release memory while it can, and when no page can be had
/// writes memory.log, tells the user and ends the process.
void *allocPage(IKorMManager *manager, size_t bytes);
/// Gives a page back to where allocPage took it from.
void freePage(IKorMManager *manager, void *page, size_t bytes);

/// Pages of a paged array: a power of two of elements per page.
template <unsigned Shift> struct PageSplitter {
  static constexpr unsigned kShift = Shift;
  static constexpr uint32_t kPageSize = 1u << Shift;
  static constexpr uint32_t kMask = kPageSize - 1;
};

/// An array of `count()` elements in pages allocated on first write.
template <class T, class Splitter> class Array {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  static constexpr uint32_t kPageSize = Splitter::kPageSize;
  static constexpr size_t kPageBytes = sizeof(T) * kPageSize;

  /// `count` zero elements with pages from `manager` (the host's by default).
  explicit Array(uint32_t count, IKorMManager *manager = hostManager())
      : manager_(manager) {
    resize(count);
  }
  Array(const Array &other) : manager_(other.manager_) { copyFrom(other); }
  Array &operator=(const Array &other) {
    if (this != &other) {
      clear();
      copyFrom(other);
    }
    return *this;
  }
  ~Array() {
    clear();
    nyrFree(pages_);
  }

  uint32_t count() const { return count_; }
  uint32_t pageCount() const { return pageCount_; }
  /// Page p, or null when it was never written.
  const T *page(uint32_t p) const { return pages_[p]; }
  T *page(uint32_t p) { return pages_[p]; }
  /// Page p, allocated (zero-filled) when missing.
  T *writablePage(uint32_t p) {
    if (!pages_[p])
      pages_[p] = static_cast<T *>(allocPage(manager_.get(), kPageBytes));
    return pages_[p];
  }
  T get(uint32_t i) const {
    const T *p = pages_[i >> Splitter::kShift];
    return p ? p[i & Splitter::kMask] : T();
  }
  void set(uint32_t i, T value) {
    if (value == T() && !pages_[i >> Splitter::kShift])
      return;
    writablePage(i >> Splitter::kShift)[i & Splitter::kMask] = value;
  }

  /// Changes the count; elements beyond a smaller count are dropped (their
  /// pages freed, the rest of a partly kept page zeroed) so growing again
  /// yields zeros.
  void resize(uint32_t count) {
    uint32_t pages = count ? ((count - 1) >> Splitter::kShift) + 1 : 0;
    for (uint32_t p = pages; p < pageCount_; ++p)
      freePage(p);
    if (count < count_ && pages && pages_[pages - 1]) {
      uint32_t keep = count & Splitter::kMask;
      if (keep)
        std::memset(pages_[pages - 1] + keep, 0, (kPageSize - keep) * sizeof(T));
    }
    void *slot = pages_;
    nyrRealloc(&slot, sizeof(T *), pageCount_, pages, pages);
    pages_ = static_cast<T **>(slot);
    pageCount_ = pages;
    count_ = count;
  }
  /// Frees every page; the count stays and every element reads zero.
  void clear() {
    for (uint32_t p = 0; p < pageCount_; ++p)
      freePage(p);
  }

private:
  void freePage(uint32_t p) {
    if (pages_[p])
      KorMM::freePage(manager_.get(), pages_[p], kPageBytes);
    pages_[p] = nullptr;
  }
  void copyFrom(const Array &other) {
    resize(other.count_);
    for (uint32_t p = 0; p < pageCount_; ++p)
      if (other.pages_[p])
        std::memcpy(writablePage(p), other.pages_[p], kPageBytes);
  }

  IPtr<IKorMManager> manager_;
  T **pages_ = nullptr;
  uint32_t pageCount_ = 0;
  uint32_t count_ = 0;
};

} // namespace KorMM

/// Pages of a bit vector's paged words: 2048 words (8 KiB) each.
using BitVectorSplitter = KorMM::PageSplitter<11>;
