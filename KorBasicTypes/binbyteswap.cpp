//===- binbyteswap.cpp - Whole arrays between memory and big-endian form --===//
#include "KorBasicTypes/binbyteswap.h"
#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

static_assert(std::endian::native == std::endian::little,
              "the wire form is big-endian; this conversion swaps every word");

namespace {
uint16_t reversed(uint16_t word) { return __builtin_bswap16(word); }
uint32_t reversed(uint32_t word) { return __builtin_bswap32(word); }
uint64_t reversed(uint64_t word) { return __builtin_bswap64(word); }

template <class Word>
void copySwappedWords(const uint8_t *src, uint8_t *dst, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    Word word;
    std::memcpy(&word, src + i * sizeof(Word), sizeof word);
    word = reversed(word);
    std::memcpy(dst + i * sizeof(Word), &word, sizeof word);
  }
}

void copySwappedScalar(const uint8_t *src, uint8_t *dst, size_t count,
                       size_t width) {
  switch (width) {
  case 2:
    return copySwappedWords<uint16_t>(src, dst, count);
  case 4:
    return copySwappedWords<uint32_t>(src, dst, count);
  case 8:
    return copySwappedWords<uint64_t>(src, dst, count);
  default:
    std::memcpy(dst, src, count * width);
  }
}

#if defined(__x86_64__)
/// The shuffle that reverses every word of `Width` bytes: for each byte of
/// a 16-byte lane, the lane position it takes its value from.
template <int Width> struct ReverseShuffle {
  alignas(32) int8_t from[32];
  constexpr ReverseShuffle() : from() {
    for (int i = 0; i < 32; ++i) {
      int inLane = i & 15;
      int wordStart = inLane & ~(Width - 1);
      from[i] = int8_t(wordStart + (wordStart + Width - 1 - inLane));
    }
  }
};
constexpr ReverseShuffle<2> kReverse2;
constexpr ReverseShuffle<4> kReverse4;
constexpr ReverseShuffle<8> kReverse8;

constexpr size_t kPrefetchAhead = 2048;

__attribute__((target("avx2"))) void
copySwappedAvx2(const uint8_t *src, uint8_t *dst, size_t count, size_t width) {
  const int8_t *from = width == 2   ? kReverse2.from
                       : width == 4 ? kReverse4.from
                       : width == 8 ? kReverse8.from
                                    : nullptr;
  if (!from)
    return copySwappedScalar(src, dst, count, width);
  const __m256i mask =
      _mm256_load_si256(reinterpret_cast<const __m256i *>(from));
  size_t bytes = count * width;
  size_t done = 0;
  for (; done + 32 <= bytes; done += 32) {
    // Large arrays are converted a stream buffer at a time: asking for the
    // source two buffers ahead keeps memory busy across the calls.
    __builtin_prefetch(src + done + kPrefetchAhead);
    __m256i chunk =
        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(src + done));
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst + done),
                        _mm256_shuffle_epi8(chunk, mask));
  }
  copySwappedScalar(src + done, dst + done, (bytes - done) / width, width);
}
#endif

using CopySwapped = void (*)(const uint8_t *, uint8_t *, size_t, size_t);

CopySwapped chooseCopySwapped() {
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx2"))
    return copySwappedAvx2;
#endif
  return copySwappedScalar;
}
} // namespace

void binCopySwapped(const void *src, void *dst, size_t count, size_t width) {
  static const CopySwapped copy = chooseCopySwapped();
  copy(static_cast<const uint8_t *>(src), static_cast<uint8_t *>(dst), count,
       width);
}
