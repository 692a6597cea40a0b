//===- binscrambler.cpp - Process-wide byte transform of binary files -----===//
#include "KorBasicTypes/binscrambler.h"

namespace {
// Installed before streams are in use; read without a lock.
BinIO_Scrambler *gScrambler = nullptr;
} // namespace

BinIO_Scrambler::~BinIO_Scrambler() = default;

void setScrambler(BinIO_Scrambler *s) {
  if (s == gScrambler)
    return;
  delete gScrambler;
  gScrambler = s;
}

BinIO_Scrambler *binioScrambler() { return gScrambler; }
