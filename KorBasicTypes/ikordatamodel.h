//===- ikordatamodel.h - Writer and reader of block-structured files ------===//
//
// IKorDataModelWriter and IKorDataModelReader are the interfaces through
// which data-model objects save and load themselves. A file is a tree of
// blocks; each starts with a 4-byte tag (24-bit id, 8-bit version) and a
// 4- or 8-byte big-endian size that counts the whole block. Virtual
// operations stand in slot order (noted as "slot n").
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include <cstdint>

class BinInput;
class BinOutput;
class KorCString;
class KorString;
class IKorDataModelReader;
class IKorDataModelWriter;

/// Block ids of the data-model format.
namespace KorBlock {
/// The file header block: the letters N, Y, R.
constexpr uint32_t kFileHeader = 0x4E5952;
constexpr uint32_t kDouble3 = 0x10000;
/// The colour class's four float components in member order.
constexpr uint32_t kColour = 0x10001;
constexpr uint32_t kNarrowString = 0x10003;
constexpr uint32_t kMatrix4 = 0x10004;
constexpr uint32_t kWideString = 0x10005;
constexpr uint32_t kDouble4 = 0x10007;
constexpr uint32_t kGuid = 0x10008;
constexpr uint32_t kDouble2 = 0x10009;
constexpr uint32_t kFloat2 = 0x10010;
/// An object: its class GUID followed by the object's own data.
constexpr uint32_t kObject = 0x0B0002;
} // namespace KorBlock

/// An object that writes and reads itself directly on the binary streams.
class IKorStreamObject {
public:
  /// Slot 0.
  virtual bool readFrom(BinInput &in) = 0;
  /// Slot 1.
  virtual bool writeTo(BinOutput &out) = 0;

protected:
  ~IKorStreamObject() = default;
};

/// A data-model object that saves and loads itself as values and blocks.
class IKorDataModelObject {
public:
  /// Slot 0.
  virtual bool save(IKorDataModelWriter *writer) = 0;
  /// Slot 1.
  virtual bool load(IKorDataModelReader *reader) = 0;

protected:
  ~IKorDataModelObject() = default;
};

/// An object that names its class by a GUID.
class IKorClassIdentity {
public:
  /// Slot 0.
  virtual KorGuid classGuid() = 0;

protected:
  ~IKorClassIdentity() = default;
};

/// Writes values and blocks. Results are those of the underlying stream
/// unless a slot is documented to answer true.
class IKorDataModelWriter : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDataModelWriter)
  /// Slots 0-5: arrays without a block (triples: 3 * count doubles).
  virtual bool writeTriples(const double *p, uint32_t count) = 0;
  virtual bool writeDoubles(const double *p, uint32_t count) = 0;
  virtual bool writeFloats(const float *p, uint32_t count) = 0;
  virtual bool writeUInt32s(const uint32_t *p, uint32_t count) = 0;
  virtual bool writeInt32s(const int32_t *p, uint32_t count) = 0;
  virtual bool writeBytes(const uint8_t *p, uint32_t count) = 0;
  /// Slot 6: the object writes itself on the stream; true.
  virtual bool writeStreamObject(IKorStreamObject *object) = 0;
  /// Slot 7: the object saves itself through this writer; true.
  virtual bool writeObject(IKorDataModelObject *object) = 0;
  /// Slots 8-14: fixed-payload blocks; true.
  virtual bool writeGuid(const KorGuid &guid) = 0;
  virtual bool writeFloat2(const float v[2]) = 0;
  virtual bool writeDouble2(const double v[2]) = 0;
  virtual bool writeMatrix4(const double m[4][4]) = 0;
  virtual bool writeDouble3(const double v[3]) = 0;
  virtual bool writeWideString(const KorString &text) = 0;
  /// The bytes up to the terminator; an empty block for null.
  virtual bool writeString(const char *text) = 0;
  /// Slots 15-20: single values (writeUInt32 answers true).
  virtual bool writeDouble(double value) = 0;
  virtual bool writeFloat(float value) = 0;
  virtual bool writeUInt32(uint32_t value) = 0;
  virtual bool writeInt32(int32_t value) = 0;
  virtual bool writeChar(char value) = 0;
  virtual bool writeByte(uint8_t value) = 0;
  /// Slot 21: opens an object block for the object's class GUID; true.
  virtual bool beginObject(IKorClassIdentity *object, uint8_t version) = 0;
  /// Slot 22: closes the object block; true.
  virtual bool endObject() = 0;
  /// Slot 23: writes the name as a wide string block; true.
  virtual bool beginNamed(const KorString &name) = 0;
  /// Slot 24: nothing is written; true.
  virtual bool endNamed() = 0;
  /// Slot 25: opens an object block and writes the GUID; the GUID write's
  /// result.
  virtual bool beginObjectGuid(const KorGuid &guid, uint8_t version) = 0;
  /// Slot 26: writes the tag and a size placeholder; the placeholder
  /// write's result.
  virtual bool beginBlock(uint32_t id, uint8_t version) = 0;
  /// Slot 27: patches the innermost open block's size in place.
  virtual bool endBlock() = 0;
  /// Slot 28: no size overflow so far and a good stream attached.
  virtual bool good() = 0;
  /// Slots 29, 30: reserved queries; false.
  virtual bool reservedQuery29() { return false; }
  virtual bool reservedQuery30() { return false; }
};

/// Reads values and blocks; errors accumulate in a good flag.
class IKorDataModelReader : public virtual IKorUnknown {
  KOR_INTERFACE(IKorDataModelReader)
  /// Slots 0-5: arrays without a block (triples: 3 * count doubles).
  virtual bool readTriples(double *p, uint32_t count) = 0;
  virtual bool readDoubles(double *p, uint32_t count) = 0;
  virtual bool readFloats(float *p, uint32_t count) = 0;
  virtual bool readUInt32s(uint32_t *p, uint32_t count) = 0;
  virtual bool readInt32s(int32_t *p, uint32_t count) = 0;
  virtual bool readBytes(uint8_t *p, uint32_t count) = 0;
  /// Slot 6: the object reads itself from the stream; true.
  virtual bool readStreamObject(IKorStreamObject *object) = 0;
  /// Slot 7: the object loads itself through this reader; true.
  virtual bool readObject(IKorDataModelObject *object) = 0;
  /// Slots 8-14: fixed-payload blocks of the expected id; true.
  virtual bool readGuid(KorGuid &guid) = 0;
  virtual bool readFloat2(float v[2]) = 0;
  virtual bool readDouble2(double v[2]) = 0;
  virtual bool readMatrix4(double m[4][4]) = 0;
  virtual bool readDouble3(double v[3]) = 0;
  virtual bool readWideString(KorString &text) = 0;
  virtual bool readString(KorCString &text) = 0;
  /// Slots 15-20: single values (readUInt32 answers true).
  virtual bool readDouble(double &value) = 0;
  virtual bool readFloat(float &value) = 0;
  virtual bool readUInt32(uint32_t &value) = 0;
  virtual bool readInt32(int32_t &value) = 0;
  virtual bool readChar(char &value) = 0;
  virtual bool readByte(uint8_t &value) = 0;
  /// Slot 21: the class GUID of the object block at the current position,
  /// without moving.
  virtual const KorGuid *peekObjectGuid() = 0;
  /// Slot 22: opens the next block; true when it is an object block.
  /// version receives the block's version in every case.
  virtual bool beginObject(uint32_t &version) = 0;
  /// Slot 23: closes the object block; true.
  virtual bool endObject() = 0;
  /// Slot 24: the wide string block at the current position, without
  /// moving.
  virtual const KorString *peekName() = 0;
  /// Slot 25: reads the name block, then the class GUID of the object block
  /// that follows it (without entering it); true.
  virtual bool beginNamed(KorGuid &guid) = 0;
  /// Slot 26: nothing is read; true.
  virtual bool endNamed() = 0;
  /// Slot 27: enters the next block.
  virtual bool beginBlock() = 0;
  /// Slot 28: the innermost block is consumed (or the reader is not good).
  virtual bool atBlockEnd() = 0;
  /// Slot 29: leaves the innermost block, skipping what was not read.
  virtual bool endBlock() = 0;
  /// Slots 30, 31: id and version of the last block header read.
  virtual uint32_t blockId() = 0;
  virtual uint32_t blockVersion() = 0;
  /// Slot 32: the class GUID of the last object block entered (zero when
  /// none).
  virtual const KorGuid &objectGuid() = 0;
  /// Slot 33: no error so far and a good stream attached.
  virtual bool good() = 0;
  /// Slot 34: the id of the next tag, without moving.
  virtual uint32_t peekBlockId() = 0;
};
