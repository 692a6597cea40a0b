//===- korfileread.h - Reader of block-structured data-model files --------===//
//
// KorFileRead walks the block tree written by KorFileWrite. Each entered
// block's end offset is kept on a stack, so leaving a block skips whatever
// of it was not read. Errors accumulate in a good flag instead of stopping
// the caller: an invalid block header moves back to its start and clears
// the flag, and the caller checks good() at the end of a load.
//
// Limits: a block must lie inside the stream (its end at most streamSize())
// and inside the block that holds it, so no size read from a file can make
// the reader allocate or skip beyond the real data. A file header block
// entered at depth 0 must cover the stream to its end: bytes after the last
// block are damage. Text blocks hold at most kMaxTextLength code units
// (string lengths are signed 32-bit); a longer one clears the good flag
// unread. The first such problem is kept as text naming its byte offset.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/ikordatamodel.h"
#include <cstddef>
#include <string>
#include <vector>

/// Reader of data-model files; see IKorDataModelReader.
class KorFileRead : public IKorDataModelReader {
public:
  /// Slot 35: the stream open() reads from; null when it cannot be created.
  /// Declared first: the class's first new table entry, right after the
  /// two destructor entries the interface's table ends with.
  virtual BinInput *createInput(const KorWChar *path);

  KOR_CLASS(KorFileRead, IKorDataModelReader)

  /// Longest narrow or wide text block accepted, in code units.
  static constexpr size_t kMaxTextLength = 0x7FFFFFFE;

  /// A reader without stream.
  KorFileRead();
  /// A reader on a stream it does not own.
  explicit KorFileRead(BinInput *stream);
  /// Closes the stream as close() does.
  ~KorFileRead() override;

  bool readTriples(double *p, uint32_t count) override;
  bool readDoubles(double *p, uint32_t count) override;
  bool readFloats(float *p, uint32_t count) override;
  bool readUInt32s(uint32_t *p, uint32_t count) override;
  bool readInt32s(int32_t *p, uint32_t count) override;
  bool readBytes(uint8_t *p, uint32_t count) override;
  bool readStreamObject(IKorStreamObject *object) override;
  bool readObject(IKorDataModelObject *object) override;
  bool readGuid(KorGuid &guid) override;
  bool readFloat2(float v[2]) override;
  bool readDouble2(double v[2]) override;
  bool readMatrix4(double m[4][4]) override;
  bool readDouble3(double v[3]) override;
  bool readWideString(KorString &text) override;
  bool readString(KorCString &text) override;
  bool readDouble(double &value) override;
  bool readFloat(float &value) override;
  bool readUInt32(uint32_t &value) override;
  bool readInt32(int32_t &value) override;
  bool readChar(char &value) override;
  bool readByte(uint8_t &value) override;
  const KorGuid *peekObjectGuid() override;
  /// On a block of another id the block stays entered.
  bool beginObject(uint32_t &version) override;
  bool endObject() override;
  const KorString *peekName() override;
  bool beginNamed(KorGuid &guid) override;
  bool endNamed() override;
  bool beginBlock() override;
  bool atBlockEnd() override;
  bool endBlock() override;
  uint32_t blockId() override { return blockId_; }
  uint32_t blockVersion() override { return blockVersion_; }
  const KorGuid &objectGuid() override { return objectGuid_; }
  bool good() override;
  uint32_t peekBlockId() override;

  /// Opens a readable file and enters its header block. True whenever the
  /// file could be opened; good() tells whether the header was valid.
  bool open(const KorWChar *path);
  /// Switches to another stream (not owned) at depth 0; a stream the reader
  /// opened itself is closed first.
  void attach(BinInput *stream);
  /// Leaves the innermost block, closes and deletes an owned stream and
  /// forgets the stream; good() is false afterwards.
  void close();
  /// Enters the file header block on the attached stream; the result of
  /// beginBlock(). The good flag stays set only for a valid header.
  bool readFileHeader();
  /// Enters the next block and requires its id.
  bool beginBlockExpect(uint32_t id);
  /// Enters the next block and requires its id and at most maxVersion.
  bool beginBlockExpect(uint32_t id, uint32_t maxVersion);
  /// Bytes left in the innermost block; 0 when not good.
  uint64_t remaining();
  /// Enters and leaves the next block; good().
  bool skipBlock();
  /// Whether a valid object block of class `guid` starts here; version
  /// receives its version (all bits set otherwise). Never moves.
  bool isNextObject(const KorGuid &guid, uint32_t *version = nullptr);
  /// Whether the next tag has id `id`; version receives its version (all
  /// bits set otherwise). Never moves.
  bool isNextBlock(uint32_t id, uint32_t *version = nullptr);
  /// Number of entered blocks.
  uint32_t depth() const { return static_cast<uint32_t>(end_.size() - 1); }
  BinInput *stream() const { return bi_; }
  /// What first made the reader fail, naming its byte offset; empty while
  /// no damage was found.
  const std::string &problem() const { return problem_; }

  /// Reads a narrow text block into `text`; false (text unchanged) when the
  /// reader is not good after entering the block.
  bool readNarrowText(std::string &text);
  /// Reads a wide text block into `text`, as readNarrowText.
  bool readWideText(std::u16string &text);
  /// Block 0x10001: the colour class's four components; true.
  bool readColour(float rgba[4]);
  /// Block 0x10007: four doubles; true.
  bool readDouble4(double v[4]);

  /// Stream operators; each reports "bi_" when no stream is attached.
  KorFileRead &operator>>(KorGuid &guid);
  KorFileRead &operator>>(float (&v)[2]);
  KorFileRead &operator>>(float (&rgba)[4]);
  KorFileRead &operator>>(double (&v)[2]);
  KorFileRead &operator>>(double (&v)[3]);
  KorFileRead &operator>>(double (&v)[4]);
  KorFileRead &operator>>(double (&m)[4][4]);
  KorFileRead &operator>>(KorString &text);
  KorFileRead &operator>>(KorCString &text);
  KorFileRead &operator>>(double &value);
  KorFileRead &operator>>(float &value);
  KorFileRead &operator>>(uint32_t &value);
  KorFileRead &operator>>(int32_t &value);
  KorFileRead &operator>>(char &value);
  KorFileRead &operator>>(uint8_t &value);

private:
  /// A block header as read from the stream.
  struct Header {
    int64_t start = 0;
    uint64_t size = 0;
    uint32_t length = 0;
    bool read = false;
  };
  bool readHeader(Header &header);
  std::string blockEnd(uint32_t id, const Header &header, uint64_t &end);
  /// Clears the good flag and keeps the first problem.
  void fail(const std::string &what);
  bool readGuidValue(KorGuid &guid);
  bool enterExpected(uint32_t id);
  template <class T> bool readBlock(uint32_t id, T *values, size_t n);
  template <class Text> bool readText(uint32_t id, Text &text);
  bool hasStream();
  void moveTo(int64_t offset);
  void dropPeekedName();

  BinInput *bi_ = nullptr;
  /// End offsets of the entered blocks; index 0 holds 0.
  std::vector<uint64_t> end_;
  uint32_t blockId_ = 0;
  uint32_t blockVersion_ = 0;
  /// Offset of the last block header read.
  int64_t blockStart_ = 0;
  KorGuid objectGuid_;
  bool good_ = false;
  /// Set when the reader opened (and owns) its stream.
  bool fileMode_ = false;
  KorGuid peekedGuid_;
  KorString *peekedName_ = nullptr;
  std::string problem_;
};
