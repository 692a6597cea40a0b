//===- korfilestrings.cpp - String blocks of the data-model format --------===//
//
// Placeholders until the string classes are available: the string slots
// report failure and change nothing.
//
//===----------------------------------------------------------------------===//
#include "korfileread.h"
#include "korfilewrite.h"

bool KorFileWrite::writeWideString(const KorString &) { return false; }
bool KorFileWrite::beginNamed(const KorString &) { return false; }
KorFileWrite &KorFileWrite::operator<<(const KorString &) { return *this; }

bool KorFileRead::readWideString(KorString &) { return false; }
bool KorFileRead::readString(KorCString &) { return false; }
const KorString *KorFileRead::peekName() { return nullptr; }
void KorFileRead::dropPeekedName() {}
KorFileRead &KorFileRead::operator>>(KorString &) { return *this; }
KorFileRead &KorFileRead::operator>>(KorCString &) { return *this; }
