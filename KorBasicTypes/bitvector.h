//===- bitvector.h - Growable set of bit flags with a cached count --------===//
//
// BitVector keeps its bits in 32-bit words, least significant bit first:
// in one flat block for small vectors, or, above 4096 words when the host's
// memory manager is available, in a paged array whose untouched pages cost
// nothing and read as zeros. It caches the number of set bits; set and
// clear keep the cache exact, bulk operations mark it unknown.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/binmagic.h"
#include "KorBasicTypes/kormmarray.h"
#include "component/korobject.h"
#include <bit>
#include <cstdint>
#include <iosfwd>
#include <utility>

class BinInput;
class BinOutput;

/// A growable set of bit flags addressed by a 32-bit index.
class BitVector : public KorShared {
public:
  using LargeWords = KorMM::Array<unsigned int, BitVectorSplitter>;

  /// The tag in front of the binary form (id 0x315E97, version 0xD6).
  static constexpr uint32_t kTag = 828282838;
  /// numSet value meaning "not known".
  static constexpr uint32_t kUnknownCount = 0xFFFFFFFF;
  /// Index argument of nextSet/nextClear that starts at bit 0.
  static constexpr uint32_t kStart = 0xFFFFFFFF;
  /// Bits per word as a shift: log2 of the word width.
  static constexpr unsigned kWordShift = std::countr_zero(32u);
  /// Most words a vector can have: the whole 32-bit index space.
  static constexpr uint32_t kMaxWords = 1u << (32 - kWordShift);
  /// Vectors of this many words or more are paged when they can be.
  static constexpr uint32_t kPagedWords = 4096;
  /// Most room a growing flat block reserves ahead.
  static constexpr uint32_t kFlatReserveWords = 6144;
  /// A paged vector shrinking to this many words or fewer becomes flat.
  static constexpr uint32_t kBackToFlatWords = 1535;

  /// Room for bit index `bits` (one word for kStart); all bits clear.
  explicit BitVector(uint32_t bits = kStart);
  BitVector(const BitVector &other);
  /// Takes over the other's words and tag, leaving it without storage.
  BitVector(BitVector &&other) noexcept;
  /// A one-word vector, then read from `in`.
  explicit BitVector(BinInput &in);
  ~BitVector() override;
  BitVector &operator=(const BitVector &other);
  BitVector &operator=(BitVector &&other) noexcept;

  /// Highest valid bit index: word count * 32 - 1.
  uint32_t maxIndex() const { return maxIndex_; }
  uint32_t wordCount() const { return (maxIndex_ >> kWordShift) + 1; }
  bool isPaged() const { return bvwordsLarge_ != nullptr; }
  /// The cached count, kUnknownCount when not known.
  uint32_t cachedCount() const { return numSet_; }
  /// The tag stored by construction or by the last read.
  uint32_t tag() const { return magic_ ? uint32_t(magic_->value()) : 0; }

  /// The bit at index; false beyond maxIndex.
  bool test(uint32_t index) const;
  /// Sets the bit, growing the vector first when needed; true.
  bool set(uint32_t index);
  /// Clears the bit (nothing beyond maxIndex); true.
  bool clear(uint32_t index);
  /// Clears bits first to last (cut to maxIndex); false when first is
  /// beyond maxIndex.
  bool clearRange(uint32_t first, uint32_t last);
  /// Clears every bit.
  void clearAll();
  /// Number of set bits, counted and cached when not known.
  uint32_t count() const;
  /// Makes `highest` (at least 31) a valid index, growing by doubling, or
  /// shrinks to it.
  void resize(uint32_t highest);

  /// Same set bits; words only one vector has must be zero.
  bool operator==(const BitVector &other) const;
  /// Lowest set bit above `after` (from 0 with kStart), -1 when none.
  int32_t nextSet(uint32_t after) const {
    // Dense walks mostly find the next bit in the same word.
    if (after < maxIndex_ && (bvwords_ || bvwordsLarge_)) {
      uint32_t from = after + 1;
      if (uint32_t rest = word(from >> kWordShift) >> (from & 31))
        return static_cast<int32_t>(from + std::countr_zero(rest));
    }
    return nextSetAfterWord(after);
  }
  /// Lowest clear bit above `after` (from 0 with kStart), -1 when none.
  int32_t nextClear(uint32_t after) const;

  /// Keeps only the bits also set in `other`.
  BitVector &intersect(const BitVector &other);
  /// Grows so every set bit of `other` has room here.
  void growToFit(const BitVector &other);
  /// Writes the tag and the vector, densely or as a list of set indices;
  /// returns the stream's good().
  bool write(BinOutput &out) const;
  /// Replaces this vector with one read from `in`; false when the tag read
  /// is not a bit vector's (the tag read is kept) or when the stream ends
  /// within the tag or the header (the vector stays as it was).
  bool read(BinInput &in);
  /// Writes "numSet=<count>", then the set indices, eight to a line.
  std::ostream &print(std::ostream &out) const;

private:
  /// A zero-filled flat block of `words` words.
  static unsigned int *allocFlat(uint32_t words);
  static uint32_t maxIndexFor(uint64_t words) {
    return static_cast<uint32_t>((words << kWordShift) - 1);
  }
  bool hasStorage(int line) const;
  uint32_t word(uint32_t w) const {
    return bvwords_ ? bvwords_[w] : bvwordsLarge_->get(w);
  }
  /// True when words from to to (exclusive) are all zero.
  bool zeroWords(uint32_t from, uint32_t to) const;
  /// nextSet beyond the fast path.
  int32_t nextSetAfterWord(uint32_t after) const;
  uint32_t *writableWord(uint32_t w);
  /// Calls fn(firstWord, words, n) for runs of words from `from` on; words
  /// is null for a run of zeros (a missing page). Stops when fn is true.
  template <class Fn> void forEachRun(uint32_t from, Fn fn) const;
  /// Calls fn(words, firstWord, n) for the stored runs of words `from` to
  /// `to` (inclusive), skipping missing pages.
  template <class Fn> void forEachStoredRun(uint32_t from, uint32_t to, Fn fn);
  /// Lowest bit at or above `from` whose value is `value`; -1 when none.
  int64_t find(uint64_t from, bool value) const;
  uint32_t reallocFlat(uint32_t oldWords, uint32_t wanted, uint32_t room);
  uint32_t flatToPaged(uint32_t oldWords, uint32_t words);
  uint32_t pagedToFlat(uint32_t words);
  void releaseStorage();
  void copyStorage(const BitVector &other);
  void becomeEmpty(uint32_t words);
  void readDense(BinInput &in, uint32_t words);
  void readSparse(BinInput &in, uint32_t words, uint32_t count);

  unsigned int *bvwords_ = nullptr;
  LargeWords *bvwordsLarge_ = nullptr;
  BinMagic *magic_ = nullptr;
  uint32_t maxIndex_ = 31;
  mutable uint32_t numSet_ = 0;
};

std::ostream &operator<<(std::ostream &out, const BitVector &bits);

template <class Fn> void BitVector::forEachRun(uint32_t from, Fn fn) const {
  uint32_t total = wordCount();
  if (bvwords_) {
    if (from < total)
      fn(from, bvwords_ + from, total - from);
    return;
  }
  if (!bvwordsLarge_)
    return;
  for (uint32_t w = from; w < total;) {
    uint32_t offset = w & BitVectorSplitter::kMask;
    uint32_t n = std::min(BitVectorSplitter::kPageSize - offset, total - w);
    const unsigned int *page =
        bvwordsLarge_->page(w >> BitVectorSplitter::kShift);
    if (fn(w, page ? page + offset : nullptr, n))
      return;
    w += n;
  }
}

template <class Fn>
void BitVector::forEachStoredRun(uint32_t from, uint32_t to, Fn fn) {
  if (bvwords_) {
    fn(bvwords_ + from, from, to - from + 1);
    return;
  }
  for (uint64_t w = from; w <= to;) {
    uint32_t offset = w & BitVectorSplitter::kMask;
    uint32_t n = static_cast<uint32_t>(
        std::min<uint64_t>(BitVectorSplitter::kPageSize - offset, to - w + 1));
    if (unsigned int *page = bvwordsLarge_->page(w >> BitVectorSplitter::kShift))
      fn(page + offset, static_cast<uint32_t>(w), n);
    w += n;
  }
}

