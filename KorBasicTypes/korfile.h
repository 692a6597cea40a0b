//===- korfile.h - Block-structured data-model files ----------------------===//
//
// The data-model file reader and writer, their interfaces and the streams
// they work on.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "binio.h"
#include "ikordatamodel.h"
#include "korfileread.h"
#include "korfilestrings.h"
#include "korfilewrite.h"
