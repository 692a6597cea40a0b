//===- korfilestrings.h - Strings on binary streams as data-model blocks --===//
//
// A KorCString travels as a narrow string block (0x10003), a KorString as a
// wide string block (0x10005). Each string class has one shared writer and
// one shared reader, created on first use and attached to the stream only
// for the call, so strings cannot be serialised on two threads at once.
// The reading side learns the width of block sizes from its stream (4 bytes
// until a file header said otherwise).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korcstring.h"
#include "KorBasicTypes/korstring.h"

class BinInput;
class BinOutput;

/// Writes a narrow string block; a null string gives an empty block.
BinOutput &operator<<(BinOutput &out, const KorCString &text);
/// Reads a narrow string block; the text stays unchanged when it fails.
BinInput &operator>>(BinInput &in, KorCString &text);
/// Writes a wide string block.
BinOutput &operator<<(BinOutput &out, const KorString &text);
/// Reads a wide string block; the text stays unchanged when it fails.
BinInput &operator>>(BinInput &in, KorString &text);
