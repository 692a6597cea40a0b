//===- binmagic.h - 4-byte class tag written before serialised data -------===//
//
// A tag holds a 24-bit class id in its upper bits and an 8-bit version in
// its low byte. A negative value is the invalid tag (conventionally -1).
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>
#include <iosfwd>

class BinInput;
class BinOutput;

/// A 24-bit id and 8-bit version packed into one signed 32-bit value.
class BinMagic {
public:
  /// The invalid tag.
  BinMagic() = default;
  /// A tag from its raw 32-bit value.
  explicit BinMagic(int32_t raw) : magic_(raw) {}
  /// A tag from id and version; a negative id is taken as the raw value.
  BinMagic(int32_t id, uint8_t version)
      : magic_(id < 0 ? id
                      : static_cast<int32_t>((static_cast<uint32_t>(id) << 8) |
                                             version)) {}

  /// The raw 32-bit value.
  int32_t value() const { return magic_; }
  /// The upper 24 bits, or -1 for the invalid tag.
  int32_t id() const { return magic_ < 0 ? -1 : magic_ >> 8; }
  /// The low 8 bits, or -1 for the invalid tag.
  int32_t version() const { return magic_ < 0 ? -1 : magic_ & 0xFF; }

  /// Writes the value as 4 big-endian bytes.
  bool write(BinOutput &out) const;
  /// Reads a tag into this object; true when its id equals the id held
  /// before the read (so a tag built from the expected id verifies it).
  bool readCompareId(BinInput &in);
  /// Reads a tag into this object; true when it equals `magic`.
  bool readCompare(BinInput &in, BinMagic magic);
  /// Reads a tag into this object and reports "magic_ == magic" when it
  /// differs from `magic`; returns whether it matched.
  bool readAssert(BinInput &in, BinMagic magic);

  friend bool operator==(BinMagic a, BinMagic b) {
    return a.magic_ == b.magic_;
  }

private:
  bool readValue(BinInput &in);

  int32_t magic_ = -1;
};

/// Prints the value shifted right by 8, a blank and the low 8 bits.
std::ostream &operator<<(std::ostream &os, BinMagic magic);
