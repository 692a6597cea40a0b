//===- bitvectorio.cpp - Binary form of BitVector -------------------------===//
//
// The form is the tag, then the word count, maxIndex, the encoding (0 dense,
// 1 sparse) and the set-bit count, all big-endian; then either every word
// or the index of every set bit. The sparse form is used for vectors of
// more than 32 words with fewer set bits than half their words.
//
// Limits on what a stream can make the reader do (a stream is untrusted):
// - the word count is at most kMaxWords (2^27, the whole 32-bit index
//   space); a larger count cannot come from a writer and is read like the
//   empty header (a one-word vector);
// - dense words are stored as they arrive: a flat block grows by doubling
//   from 16384 words and a paged array allocates pages only for non-zero
//   words, so a stream that runs dry never causes more than twice its own
//   size (plus one chunk) in allocations;
// - a sparse vector allocates its declared size up front (a paged array
//   only its page table, at most 512 KiB; a flat block at most 512 MiB, the
//   largest vector there is); the declared index count only bounds the
//   loop, which stops as soon as the stream runs dry; a negative index is
//   skipped, a non-negative one beyond the vector grows it (at most to
//   2^31 bits).
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/bitvector.h"
#include <algorithm>

namespace {
constexpr uint32_t kPageWords = BitVectorSplitter::kPageSize;
/// First step of a flat block that grows while dense words arrive.
constexpr uint32_t kDenseChunkWords = 16384;
/// Set indices written per typed write.
constexpr uint32_t kIndexBatch = 256;
/// The format version from which on (and 0, the current one) the sparse
/// form may be written.
constexpr int32_t kSparseFromVersion = 12;

enum Encoding : int32_t { kDense = 0, kSparse = 1 };
} // namespace

BitVector::BitVector(BinInput &in) : BitVector(kStart) { read(in); }

bool BitVector::write(BinOutput &out) const {
  if (!hasStorage(__LINE__))
    return false;
  uint32_t words = wordCount();
  int32_t version = out.formatVersion();
  bool sparse = words > 32 &&
                (version == 0 || version > kSparseFromVersion) &&
                count() < words / 2;
  BinMagic tag = magic_ ? *magic_ : BinMagic(int32_t(kTag));
  tag.write(out);
  uint32_t header[2] = {words, maxIndex_};
  int32_t encoding = sparse ? kSparse : kDense;
  uint32_t setBits = sparse ? count() : numSet_;
  out.write(header, 2);
  out.write(&encoding, 1);
  out.write(&setBits, 1);
  if (!sparse) {
    static const uint32_t zeros[kPageWords] = {};
    forEachRun(0, [&](uint32_t, const unsigned int *run, uint32_t n) {
      out.write(run ? run : zeros, n);
      return false;
    });
    return out.good();
  }
  int32_t batch[kIndexBatch];
  uint32_t used = 0;
  for (int64_t i = find(0, true); i >= 0; i = find(i + 1, true)) {
    batch[used++] = static_cast<int32_t>(i);
    if (used == kIndexBatch) {
      out.write(batch, used);
      used = 0;
    }
  }
  out.write(batch, used);
  return out.good();
}

// The tag and the header are read before anything changes: a stream that
// ends within them leaves the vector, tag included, as it was.
bool BitVector::read(BinInput &in) {
  BinMagic tag{int32_t(kTag)};
  if (!in.read(&tag, 1))
    return false;
  const bool matches = tag.id() == BinMagic(int32_t(kTag)).id();
  uint32_t header[2] = {0, 0};
  int32_t encoding = kDense;
  uint32_t setBits = 0;
  if (matches &&
      !(in.read(header, 2) && in.read(&encoding, 1) && in.read(&setBits, 1)))
    return false;
  if (magic_)
    *magic_ = tag;
  else
    magic_ = new BinMagic(tag);
  if (!matches)
    return false;
  releaseStorage();
  numSet_ = kUnknownCount;
  uint32_t words = header[0], highest = header[1];
  if (words == 0 || words > kMaxWords || highest == 0 || highest == kStart)
    becomeEmpty(1);
  else if (encoding == kSparse)
    readSparse(in, words, setBits);
  else
    readDense(in, words);
  return true;
}

void BitVector::becomeEmpty(uint32_t words) {
  if (words < kPagedWords || !KorMM::isAvailable())
    bvwords_ = allocFlat(words);
  else
    bvwordsLarge_ = new LargeWords(words);
  maxIndex_ = maxIndexFor(words);
  numSet_ = 0;
}

void BitVector::readDense(BinInput &in, uint32_t words) {
  if (words >= kPagedWords && KorMM::isAvailable()) {
    becomeEmpty(words);
    numSet_ = kUnknownCount;
    uint32_t chunk[kPageWords];
    for (uint32_t w = 0; w < words; w += kPageWords) {
      uint32_t n = std::min(kPageWords, words - w);
      std::fill_n(chunk, n, 0u);
      bool complete = in.read(chunk, n);
      for (uint32_t k = 0; k < n; ++k)
        bvwordsLarge_->set(w + k, chunk[k]);
      if (!complete)
        return;
    }
    return;
  }
  // Flat: read what the block holds, then double it while the stream still
  // delivers, so a stream that runs dry leaves a block of about its size.
  becomeEmpty(std::min(words, kDenseChunkWords));
  numSet_ = kUnknownCount;
  for (uint32_t have = 0;;) {
    uint32_t room = wordCount();
    if (!in.read(bvwords_ + have, room - have) || room == words)
      return;
    have = room;
    uint32_t next = static_cast<uint32_t>(
        std::min<uint64_t>(uint64_t(room) * 2, words));
    maxIndex_ = maxIndexFor(reallocFlat(room, next, next));
  }
}

void BitVector::readSparse(BinInput &in, uint32_t words, uint32_t count) {
  becomeEmpty(words);
  for (uint32_t i = 0; i < count; ++i) {
    int32_t index;
    if (!in.read(&index, 1))
      return;
    if (index >= 0)
      set(static_cast<uint32_t>(index));
  }
}
