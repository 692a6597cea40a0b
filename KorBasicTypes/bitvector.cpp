//===- bitvector.cpp - Growable set of bit flags with a cached count ------===//
#include "KorBasicTypes/bitvector.h"
#include "component/korassert.h"
#include <algorithm>
#include <cstring>
#include <ostream>

static constexpr const char *kUnit = "KorBasicTypes/bitvector";
#define BITVECTOR_CHECK(cond, text) KOR_CHECK(cond, text, kUnit, __LINE__)

namespace {
constexpr uint32_t kBitMask = (1u << BitVector::kWordShift) - 1;

uint32_t bitOf(uint32_t index) { return 1u << (index & kBitMask); }

/// Set bits in `n` words, taken two at a time as one 64-bit value and
/// summed in four independent totals.
[[gnu::always_inline]] inline uint32_t popcountWords(const unsigned int *words,
                                                     uint32_t n) {
  uint64_t totals[4] = {0, 0, 0, 0};
  uint32_t k = 0;
  for (; k + 8 <= n; k += 8) {
    uint64_t quad[4];
    std::memcpy(quad, words + k, sizeof quad);
    for (int i = 0; i < 4; ++i)
      totals[i] += uint64_t(__builtin_popcountll(quad[i]));
  }
  for (; k < n; ++k)
    totals[0] += uint64_t(__builtin_popcount(words[k]));
  return uint32_t(totals[0] + totals[1] + totals[2] + totals[3]);
}

uint32_t popcountWordsPortable(const unsigned int *words, uint32_t n) {
  return popcountWords(words, n);
}

#if defined(__x86_64__) || defined(__i386__)
/// The same with the processor's population count instruction.
__attribute__((target("popcnt"))) uint32_t
popcountWordsWithInstruction(const unsigned int *words, uint32_t n) {
  return popcountWords(words, n);
}
#endif

using PopcountWords = uint32_t (*)(const unsigned int *, uint32_t);

/// The population count instruction where the processor has it (the
/// library is built for processors that may lack it).
PopcountWords choosePopcountWords() {
#if defined(__x86_64__) || defined(__i386__)
  if (__builtin_cpu_supports("popcnt"))
    return popcountWordsWithInstruction;
#endif
  return popcountWordsPortable;
}
} // namespace

//===----------------------------------------------------------------------===//
// Construction and storage
//===----------------------------------------------------------------------===//

unsigned int *BitVector::allocFlat(uint32_t words) {
  void *slot = nullptr;
  nyrRealloc(&slot, sizeof(unsigned int), 0, words, words);
  return static_cast<unsigned int *>(slot);
}

BitVector::BitVector(uint32_t bits) : magic_(new BinMagic(int32_t(kTag))) {
  uint32_t words = bits == kStart ? 1 : (bits >> kWordShift) + 1;
  maxIndex_ = maxIndexFor(words);
  if (words < kPagedWords || !KorMM::isAvailable())
    bvwords_ = allocFlat(words);
  else
    bvwordsLarge_ = new LargeWords(words);
}

BitVector::BitVector(const BitVector &other)
    : KorShared(),
      magic_(new BinMagic(other.magic_ ? *other.magic_ : BinMagic(int32_t(kTag)))),
      maxIndex_(other.maxIndex_), numSet_(other.numSet_) {
  copyStorage(other);
}

BitVector::BitVector(BitVector &&other) noexcept
    : KorShared(), bvwords_(std::exchange(other.bvwords_, nullptr)),
      bvwordsLarge_(std::exchange(other.bvwordsLarge_, nullptr)),
      magic_(std::exchange(other.magic_, nullptr)),
      maxIndex_(std::exchange(other.maxIndex_, 31)),
      numSet_(std::exchange(other.numSet_, 0)) {}

BitVector::~BitVector() {
  releaseStorage();
  delete magic_;
}

void BitVector::releaseStorage() {
  nyrFree(bvwords_);
  bvwords_ = nullptr;
  delete bvwordsLarge_;
  bvwordsLarge_ = nullptr;
}

void BitVector::copyStorage(const BitVector &other) {
  if (other.bvwords_) {
    bvwords_ = allocFlat(other.wordCount());
    std::memcpy(bvwords_, other.bvwords_,
                other.wordCount() * sizeof(unsigned int));
  } else if (other.bvwordsLarge_) {
    bvwordsLarge_ = new LargeWords(*other.bvwordsLarge_);
  } else {
    other.hasStorage(__LINE__);
    bvwords_ = allocFlat(1);
    maxIndex_ = maxIndexFor(1);
    numSet_ = 0;
  }
}

BitVector &BitVector::operator=(const BitVector &other) {
  if (this == &other || !other.hasStorage(__LINE__))
    return *this;
  if (other.bvwords_) {
    uint32_t words = other.wordCount();
    delete bvwordsLarge_;
    bvwordsLarge_ = nullptr;
    if (bvwords_ && wordCount() >= words) {
      // The longer block stays, with this vector's own length.
      if (numSet_ != 0)
        std::memset(bvwords_ + words, 0,
                    (wordCount() - words) * sizeof(unsigned int));
    } else {
      nyrFree(bvwords_);
      bvwords_ = allocFlat(words);
      maxIndex_ = other.maxIndex_;
    }
    std::memcpy(bvwords_, other.bvwords_, words * sizeof(unsigned int));
  } else {
    if (bvwordsLarge_) {
      *bvwordsLarge_ = *other.bvwordsLarge_;
    } else {
      nyrFree(bvwords_);
      bvwords_ = nullptr;
      bvwordsLarge_ = new LargeWords(*other.bvwordsLarge_);
    }
    maxIndex_ = other.maxIndex_;
  }
  numSet_ = other.numSet_;
  return *this;
}

BitVector &BitVector::operator=(BitVector &&other) noexcept {
  if (this == &other)
    return *this;
  releaseStorage();
  delete magic_;
  bvwords_ = std::exchange(other.bvwords_, nullptr);
  bvwordsLarge_ = std::exchange(other.bvwordsLarge_, nullptr);
  magic_ = std::exchange(other.magic_, nullptr);
  maxIndex_ = std::exchange(other.maxIndex_, 31);
  numSet_ = std::exchange(other.numSet_, 0);
  return *this;
}

bool BitVector::hasStorage(int line) const {
  if (bvwords_ || bvwordsLarge_)
    return true;
  Assert_basic("bvwords_ || bvwordsLarge_", kUnit, line);
  return false;
}

uint32_t *BitVector::writableWord(uint32_t w) {
  if (bvwords_)
    return bvwords_ + w;
  return bvwordsLarge_->writablePage(w >> BitVectorSplitter::kShift) +
         (w & BitVectorSplitter::kMask);
}

//===----------------------------------------------------------------------===//
// Single bits and counting
//===----------------------------------------------------------------------===//

bool BitVector::test(uint32_t index) const {
  if (index > maxIndex_ || !hasStorage(__LINE__))
    return false;
  return (word(index >> kWordShift) & bitOf(index)) != 0;
}

bool BitVector::set(uint32_t index) {
  if (!hasStorage(__LINE__))
    return true;
  if (index > maxIndex_)
    resize(index);
  uint32_t *w = writableWord(index >> kWordShift);
  if (!(*w & bitOf(index))) {
    *w |= bitOf(index);
    if (numSet_ != kUnknownCount)
      ++numSet_;
  }
  return true;
}

bool BitVector::clear(uint32_t index) {
  if (index > maxIndex_ || !hasStorage(__LINE__))
    return true;
  if (!(word(index >> kWordShift) & bitOf(index)))
    return true;
  *writableWord(index >> kWordShift) &= ~bitOf(index);
  if (numSet_ != kUnknownCount)
    --numSet_;
  return true;
}

bool BitVector::clearRange(uint32_t first, uint32_t last) {
  if (first > maxIndex_ || !hasStorage(__LINE__))
    return false;
  last = std::min(last, maxIndex_);
  numSet_ = kUnknownCount;
  if (first > last)
    return true;
  uint32_t firstWord = first >> kWordShift, lastWord = last >> kWordShift;
  forEachStoredRun(firstWord, lastWord,
                   [&](unsigned int *words, uint32_t w0, uint32_t n) {
                     for (uint32_t k = 0; k < n; ++k) {
                       uint32_t mask = ~0u;
                       if (w0 + k == firstWord)
                         mask &= ~0u << (first & kBitMask);
                       if (w0 + k == lastWord)
                         mask &= ~0u >> (kBitMask - (last & kBitMask));
                       words[k] &= ~mask;
                     }
                   });
  return true;
}

void BitVector::clearAll() {
  if (numSet_ == 0 || !hasStorage(__LINE__))
    return;
  if (bvwords_)
    std::memset(bvwords_, 0, wordCount() * sizeof(unsigned int));
  else
    bvwordsLarge_->clear();
  numSet_ = 0;
}

uint32_t BitVector::count() const {
  if (numSet_ != kUnknownCount || !hasStorage(__LINE__))
    return numSet_ == kUnknownCount ? 0 : numSet_;
  static const PopcountWords popcount = choosePopcountWords();
  uint32_t total = 0;
  forEachRun(0, [&](uint32_t, const unsigned int *words, uint32_t n) {
    if (words)
      total += popcount(words, n);
    return false;
  });
  numSet_ = total;
  return total;
}

//===----------------------------------------------------------------------===//
// Resizing
//===----------------------------------------------------------------------===//

void BitVector::resize(uint32_t highest) {
  if (!hasStorage(__LINE__))
    return;
  uint32_t h = std::max(highest, 31u);
  uint32_t cur = maxIndex_;
  if (h == cur)
    return;
  bool growing = h > cur;
  uint64_t target = h;
  if (growing)
    for (target = cur; target <= h;)
      target *= 2;
  uint32_t wanted = (h >> kWordShift) + 1;
  uint32_t oldWords = (cur >> kWordShift) + 1;
  uint32_t capacity = static_cast<uint32_t>(
      std::min<uint64_t>((target >> kWordShift) + 1, kMaxWords));
  if (wanted == oldWords)
    return;
  if (!growing)
    numSet_ = kUnknownCount;

  uint32_t words;
  if (bvwords_) {
    if (wanted <= kPagedWords || !growing)
      words = reallocFlat(oldWords, wanted,
                          std::min(capacity, kFlatReserveWords));
    else if (KorMM::isAvailable())
      words = flatToPaged(oldWords, capacity);
    else
      words = reallocFlat(oldWords, wanted, wanted);
  } else if (!growing && wanted <= kBackToFlatWords) {
    words = pagedToFlat(wanted);
  } else {
    words = growing ? capacity : wanted;
    bvwordsLarge_->resize(words);
  }
  maxIndex_ = maxIndexFor(words);
}

uint32_t BitVector::reallocFlat(uint32_t oldWords, uint32_t wanted,
                                uint32_t room) {
  void *slot = bvwords_;
  auto words = static_cast<uint32_t>(nyrRealloc(
      &slot, sizeof(unsigned int), oldWords, wanted, std::max(room, wanted)));
  bvwords_ = static_cast<unsigned int *>(slot);
  return words;
}

uint32_t BitVector::flatToPaged(uint32_t oldWords, uint32_t words) {
  BITVECTOR_CHECK(!bvwordsLarge_, "!bvwordsLarge_");
  delete bvwordsLarge_;
  bvwordsLarge_ = new LargeWords(words);
  for (uint32_t w = 0; w < oldWords; ++w)
    bvwordsLarge_->set(w, bvwords_[w]);
  nyrFree(bvwords_);
  bvwords_ = nullptr;
  return words;
}

uint32_t BitVector::pagedToFlat(uint32_t words) {
  BITVECTOR_CHECK(!bvwords_, "!bvwords_");
  nyrFree(bvwords_);
  bvwords_ = nullptr;
  unsigned int *flat = allocFlat(words);
  forEachRun(0, [&](uint32_t w0, const unsigned int *run, uint32_t n) {
    if (w0 >= words)
      return true;
    if (run)
      std::memcpy(flat + w0, run,
                  std::min(n, words - w0) * sizeof(unsigned int));
    return false;
  });
  delete bvwordsLarge_;
  bvwordsLarge_ = nullptr;
  bvwords_ = flat;
  return words;
}

//===----------------------------------------------------------------------===//
// Searching and comparing
//===----------------------------------------------------------------------===//

int64_t BitVector::find(uint64_t from, bool value) const {
  if (from > maxIndex_)
    return -1;
  uint32_t firstWord = static_cast<uint32_t>(from >> kWordShift);
  uint32_t firstMask = ~0u << (from & kBitMask);
  int64_t found = -1;
  forEachRun(firstWord, [&](uint32_t w0, const unsigned int *words,
                            uint32_t n) {
    if (!words) {
      if (value)
        return false;
      found = std::max<int64_t>(from, int64_t(w0) << kWordShift);
      return true;
    }
    for (uint32_t k = 0; k < n; ++k) {
      uint32_t bits = value ? words[k] : ~words[k];
      if (w0 + k == firstWord)
        bits &= firstMask;
      if (bits) {
        found = (int64_t(w0 + k) << kWordShift) + std::countr_zero(bits);
        return true;
      }
    }
    return false;
  });
  return found;
}

int32_t BitVector::nextSetAfterWord(uint32_t after) const {
  if (after != kStart && after > maxIndex_)
    return -1;
  if (!hasStorage(__LINE__))
    return -1;
  return static_cast<int32_t>(find(after == kStart ? 0 : after + 1ull, true));
}

int32_t BitVector::nextClear(uint32_t after) const {
  if (after != kStart && after > maxIndex_)
    return -1;
  if (!hasStorage(__LINE__))
    return -1;
  return static_cast<int32_t>(find(after == kStart ? 0 : after + 1ull, false));
}

bool BitVector::operator==(const BitVector &other) const {
  if (this == &other)
    return true;
  if (numSet_ != kUnknownCount && other.numSet_ != kUnknownCount &&
      numSet_ != other.numSet_)
    return false;
  if (!hasStorage(__LINE__) || !other.hasStorage(__LINE__))
    return false;
  const BitVector &shorter = wordCount() <= other.wordCount() ? *this : other;
  const BitVector &longer = &shorter == this ? other : *this;
  uint32_t common = shorter.wordCount();
  bool equal = true;
  longer.forEachRun(0, [&](uint32_t w0, const unsigned int *words,
                           uint32_t n) {
    if (!words) // a missing page: the shorter vector's words must be zero
      equal = w0 >= common || shorter.zeroWords(w0, std::min(w0 + n, common));
    for (uint32_t k = 0; words && k < n && equal; ++k)
      equal = words[k] == (w0 + k < common ? shorter.word(w0 + k) : 0);
    return !equal;
  });
  return equal;
}

bool BitVector::zeroWords(uint32_t from, uint32_t to) const {
  bool zero = true;
  forEachRun(from, [&](uint32_t w0, const unsigned int *words, uint32_t n) {
    for (uint32_t k = 0; words && k < n && w0 + k < to && zero; ++k)
      zero = words[k] == 0;
    return !zero || w0 + n >= to;
  });
  return zero;
}

//===----------------------------------------------------------------------===//
// Combining
//===----------------------------------------------------------------------===//

BitVector &BitVector::intersect(const BitVector &other) {
  if (this == &other || numSet_ == 0)
    return *this;
  if (other.numSet_ == 0) {
    clearAll();
    return *this;
  }
  if (!hasStorage(__LINE__) || !other.hasStorage(__LINE__))
    return *this;
  numSet_ = kUnknownCount;
  uint32_t common = std::min(wordCount(), other.wordCount());
  forEachStoredRun(0, wordCount() - 1,
                   [&](unsigned int *words, uint32_t w0, uint32_t n) {
                     for (uint32_t k = 0; k < n; ++k)
                       words[k] = w0 + k < common
                                      ? words[k] & other.word(w0 + k)
                                      : 0;
                   });
  return *this;
}

void BitVector::growToFit(const BitVector &other) {
  if (!hasStorage(__LINE__) || !other.hasStorage(__LINE__))
    return;
  int64_t last = -1;
  other.forEachRun(wordCount(), [&](uint32_t w0, const unsigned int *words,
                                    uint32_t n) {
    if (words)
      for (uint32_t k = 0; k < n; ++k)
        if (words[k])
          last = w0 + k;
    return false;
  });
  if (last >= 0)
    resize(maxIndexFor(uint64_t(last) + 1));
}

//===----------------------------------------------------------------------===//
// Printing
//===----------------------------------------------------------------------===//

std::ostream &BitVector::print(std::ostream &out) const {
  out << "numSet=" << count() << '\n';
  uint32_t printed = 0;
  for (int64_t i = find(0, true); i >= 0; i = find(i + 1, true)) {
    if (printed != 0 && printed % 8 == 0)
      out << '\n';
    out << i << ' ';
    ++printed;
  }
  return out << '\n';
}

std::ostream &operator<<(std::ostream &out, const BitVector &bits) {
  return bits.print(out);
}
