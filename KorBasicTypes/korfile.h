//===- korfile.h - Block-structured data-model files ----------------------===//
//
// The data-model file reader and writer, their interfaces and the streams
// they work on.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/binio.h"
#include "KorBasicTypes/ikordatamodel.h"
#include "KorBasicTypes/korfileread.h"
#include "KorBasicTypes/korfilestrings.h"
#include "KorBasicTypes/korfilewrite.h"
