//===- korfilewrite.cpp - Writer of block-structured data-model files -----===//
#include "KorBasicTypes/korfilewrite.h"
#include "KorBasicTypes/binencoding.h"
#include "KorBasicTypes/binfile.h"
#include "component/korassert.h"
#include <cstring>
#include <new>

static constexpr const char *kUnit = "KorBasicTypes/korfile";

using binio_detail::Codec;

KorFileWrite::KorFileWrite() {
  starts_.reserve(2);
  starts_.push_back(0);
}

KorFileWrite::KorFileWrite(BinOutput *stream, bool fileMode) : KorFileWrite() {
  attach(stream, fileMode);
}

KorFileWrite::~KorFileWrite() { detach(); }

// --- Stream attachment ------------------------------------------------------

BinOutput *KorFileWrite::createOutput(const KorWChar *path) {
  return new (std::nothrow) BinOutputFile(path);
}

bool KorFileWrite::open(const KorWChar *path) {
  KOR_CHECK(!bo_, "!bo_", kUnit, 1075);
  if (bo_)
    return false; // Replacing the attached stream would lose its blocks.
  BinOutput *stream = createOutput(path);
  if (!stream)
    return false;
  stream->setFormatVersion(static_cast<int32_t>(formatVersion_));
  if (!stream->good()) {
    delete stream;
    return false;
  }
  bo_ = stream;
  ownsStream_ = true;
  fileMode_ = true;
  good_ = true;
  beginBlock(KorBlock::kFileHeader, fileHeaderVersion());
  return true;
}

void KorFileWrite::attach(BinOutput *stream, bool fileMode) {
  if (stream == bo_)
    return;
  detach();
  bo_ = stream;
  good_ = true;
  fileMode_ = fileMode;
  if (stream)
    formatVersion_ = static_cast<uint32_t>(stream->formatVersion());
}

void KorFileWrite::detach() {
  if (!bo_)
    return;
  closeBlocksAbove(fileMode_ ? 1 : 0);
  if (fileMode_)
    finishStream();
  bo_ = nullptr;
  ownsStream_ = false;
  starts_.resize(1);
}

// Closes the file header block, so its size becomes the file length.
void KorFileWrite::finishStream() {
  if (depth() > 0)
    endBlock();
  bo_->flush();
  if (ownsStream_)
    delete bo_;
}

void KorFileWrite::closeBlocksAbove(uint32_t keep) {
  while (depth() > keep)
    endBlock();
}

bool KorFileWrite::writeFileHeader() {
  beginBlock(KorBlock::kFileHeader, fileHeaderVersion());
  return good();
}

bool KorFileWrite::setFormatVersion(uint32_t version) {
  formatVersion_ = version;
  if (bo_)
    bo_->setFormatVersion(static_cast<int32_t>(version));
  return true;
}

// Format versions 1 to 9 use 4-byte size fields; 0 and 10 on use 8 bytes.
bool KorFileWrite::eightByteSizes() const {
  return formatVersion_ == 0 || formatVersion_ > 9;
}

bool KorFileWrite::good() { return good_ && bo_ && bo_->good(); }

// --- Blocks -----------------------------------------------------------------

bool KorFileWrite::beginBlock(uint32_t id, uint8_t version) {
  if (!bo_)
    return false;
  uint64_t start = static_cast<uint64_t>(bo_->position());
  int32_t tag = static_cast<int32_t>((id << 8) | version);
  bo_->write(&tag, 1);
  starts_.push_back(start);
  if (eightByteSizes()) {
    uint64_t placeholder = 0;
    return bo_->write(&placeholder, 1);
  }
  uint32_t placeholder = 0;
  return bo_->write(&placeholder, 1);
}

// A size field still held in the output buffer is patched there; otherwise
// the writer seeks back to it and returns, flushing on both seeks. Either
// way the buffer is empty once the outermost block is closed, so a caller
// done with its blocks finds every byte handed to the stream's sink.
bool KorFileWrite::endBlock() {
  if (!bo_ || depth() == 0)
    return false;
  int64_t end = bo_->position();
  uint64_t start = starts_.back();
  starts_.pop_back();
  uint64_t size = static_cast<uint64_t>(end) - start;
  uint8_t field[8];
  size_t width = 8;
  if (eightByteSizes()) {
    Codec<uint64_t>::encode(size, field);
  } else {
    width = 4;
    if (size > 0xFFFFFFFFu) {
      good_ = false;
      size = 0xFFFFFFFFu;
    }
    Codec<uint32_t>::encode(static_cast<uint32_t>(size), field);
  }
  auto fieldAt = static_cast<int64_t>(start + 4);
  if (bo_->overwriteBuffered(fieldAt, field, width))
    return depth() > 0 || bo_->flushBuffer();
  bool ok = bo_->flushAndSeek(fieldAt, true);
  ok = bo_->writeRaw(field, width) && ok;
  return bo_->flushAndSeek(end, true) && ok;
}

bool KorFileWrite::beginObjectGuid(const KorGuid &guid, uint8_t version) {
  if (!bo_)
    return false;
  beginBlock(KorBlock::kObject, version);
  return writeGuidValue(guid);
}

bool KorFileWrite::beginObject(IKorClassIdentity *object, uint8_t version) {
  if (!object)
    return false;
  beginObjectGuid(object->classGuid(), version);
  return true;
}

bool KorFileWrite::endObject() {
  endBlock();
  return true;
}

bool KorFileWrite::endNamed() { return true; }

// --- Values -----------------------------------------------------------------

// The first field as a 32-bit value, the next two as 16-bit values, then the
// last eight bytes in order.
bool KorFileWrite::writeGuidValue(const KorGuid &guid) {
  bool ok = bo_->write(&guid.data1, 1);
  ok = bo_->write(&guid.data2, 1) && ok;
  ok = bo_->write(&guid.data3, 1) && ok;
  return bo_->write(guid.data4, 8) && ok;
}

template <class T>
bool KorFileWrite::writeBlock(uint32_t id, const T *values, size_t n) {
  if (!bo_)
    return false;
  beginBlock(id, 0);
  bo_->write(values, n);
  endBlock();
  return true;
}

bool KorFileWrite::writeTriples(const double *p, uint32_t count) {
  return bo_ && bo_->write(p, size_t(count) * 3);
}
bool KorFileWrite::writeDoubles(const double *p, uint32_t count) {
  return bo_ && bo_->write(p, count);
}
bool KorFileWrite::writeFloats(const float *p, uint32_t count) {
  return bo_ && bo_->write(p, count);
}
bool KorFileWrite::writeUInt32s(const uint32_t *p, uint32_t count) {
  return bo_ && bo_->write(p, count);
}
bool KorFileWrite::writeInt32s(const int32_t *p, uint32_t count) {
  return bo_ && bo_->write(p, count);
}
bool KorFileWrite::writeBytes(const uint8_t *p, uint32_t count) {
  return bo_ && bo_->write(p, count);
}

bool KorFileWrite::writeStreamObject(IKorStreamObject *object) {
  if (!bo_ || !object)
    return false;
  object->writeTo(*bo_);
  return true;
}

bool KorFileWrite::writeObject(IKorDataModelObject *object) {
  if (!object)
    return false;
  object->save(this);
  return true;
}

bool KorFileWrite::writeGuid(const KorGuid &guid) {
  if (!bo_)
    return false;
  beginBlock(KorBlock::kGuid, 0);
  writeGuidValue(guid);
  endBlock();
  return true;
}

bool KorFileWrite::writeFloat2(const float v[2]) {
  return writeBlock(KorBlock::kFloat2, v, 2);
}
bool KorFileWrite::writeDouble2(const double v[2]) {
  return writeBlock(KorBlock::kDouble2, v, 2);
}
bool KorFileWrite::writeMatrix4(const double m[4][4]) {
  return writeBlock(KorBlock::kMatrix4, &m[0][0], 16);
}
bool KorFileWrite::writeDouble3(const double v[3]) {
  return writeBlock(KorBlock::kDouble3, v, 3);
}
bool KorFileWrite::writeColour(const float rgba[4]) {
  return writeBlock(KorBlock::kColour, rgba, 4);
}
bool KorFileWrite::writeDouble4(const double v[4]) {
  return writeBlock(KorBlock::kDouble4, v, 4);
}
bool KorFileWrite::writeWideText(const KorWChar *text, size_t length) {
  return writeBlock(KorBlock::kWideString, text, text ? length : 0);
}
bool KorFileWrite::writeString(const char *text) {
  return writeBlock(KorBlock::kNarrowString, text,
                    text ? std::strlen(text) : 0);
}

bool KorFileWrite::writeDouble(double value) {
  return bo_ && bo_->write(&value, 1);
}
bool KorFileWrite::writeFloat(float value) {
  return bo_ && bo_->write(&value, 1);
}
bool KorFileWrite::writeUInt32(uint32_t value) {
  return bo_ && (bo_->write(&value, 1), true);
}
bool KorFileWrite::writeInt32(int32_t value) {
  return bo_ && bo_->write(&value, 1);
}
bool KorFileWrite::writeChar(char value) {
  return bo_ && bo_->write(&value, 1);
}
bool KorFileWrite::writeByte(uint8_t value) {
  return bo_ && bo_->write(&value, 1);
}

// --- Strings ----------------------------------------------------------------

bool KorFileWrite::writeWideString(const KorString &text) {
  return writeWideText(text.data(), size_t(text.length()));
}

bool KorFileWrite::beginNamed(const KorString &name) {
  writeWideString(name);
  return true;
}

KorFileWrite &KorFileWrite::operator<<(const KorString &text) {
  if (hasStream())
    writeWideString(text);
  return *this;
}

KorFileWrite &KorFileWrite::operator<<(const KorCString &text) {
  if (hasStream())
    writeString(text.data());
  return *this;
}

// --- Stream operators -------------------------------------------------------

bool KorFileWrite::hasStream() {
  KOR_CHECK(bo_, "bo_", kUnit, 1097);
  return bo_ != nullptr;
}

#define KOR_WRITE_OPERATOR(Param, Call)                                        \
  KorFileWrite &KorFileWrite::operator<<(Param) {                              \
    if (hasStream())                                                           \
      Call;                                                                    \
    return *this;                                                              \
  }

KOR_WRITE_OPERATOR(const KorGuid &guid, writeGuid(guid))
KOR_WRITE_OPERATOR(const float (&v)[2], writeFloat2(v))
KOR_WRITE_OPERATOR(const float (&rgba)[4], writeColour(rgba))
KOR_WRITE_OPERATOR(const double (&v)[2], writeDouble2(v))
KOR_WRITE_OPERATOR(const double (&v)[3], writeDouble3(v))
KOR_WRITE_OPERATOR(const double (&v)[4], writeDouble4(v))
KOR_WRITE_OPERATOR(const double (&m)[4][4], writeMatrix4(m))
KOR_WRITE_OPERATOR(const char *text, writeString(text))
KOR_WRITE_OPERATOR(double value, writeDouble(value))
KOR_WRITE_OPERATOR(float value, writeFloat(value))
KOR_WRITE_OPERATOR(uint32_t value, writeUInt32(value))
KOR_WRITE_OPERATOR(int32_t value, writeInt32(value))
KOR_WRITE_OPERATOR(char value, writeChar(value))
KOR_WRITE_OPERATOR(uint8_t value, writeByte(value))
#undef KOR_WRITE_OPERATOR
