//===- binencoding.h - Big-endian wire form of the binary stream types ----===//
//
// Internal to the binary streams: one codec per primitive, each giving the
// width on disk and the conversion of one value to and from its bytes.
// Integers are stored most significant byte first; floats and doubles as
// their IEEE 754 bit pattern in the same order; 8-bit values unchanged.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/binmagic.h"
#include "component/kortypes.h"
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace binio_detail {

/// An integer of `Width` bytes on disk. Signed values are sign-extended
/// from the top bit of the first byte when read.
template <class T, size_t Width = sizeof(T)> struct IntCodec {
  static_assert(std::is_integral_v<T> && Width <= 8);
  static constexpr size_t kWidth = Width;

  static void encode(T value, uint8_t *out) {
    auto bits = static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
    for (size_t i = Width; i-- > 0; bits >>= 8)
      out[i] = static_cast<uint8_t>(bits);
  }
  static T decode(const uint8_t *in) {
    uint64_t bits = 0;
    for (size_t i = 0; i < Width; ++i)
      bits = (bits << 8) | in[i];
    if constexpr (std::is_signed_v<T> && Width < 8)
      if (in[0] & 0x80)
        bits |= ~uint64_t(0) << (8 * Width);
    return static_cast<T>(bits);
  }
};

/// A floating-point value as its bit pattern, most significant byte first.
template <class F, class Bits> struct FloatCodec {
  static_assert(sizeof(F) == sizeof(Bits));
  static constexpr size_t kWidth = sizeof(F);

  static void encode(F value, uint8_t *out) {
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    IntCodec<Bits>::encode(bits, out);
  }
  static F decode(const uint8_t *in) {
    Bits bits = IntCodec<Bits>::decode(in);
    F value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
};

/// A tag as its signed 32-bit value.
struct MagicCodec {
  static constexpr size_t kWidth = 4;
  static void encode(BinMagic value, uint8_t *out) {
    IntCodec<int32_t>::encode(value.value(), out);
  }
  static BinMagic decode(const uint8_t *in) {
    return BinMagic(IntCodec<int32_t>::decode(in));
  }
};

template <class T> struct Codec;
template <> struct Codec<char> : IntCodec<char> {};
template <> struct Codec<int8_t> : IntCodec<int8_t> {};
template <> struct Codec<uint8_t> : IntCodec<uint8_t> {};
template <> struct Codec<int16_t> : IntCodec<int16_t> {};
template <> struct Codec<uint16_t> : IntCodec<uint16_t> {};
template <> struct Codec<KorWChar> : IntCodec<KorWChar> {};
template <> struct Codec<int32_t> : IntCodec<int32_t> {};
template <> struct Codec<uint32_t> : IntCodec<uint32_t> {};
template <> struct Codec<uint64_t> : IntCodec<uint64_t> {};
template <> struct Codec<float> : FloatCodec<float, uint32_t> {};
template <> struct Codec<double> : FloatCodec<double, uint64_t> {};
template <> struct Codec<BinMagic> : MagicCodec {};

} // namespace binio_detail
