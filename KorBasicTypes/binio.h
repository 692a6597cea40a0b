//===- binio.h - Big-endian binary streams of the core library ------------===//
//
// The typed streams every persistent format of the core library goes
// through: BinInput and BinOutput (abstract), their stdio file bindings,
// the process-wide scrambler hook and the BinMagic class tag.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "binfile.h"
#include "bininput.h"
#include "binmagic.h"
#include "binoutput.h"
#include "binscrambler.h"
