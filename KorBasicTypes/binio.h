//===- binio.h - Big-endian binary streams of the core library ------------===//
//
// The typed streams every persistent format of the core library goes
// through: BinInput and BinOutput (abstract), their stdio file bindings,
// the process-wide scrambler hook and the BinMagic class tag.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/binfile.h"
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/binmagic.h"
#include "KorBasicTypes/binoutput.h"
#include "KorBasicTypes/binscrambler.h"
