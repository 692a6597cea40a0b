// Fuzz target: the data-model file reader walking the block tree of
// arbitrary bytes, with every peek, typed block read and skip it offers.
#include "KorBasicTypes/binio.h"
#include "KorBasicTypes/korfile.h"
#include "tests/unit/support/memorystream.h"
#include <cstddef>
#include <cstdint>

namespace {
// Deeper blocks are skipped whole, which keeps the recursion bounded.
constexpr int kMaxDepth = 64;

// Reads a block of a known id through its typed slot; false for other ids.
bool readKnownBlock(KorFileRead &r, uint32_t id) {
  double d[16];
  float f[4];
  KorGuid guid;
  KorCString narrow;
  KorString wide;
  switch (id) {
  case KorBlock::kDouble3:
    return r.readDouble3(d);
  case KorBlock::kColour:
    return r.readColour(f);
  case KorBlock::kNarrowString:
    return r.readString(narrow);
  case KorBlock::kMatrix4:
    return r.readMatrix4(reinterpret_cast<double(*)[4]>(d));
  case KorBlock::kWideString:
    r.peekName();
    return r.readWideString(wide);
  case KorBlock::kDouble4:
    return r.readDouble4(d);
  case KorBlock::kGuid:
    return r.readGuid(guid);
  case KorBlock::kDouble2:
    return r.readDouble2(d);
  case KorBlock::kFloat2:
    return r.readFloat2(f);
  default:
    return false;
  }
}

void walk(KorFileRead &r, int depth) {
  while (!r.atBlockEnd()) {
    uint32_t id = r.peekBlockId();
    uint32_t version;
    r.isNextBlock(id, &version);
    r.isNextObject(*r.peekObjectGuid(), &version);
    if (readKnownBlock(r, id))
      continue;
    if (!r.beginBlock())
      return;
    r.remaining();
    if (depth < kMaxDepth)
      walk(r, depth + 1);
    r.endBlock();
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  {
    MemoryInput in(data, size);
    KorFileRead reader(&in);
    reader.readFileHeader();
    walk(reader, 1);
    reader.good();
  }
  {
    // Skipping sibling blocks without entering them.
    MemoryInput in(data, size);
    KorFileRead reader(&in);
    if (reader.readFileHeader())
      while (reader.skipBlock())
        ;
  }
  {
    // Strings read straight from the stream, as the string classes do.
    MemoryInput in(data, size);
    KorCString narrow;
    KorString wide;
    in >> narrow >> wide;
  }
  return 0;
}
