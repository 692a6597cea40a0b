//===- korfile.h - Block-structured data-model files ----------------------===//
//
// The data-model file reader and writer and their interfaces.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "ikordatamodel.h"
#include "korfileread.h"
#include "korfilestrings.h"
#include "korfilewrite.h"
