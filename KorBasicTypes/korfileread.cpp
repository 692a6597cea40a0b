//===- korfileread.cpp - Reader of block-structured data-model files ------===//
#include "KorBasicTypes/korfileread.h"
#include "KorBasicTypes/binfile.h"
#include "component/korassert.h"
#include <cstdio>
#include <new>
#include <unistd.h>

static constexpr const char *kUnit = "KorBasicTypes/korfile";

namespace {
/// "block 01000A": a block id as problems name it.
std::string blockName(uint32_t id) {
  char name[16];
  std::snprintf(name, sizeof name, "block %06X", id & 0xFFFFFFu);
  return name;
}

/// "block 01000A at offset 12".
std::string blockAt(uint32_t id, int64_t offset) {
  return blockName(id) + " at offset " + std::to_string(offset);
}
} // namespace

KorFileRead::KorFileRead() {
  end_.reserve(3);
  end_.push_back(0);
}

KorFileRead::KorFileRead(BinInput *stream) : KorFileRead() { attach(stream); }

KorFileRead::~KorFileRead() {
  close();
  dropPeekedName();
}

// --- Stream attachment ------------------------------------------------------

BinInput *KorFileRead::createInput(const KorWChar *path) {
  return new (std::nothrow) BinInputFile(path);
}

bool KorFileRead::open(const KorWChar *path) {
  KOR_CHECK(!bi_, "!bi_", kUnit, 1506);
  if (bi_)
    return false; // Replacing the attached stream would lose its blocks.
  if (::access(binPathToUtf8(path).c_str(), R_OK) != 0)
    return false;
  BinInput *stream = createInput(path);
  if (!stream)
    return false;
  if (!stream->good()) {
    delete stream;
    return false;
  }
  bi_ = stream;
  fileMode_ = true;
  good_ = true;
  problem_.clear();
  objectGuid_ = KorGuid{};
  readFileHeader();
  return true;
}

void KorFileRead::attach(BinInput *stream) {
  if (stream == bi_)
    return;
  objectGuid_ = KorGuid{};
  if (fileMode_)
    close();
  end_.resize(1);
  bi_ = stream;
  good_ = true;
  problem_.clear();
  fileMode_ = false;
}

// Leaves the innermost block only when one is entered: a reader attached at
// depth 0 closes without reporting an unbalanced end.
void KorFileRead::close() {
  if (bi_) {
    if (depth() > 0)
      endBlock();
    if (fileMode_) {
      bi_->close();
      delete bi_;
    }
    bi_ = nullptr;
  }
  end_.resize(1);
  good_ = false;
  fileMode_ = false;
}

bool KorFileRead::readFileHeader() {
  bool entered = beginBlock();
  if (entered && blockId_ != KorBlock::kFileHeader)
    fail(blockAt(blockId_, blockStart_) + " is no data-model file header");
  else if (entered && blockVersion_ >= 2)
    fail("file header version " + std::to_string(blockVersion_) +
         " at offset " + std::to_string(blockStart_) + " is not supported");
  return entered;
}

bool KorFileRead::good() { return good_ && bi_ && bi_->good(); }

void KorFileRead::fail(const std::string &what) {
  if (good_ && problem_.empty())
    problem_ = what;
  good_ = false;
}

void KorFileRead::moveTo(int64_t offset) {
  if (offset >= 0)
    bi_->seek(offset, true);
}

// --- Block headers ----------------------------------------------------------

// The size field at the width the file header announced (4 bytes until then).
bool KorFileRead::readHeader(Header &header) {
  if (bi_->sizeFieldWidth() == 64) {
    header.length = 12;
    return header.read = bi_->read(&header.size, 1);
  }
  uint32_t size = 0;
  header.length = 8;
  header.read = bi_->read(&size, 1);
  header.size = size;
  return header.read;
}

// A block is valid when it holds at least its own header and ends inside
// the stream and inside its enclosing block. A file header of size 0 (never
// closed) runs to the end; one entered at depth 0 must end there. Returns
// the problem, empty for a valid block.
std::string KorFileRead::blockEnd(uint32_t id, const Header &header,
                                  uint64_t &end) {
  uint64_t streamSize = bi_->streamSize();
  if (header.start < 0)
    return "a block at an unknown stream position";
  auto start = static_cast<uint64_t>(header.start);
  const bool fileHeader = id == KorBlock::kFileHeader;
  uint64_t size = header.size == 0 && fileHeader ? streamSize : header.size;
  std::string block = blockAt(id, header.start) + " declares " +
                      std::to_string(size) + " bytes";
  if (size < header.length)
    return block + ", less than its header";
  if (start > streamSize || size > streamSize - start)
    return block + ", past the end of the data at offset " +
           std::to_string(streamSize);
  end = start + size;
  if (depth() > 0 && end > end_.back())
    return block + ", past the end of its enclosing block at offset " +
           std::to_string(end_.back());
  if (fileHeader && depth() == 0 && end < streamSize)
    return std::to_string(streamSize - end) +
           " bytes after the last block, from offset " + std::to_string(end);
  return {};
}

bool KorFileRead::beginBlock() {
  KOR_CHECK(bi_, "bi_", kUnit, 1558);
  if (!bi_)
    return false;
  Header header;
  header.start = bi_->tell();
  int32_t tag = -1;
  bool tagRead = bi_->read(&tag, 1);
  blockId_ = static_cast<uint32_t>(tag) >> 8;
  blockVersion_ = static_cast<uint32_t>(tag) & 0xFF;
  if (tagRead && blockId_ == KorBlock::kFileHeader) {
    if (blockVersion_ != 0)
      bi_->setSizeFieldWidth64();
    else
      bi_->setSizeFieldWidth32();
  }
  blockStart_ = header.start;
  uint64_t end = 0;
  std::string problem;
  if (!tagRead || !readHeader(header))
    problem = "block header at offset " + std::to_string(header.start) +
              " is cut short";
  else if (good())
    problem = blockEnd(blockId_, header, end);
  KorGuid guid;
  if (problem.empty() && good() && blockId_ == KorBlock::kObject &&
      !readGuidValue(guid))
    problem = blockAt(blockId_, header.start) + " is cut short";
  if (problem.empty() && good()) {
    if (blockId_ == KorBlock::kObject)
      objectGuid_ = guid;
    end_.push_back(end);
    return true;
  }
  moveTo(header.start);
  fail(problem);
  return false;
}

bool KorFileRead::endBlock() {
  if (depth() == 0) {
    KOR_CHECK(!good_, "end_.size() > 0 || !good_", kUnit, 1732);
    return false;
  }
  if (good_ && bi_)
    moveTo(static_cast<int64_t>(end_.back()));
  end_.pop_back();
  bool streamGood = good();
  good_ = good_ && streamGood;
  return streamGood;
}

bool KorFileRead::atBlockEnd() {
  if (!good_ || !bi_)
    return true;
  int64_t at = bi_->tell();
  return at < 0 || static_cast<uint64_t>(at) >= end_.back();
}

bool KorFileRead::beginBlockExpect(uint32_t id) {
  bool entered = beginBlock();
  if (entered && blockId_ != id) {
    fail(blockAt(blockId_, blockStart_) + " where " + blockName(id) +
         " belongs");
    return false;
  }
  return entered;
}

bool KorFileRead::beginBlockExpect(uint32_t id, uint32_t maxVersion) {
  bool entered = beginBlockExpect(id);
  if (entered && blockVersion_ > maxVersion) {
    fail(blockAt(blockId_, blockStart_) + " has version " +
         std::to_string(blockVersion_) + ", above " +
         std::to_string(maxVersion));
    return false;
  }
  return entered;
}

uint64_t KorFileRead::remaining() {
  KOR_CHECK(bi_, "bi_", kUnit, 1784);
  if (!bi_ || !good_)
    return 0;
  int64_t at = bi_->tell();
  uint64_t end = end_.back();
  return at >= 0 && static_cast<uint64_t>(at) < end
             ? end - static_cast<uint64_t>(at)
             : 0;
}

bool KorFileRead::skipBlock() {
  if (!beginBlock())
    return false;
  endBlock();
  return good();
}

bool KorFileRead::beginObject(uint32_t &version) {
  bool entered = beginBlock();
  version = blockVersion_;
  return entered && blockId_ == KorBlock::kObject;
}

bool KorFileRead::endObject() {
  endBlock();
  return true;
}

bool KorFileRead::beginNamed(KorGuid &guid) {
  std::u16string name;
  readWideText(name);
  guid = *peekObjectGuid();
  return true;
}

bool KorFileRead::endNamed() { return true; }

// --- Peeks: each returns to where it started --------------------------------

const KorGuid *KorFileRead::peekObjectGuid() {
  peekedGuid_ = KorGuid{};
  if (!bi_)
    return &peekedGuid_;
  int64_t start = bi_->tell();
  int32_t tag;
  Header header;
  KorGuid guid;
  if (bi_->read(&tag, 1) && readHeader(header) && readGuidValue(guid))
    peekedGuid_ = guid;
  moveTo(start);
  return &peekedGuid_;
}

bool KorFileRead::isNextObject(const KorGuid &guid, uint32_t *version) {
  KOR_CHECK(bi_, "bi_", kUnit, 1625);
  if (version)
    *version = 0xFFFFFFFFu;
  if (!bi_)
    return false;
  Header header;
  header.start = bi_->tell();
  int32_t tag = -1;
  uint64_t end;
  KorGuid found;
  bool match = bi_->read(&tag, 1) &&
               static_cast<uint32_t>(tag) >> 8 == KorBlock::kObject &&
               readHeader(header) &&
               blockEnd(KorBlock::kObject, header, end).empty() &&
               readGuidValue(found) && found == guid;
  moveTo(header.start);
  if (match && version)
    *version = static_cast<uint32_t>(tag) & 0xFF;
  return match;
}

bool KorFileRead::isNextBlock(uint32_t id, uint32_t *version) {
  if (version)
    *version = 0xFFFFFFFFu;
  if (!bi_)
    return false;
  int64_t start = bi_->tell();
  int32_t tag = -1;
  bool read = bi_->read(&tag, 1);
  moveTo(start);
  if (!read || static_cast<uint32_t>(tag) >> 8 != id)
    return false;
  if (version)
    *version = static_cast<uint32_t>(tag) & 0xFF;
  return true;
}

uint32_t KorFileRead::peekBlockId() {
  if (!bi_)
    return 0xFFFFFFu;
  return static_cast<uint32_t>(bi_->peekInt32()) >> 8;
}

// --- Values -----------------------------------------------------------------

// The first field as a 32-bit value, the next two as 16-bit values, then the
// last eight bytes in order.
bool KorFileRead::readGuidValue(KorGuid &guid) {
  return bi_->read(&guid.data1, 1) && bi_->read(&guid.data2, 1) &&
         bi_->read(&guid.data3, 1) && bi_->read(guid.data4, 8);
}

// Fixed-payload blocks read their values whatever the header said, and
// leave the block only when it was entered.
template <class T>
bool KorFileRead::readBlock(uint32_t id, T *values, size_t n) {
  if (!bi_)
    return false;
  uint32_t outer = depth();
  beginBlockExpect(id);
  bi_->read(values, n);
  if (depth() > outer)
    endBlock();
  return true;
}

template <class Text> bool KorFileRead::readText(uint32_t id, Text &text) {
  using Unit = typename Text::value_type;
  if (!bi_)
    return false;
  uint32_t outer = depth();
  beginBlockExpect(id);
  bool done = false;
  if (good()) {
    uint64_t length = remaining() / sizeof(Unit);
    if (length > kMaxTextLength) {
      fail(blockAt(id, blockStart_) + " holds a text too long to read");
    } else {
      Text payload(length, Unit(0));
      bool complete;
      if constexpr (sizeof(Unit) == 1) {
        size_t got = bi_->readRaw(payload.data(), length);
        complete = got == length;
        payload.resize(got);
      } else {
        complete = bi_->read(payload.data(), length); // big-endian units
      }
      if (!complete)
        fail(blockAt(id, blockStart_) + " is cut short");
      text = std::move(payload);
      done = true;
    }
  }
  if (depth() > outer)
    endBlock();
  return done;
}

bool KorFileRead::readNarrowText(std::string &text) {
  return readText(KorBlock::kNarrowString, text);
}

bool KorFileRead::readWideText(std::u16string &text) {
  return readText(KorBlock::kWideString, text);
}

bool KorFileRead::readGuid(KorGuid &guid) {
  if (!bi_)
    return false;
  uint32_t outer = depth();
  beginBlockExpect(KorBlock::kGuid);
  if (good())
    readGuidValue(guid);
  if (depth() > outer)
    endBlock();
  return true;
}

bool KorFileRead::readFloat2(float v[2]) {
  return readBlock(KorBlock::kFloat2, v, 2);
}
bool KorFileRead::readDouble2(double v[2]) {
  return readBlock(KorBlock::kDouble2, v, 2);
}
bool KorFileRead::readMatrix4(double m[4][4]) {
  return readBlock(KorBlock::kMatrix4, &m[0][0], 16);
}
bool KorFileRead::readDouble3(double v[3]) {
  return readBlock(KorBlock::kDouble3, v, 3);
}
bool KorFileRead::readColour(float rgba[4]) {
  return readBlock(KorBlock::kColour, rgba, 4);
}
bool KorFileRead::readDouble4(double v[4]) {
  return readBlock(KorBlock::kDouble4, v, 4);
}

bool KorFileRead::readTriples(double *p, uint32_t count) {
  return bi_ && bi_->read(p, size_t(count) * 3);
}
bool KorFileRead::readDoubles(double *p, uint32_t count) {
  return bi_ && bi_->read(p, count);
}
bool KorFileRead::readFloats(float *p, uint32_t count) {
  return bi_ && bi_->read(p, count);
}
bool KorFileRead::readUInt32s(uint32_t *p, uint32_t count) {
  return bi_ && bi_->read(p, count);
}
bool KorFileRead::readInt32s(int32_t *p, uint32_t count) {
  return bi_ && bi_->read(p, count);
}
bool KorFileRead::readBytes(uint8_t *p, uint32_t count) {
  return bi_ && bi_->read(p, count);
}

bool KorFileRead::readStreamObject(IKorStreamObject *object) {
  if (!bi_ || !object)
    return false;
  object->readFrom(*bi_);
  return true;
}

bool KorFileRead::readObject(IKorDataModelObject *object) {
  if (!object)
    return false;
  object->load(this);
  return true;
}

bool KorFileRead::readDouble(double &value) {
  return bi_ && bi_->read(&value, 1);
}
bool KorFileRead::readFloat(float &value) {
  return bi_ && bi_->read(&value, 1);
}
bool KorFileRead::readUInt32(uint32_t &value) {
  return bi_ && (bi_->read(&value, 1), true);
}
bool KorFileRead::readInt32(int32_t &value) {
  return bi_ && bi_->read(&value, 1);
}
bool KorFileRead::readChar(char &value) { return bi_ && bi_->read(&value, 1); }
bool KorFileRead::readByte(uint8_t &value) {
  return bi_ && bi_->read(&value, 1);
}

// --- Strings ----------------------------------------------------------------

bool KorFileRead::readWideString(KorString &text) {
  std::u16string units;
  if (readWideText(units))
    text = KorString(std::u16string_view(units));
  return bi_ != nullptr;
}

bool KorFileRead::readString(KorCString &text) {
  std::string bytes;
  if (readNarrowText(bytes))
    text = bytes.c_str();
  return bi_ != nullptr;
}

// Only a name block is read: peeking at anything else leaves the reader as
// it was and gives the null string.
const KorString *KorFileRead::peekName() {
  dropPeekedName();
  peekedName_ = new KorString;
  if (!bi_ || !isNextBlock(KorBlock::kWideString))
    return peekedName_;
  int64_t start = bi_->tell();
  readWideString(*peekedName_);
  moveTo(start);
  return peekedName_;
}

void KorFileRead::dropPeekedName() {
  delete peekedName_;
  peekedName_ = nullptr;
}

KorFileRead &KorFileRead::operator>>(KorString &text) {
  if (hasStream())
    readWideString(text);
  return *this;
}

KorFileRead &KorFileRead::operator>>(KorCString &text) {
  if (hasStream())
    readString(text);
  return *this;
}

// --- Stream operators -------------------------------------------------------

bool KorFileRead::hasStream() {
  KOR_CHECK(bi_, "bi_", kUnit, 1806);
  return bi_ != nullptr;
}

#define KOR_READ_OPERATOR(Param, Call)                                         \
  KorFileRead &KorFileRead::operator>>(Param) {                                \
    if (hasStream())                                                           \
      Call;                                                                    \
    return *this;                                                              \
  }

KOR_READ_OPERATOR(KorGuid &guid, readGuid(guid))
KOR_READ_OPERATOR(float (&v)[2], readFloat2(v))
KOR_READ_OPERATOR(float (&rgba)[4], readColour(rgba))
KOR_READ_OPERATOR(double (&v)[2], readDouble2(v))
KOR_READ_OPERATOR(double (&v)[3], readDouble3(v))
KOR_READ_OPERATOR(double (&v)[4], readDouble4(v))
KOR_READ_OPERATOR(double (&m)[4][4], readMatrix4(m))
KOR_READ_OPERATOR(double &value, readDouble(value))
KOR_READ_OPERATOR(float &value, readFloat(value))
KOR_READ_OPERATOR(uint32_t &value, readUInt32(value))
KOR_READ_OPERATOR(int32_t &value, readInt32(value))
KOR_READ_OPERATOR(char &value, readChar(value))
KOR_READ_OPERATOR(uint8_t &value, readByte(value))
#undef KOR_READ_OPERATOR
