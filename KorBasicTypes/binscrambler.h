//===- binscrambler.h - Process-wide byte transform of binary files -------===//
//
// Every buffer a binary stream writes to or reads from a file passes through
// the installed scrambler, keyed by the file position of its first byte. No
// scrambler is installed by default; whoever installs one hands over its
// ownership.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstddef>
#include <cstdint>

/// Transforms file bytes in place as a function of their file position;
/// unscramble must invert scramble for the same position.
class BinIO_Scrambler {
public:
  virtual ~BinIO_Scrambler();
  /// Transforms `length` bytes just before they are written at `filePosition`.
  virtual void scramble(uint8_t *buffer, int64_t filePosition,
                        size_t length) = 0;
  /// Transforms `length` bytes just after they were read from `filePosition`.
  virtual void unscramble(uint8_t *buffer, int64_t filePosition,
                          size_t length) = 0;
};

/// Installs `s` (null removes scrambling). A different scrambler that was
/// installed before is deleted; installing the same one again does nothing.
void setScrambler(BinIO_Scrambler *s);

/// The installed scrambler, or null.
BinIO_Scrambler *binioScrambler();
