//===- korfilewrite.h - Writer of block-structured data-model files -------===//
//
// KorFileWrite writes values and nested blocks on a BinOutput. Each block
// starts with its tag and a zero size; closing the block patches the size in
// place (in the output buffer while the field is still there, else by
// seeking back to it), so a block of any length costs no memory.
// Opened on a path, the writer keeps the file header block open for its
// whole life; detaching closes it, so its size becomes the file length.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/ikordatamodel.h"
#include <cstddef>
#include <vector>

/// Writer of data-model files; see IKorDataModelWriter.
class KorFileWrite : public IKorDataModelWriter {
public:
  /// Slot 31: the stream open() writes to; null when it cannot be created.
  /// Declared first: the class's first new table entry, right after the
  /// two destructor entries the interface's table ends with.
  virtual BinOutput *createOutput(const KorWChar *path);

  KOR_CLASS(KorFileWrite, IKorDataModelWriter)

  /// A writer without stream, in file mode, format version 0.
  KorFileWrite();
  /// A writer on a stream it does not own, taking the stream's format
  /// version. In file mode it closes a header block written with
  /// writeFileHeader() and flushes the stream when it detaches.
  KorFileWrite(BinOutput *stream, bool fileMode);
  /// Closes the open blocks and, in file mode, detaches.
  ~KorFileWrite() override;

  bool writeTriples(const double *p, uint32_t count) override;
  bool writeDoubles(const double *p, uint32_t count) override;
  bool writeFloats(const float *p, uint32_t count) override;
  bool writeUInt32s(const uint32_t *p, uint32_t count) override;
  bool writeInt32s(const int32_t *p, uint32_t count) override;
  bool writeBytes(const uint8_t *p, uint32_t count) override;
  bool writeStreamObject(IKorStreamObject *object) override;
  bool writeObject(IKorDataModelObject *object) override;
  bool writeGuid(const KorGuid &guid) override;
  bool writeFloat2(const float v[2]) override;
  bool writeDouble2(const double v[2]) override;
  bool writeMatrix4(const double m[4][4]) override;
  bool writeDouble3(const double v[3]) override;
  bool writeWideString(const KorString &text) override;
  bool writeString(const char *text) override;
  bool writeDouble(double value) override;
  bool writeFloat(float value) override;
  bool writeUInt32(uint32_t value) override;
  bool writeInt32(int32_t value) override;
  bool writeChar(char value) override;
  bool writeByte(uint8_t value) override;
  bool beginObject(IKorClassIdentity *object, uint8_t version) override;
  bool endObject() override;
  bool beginNamed(const KorString &name) override;
  bool endNamed() override;
  bool beginObjectGuid(const KorGuid &guid, uint8_t version) override;
  bool beginBlock(uint32_t id, uint8_t version) override;
  bool endBlock() override;
  bool good() override;

  /// Creates the file and writes the file header block; false when the
  /// file cannot be created or a stream is attached already.
  bool open(const KorWChar *path);
  /// Switches to another stream (not owned); the current one is finished
  /// first as by detach(). Attaching the current stream does nothing.
  void attach(BinOutput *stream, bool fileMode);
  /// Closes the open blocks and forgets the stream; in file mode also
  /// closes the header block, flushes and deletes an owned stream.
  void detach();
  /// Writes the file header block on the attached stream; good().
  bool writeFileHeader();
  /// Stores the format version and hands it to the attached stream.
  bool setFormatVersion(uint32_t version);
  uint32_t formatVersion() const { return formatVersion_; }
  /// Number of open blocks.
  uint32_t depth() const { return static_cast<uint32_t>(starts_.size() - 1); }
  BinOutput *stream() const { return bo_; }

  /// Block 0x10005 of `length` UTF-16 code units; true.
  bool writeWideText(const KorWChar *text, size_t length);
  /// Block 0x10001: the colour class's four components; true.
  bool writeColour(const float rgba[4]);
  /// Block 0x10007: four doubles; true.
  bool writeDouble4(const double v[4]);

  /// Stream operators; each reports "bo_" when no stream is attached.
  KorFileWrite &operator<<(const KorGuid &guid);
  KorFileWrite &operator<<(const float (&v)[2]);
  KorFileWrite &operator<<(const float (&rgba)[4]);
  KorFileWrite &operator<<(const double (&v)[2]);
  KorFileWrite &operator<<(const double (&v)[3]);
  KorFileWrite &operator<<(const double (&v)[4]);
  KorFileWrite &operator<<(const double (&m)[4][4]);
  KorFileWrite &operator<<(const KorString &text);
  KorFileWrite &operator<<(const char *text);
  KorFileWrite &operator<<(const KorCString &text);
  KorFileWrite &operator<<(double value);
  KorFileWrite &operator<<(float value);
  KorFileWrite &operator<<(uint32_t value);
  KorFileWrite &operator<<(int32_t value);
  KorFileWrite &operator<<(char value);
  KorFileWrite &operator<<(uint8_t value);

private:
  bool eightByteSizes() const;
  uint8_t fileHeaderVersion() const { return eightByteSizes() ? 1 : 0; }
  bool writeGuidValue(const KorGuid &guid);
  template <class T> bool writeBlock(uint32_t id, const T *values, size_t n);
  bool hasStream();
  void closeBlocksAbove(uint32_t keep);
  void finishStream();

  BinOutput *bo_ = nullptr;
  /// Start offsets of the open blocks' tags; index 0 holds 0.
  std::vector<uint64_t> starts_;
  bool ownsStream_ = false;
  bool good_ = true;
  bool fileMode_ = true;
  uint32_t formatVersion_ = 0;
};
