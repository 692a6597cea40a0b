// Unit tests of the data-model file writer and reader: byte layouts, round
// trips in both size widths, peeks and skips, damaged input and misuse.
#include "KorBasicTypes/binio.h"
#include "KorBasicTypes/korfile.h"
#include "tests/unit/support/binio_testutil.h"
#include <gtest/gtest.h>
#include <map>

namespace {
constexpr KorGuid kPointGuid =
    korGuid(0x01234567, 0x89AB, 0xCDEF, 1, 2, 3, 4, 5, 6, 7, 8);
constexpr uint32_t kCustomBlock = 0x20001;
const Bytes kHeader64 = {0x4E, 0x59, 0x52, 0x01}, kHeader32 = {0x4E, 0x59, 0x52, 0x00};

/// A host-side data-model object saving itself in an object block.
struct Point : IKorDataModelObject, IKorClassIdentity, IKorStreamObject {
  double x = -1, y = 2;
  bool save(IKorDataModelWriter *w) override {
    return w->beginObject(this, 3) && w->writeDouble(x) && w->writeDouble(y) &&
           w->endObject();
  }
  bool load(IKorDataModelReader *r) override {
    uint32_t version = 0;
    bool ok = r->beginObject(version) && version == 3 &&
              r->objectGuid() == kPointGuid;
    r->readDouble(x);
    r->readDouble(y);
    return r->endObject() && ok;
  }
  KorGuid classGuid() override { return kPointGuid; }
  bool readFrom(BinInput &in) override { return in.read(&x, 1); }
  bool writeTo(BinOutput &out) override { return out.write(&x, 1); }
};

/// Writes a file holding one of everything the writer offers.
void writeSample(KorFileWrite &w) {
  double triples[6] = {1, 2, 3, 4, 5, 6}, m[4][4];
  float floats[2] = {0.5f, -0.25f};
  uint32_t u32s[2] = {7, 0xFFFFFFFF};
  int32_t i32s[2] = {-7, 8};
  uint8_t bytes[3] = {9, 10, 11};
  for (int i = 0; i < 16; ++i)
    m[i / 4][i % 4] = i;
  w.writeTriples(triples, 2);
  w.writeFloats(floats, 2);
  w.writeUInt32s(u32s, 2);
  w.writeInt32s(i32s, 2);
  w.writeBytes(bytes, 3);
  const double d2[2] = {1.5, 2.5}, d3[3] = {1, 2, 3}, d4[4] = {4, 3, 2, 1};
  const float colour[4] = {1, 0, 0, 1};
  w << kPointGuid << floats << d2 << m << d3 << colour << d4 << "narrow"
    << 6.5 << 1.25f << 42u << -42 << 'c' << uint8_t(200);
  w << KorString(u"wide\u00e9");
  w.beginBlock(kCustomBlock, 7);
  w.beginBlock(kCustomBlock + 1, 0); // empty nested block
  w.endBlock();
  w.writeDouble(99);
  w.endBlock();
  Point p;
  w.beginNamed(KorString(u"point"));
  w.writeObject(&p);
  w.endNamed();
  w.writeStreamObject(&p);
}

/// Reads the sample back and checks every value.
void readSample(KorFileRead &r) {
  double triples[6] = {}, d2[2] = {}, m[4][4] = {}, d3[3] = {}, d4[4] = {},
         d = 0, inner = 0;
  float floats[2] = {}, f2[2] = {}, colour[4] = {}, f = 0;
  uint32_t u32s[2] = {}, u = 0, version = 0, objectVersion = 0;
  int32_t i32s[2] = {}, i = 0;
  uint8_t bytes[3] = {}, b = 0;
  char c = 0;
  KorGuid guid, namedGuid;
  KorCString narrow;
  KorString wide;
  r.readTriples(triples, 2);
  r.readFloats(floats, 2);
  r.readUInt32s(u32s, 2);
  r.readInt32s(i32s, 2);
  r.readBytes(bytes, 3);
  r >> guid >> f2 >> d2 >> m >> d3 >> colour >> d4;
  r >> narrow >> d >> f >> u >> i >> c >> b;
  r.readWideString(wide);
  bool ok = r.isNextBlock(kCustomBlock, &version);
  ok &= r.beginBlockExpect(kCustomBlock, 7);
  ok &= r.beginBlock() && r.atBlockEnd() && r.remaining() == 0;
  r.endBlock();
  r.readDouble(inner);
  r.endBlock();
  KorString name = *r.peekName();
  r.beginNamed(namedGuid);
  ok &= r.isNextObject(*r.peekObjectGuid(), &objectVersion);
  Point p, streamed;
  p.x = p.y = streamed.x = 0;
  ok &= r.readObject(&p);
  r.endNamed();
  r.readStreamObject(&streamed);
  EXPECT_EQ(std::vector<double>({triples[5], floats[1], double(u32s[1]),
                                 double(i32s[0]), double(bytes[2]), f2[0],
                                 d2[1], m[3][2], d3[2], colour[3], d4[0], d, f,
                                 double(u), double(i), double(c), double(b),
                                 double(version), inner, double(objectVersion),
                                 p.x, p.y, streamed.x}),
            std::vector<double>({6, -0.25, 0xFFFFFFFF, -7, 11, 0.5, 2.5, 14, 3,
                                 1, 4, 6.5, 1.25, 42, -42, 'c', 200, 7, 99, 3,
                                 -1, 2, -1}));
  EXPECT_TRUE(ok && guid == kPointGuid && namedGuid == kPointGuid);
  EXPECT_TRUE(narrow == "narrow" && wide == u"wide\u00e9" && name == u"point");
}

Bytes writeFile(uint32_t formatVersion, void (*body)(KorFileWrite &)) {
  TempFile file("model");
  {
    KorFileWrite w;
    w.setFormatVersion(formatVersion);
    EXPECT_TRUE(w.open(file.wide()));
    body(w);
    EXPECT_TRUE(w.good());
  }
  return file.bytes();
}

/// A reader over `bytes` in a file of its own.
struct FileReader {
  explicit FileReader(const Bytes &bytes) : file("read") {
    file.write(bytes);
    EXPECT_TRUE(reader.open(file.wide()));
  }
  TempFile file;
  KorFileRead reader;
};

/// Output that keeps the bytes written at any offset, however far.
struct SparseOutput : MemoryOutput {
  size_t write(const void *src, size_t n) override {
    for (size_t i = 0; i < n; ++i)
      at[int64_t(pos++)] = static_cast<const uint8_t *>(src)[i];
    return n;
  }
  std::map<int64_t, uint8_t> at;
};
} // namespace

TEST(KorFileWrite, ByteLayoutsOfHeadersBlocksAndStrings) {
  auto nothing = [](KorFileWrite &) {};
  auto abc = [](KorFileWrite &w) { w.writeString("abc"); };
  auto d3 = [](KorFileWrite &w) {
    const double v[3] = {1, 2, 3};
    w.writeDouble3(v);
  };
  Bytes guid = writeFile(1, [](KorFileWrite &w) { w.writeGuid(kPointGuid); });
  MemoryOutput plain; // no header: strings are blocks of 4-byte sizes
  plain.setFormatVersion(1);
  plain << KorCString("abc") << KorString(u"\u00e9t\u00e9") << KorCString();
  std::pair<Bytes, Bytes> cases[] = {
      {writeFile(0, nothing), cat({kHeader64, be64(12)})},
      {writeFile(1, nothing), cat({kHeader32, be32(8)})},
      {writeFile(9, nothing), cat({kHeader32, be32(8)})},
      {writeFile(10, nothing), cat({kHeader64, be64(12)})},
      {writeFile(0, d3), cat({kHeader64, be64(48), {1, 0, 0, 0}, be64(36),
                              bigEndian({0x3FF0000000000000, 0x4000000000000000,
                                         0x4008000000000000}, 8)})},
      {writeFile(0, abc),
       cat({kHeader64, be64(27), {1, 0, 3, 0}, be64(15), {'a', 'b', 'c'}})},
      {writeFile(1, abc),
       cat({kHeader32, be32(19), {1, 0, 3, 0}, be32(11), {'a', 'b', 'c'}})},
      {guid, cat({kHeader32, be32(32), Bytes(guid.begin() + 8, guid.begin() + 16),
                  {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 1, 2, 3, 4,
                   5, 6, 7, 8}})},
      {plain.flushed(),
       cat({{1, 0, 3, 0}, be32(11), {'a', 'b', 'c'}, {1, 0, 5, 0}, be32(14),
            {0, 0xE9, 0, 't', 0, 0xE9}, {1, 0, 3, 0}, be32(8)})},
  };
  for (const auto &[got, expected] : cases)
    EXPECT_EQ(got, expected);
  MemoryInput in(plain.bytes);
  KorCString abcText, empty("x"), unchanged("kept");
  KorString wide;
  in >> abcText >> wide >> empty >> unchanged;
  EXPECT_TRUE(abcText == "abc" && wide == u"\u00e9t\u00e9" && empty.isEmpty());
  EXPECT_EQ(unchanged, "kept") << "nothing left to read";
}

TEST(KorFile, EverythingRoundTripsInBothSizeWidths) {
  for (uint32_t formatVersion : {0u, 5u}) {
    FileReader file(writeFile(formatVersion, writeSample));
    KorFileRead &r = file.reader;
    EXPECT_EQ(r.stream()->sizeFieldWidth(), formatVersion ? 32u : 64u);
    readSample(r);
    EXPECT_TRUE(r.good() && r.atBlockEnd() && r.depth() == 1) << r.problem();
  }
}

TEST(KorFileRead, PeeksNeverMoveAndEndBlockSkipsTheRest) {
  FileReader file(writeFile(0, [](KorFileWrite &w) {
    w.beginObjectGuid(kPointGuid, 9);
    w.endObject();
    w.writeString("abc");
  }));
  KorFileRead &r = file.reader;
  int64_t at = r.stream()->tell();
  uint32_t version = 0;
  EXPECT_EQ(r.peekBlockId(), KorBlock::kObject);
  EXPECT_FALSE(r.isNextObject(KorGuid{}, &version));
  EXPECT_EQ(version, 0xFFFFFFFFu);
  EXPECT_FALSE(r.isNextBlock(KorBlock::kGuid, &version) || !r.peekName()->isNull());
  EXPECT_EQ(r.stream()->tell(), at);
  EXPECT_TRUE(r.skipBlock());
  KorCString abc;
  EXPECT_TRUE(r.readString(abc) && abc == "abc");
  EXPECT_EQ(r.peekBlockId(), 0xFFFFFFu); // end of file
  // A header of size zero covers the whole file.
  FileReader zero(cat({kHeader32, be32(0), {1, 0, 0, 0}, be32(32),
                       bigEndian({0x3FF0000000000000, 0, 0}, 8)}));
  EXPECT_EQ(zero.reader.remaining(), 32u);
  ASSERT_TRUE(zero.reader.beginBlockExpect(KorBlock::kDouble3, 0));
  double v = 0;
  zero.reader.readDouble(v);
  EXPECT_EQ(zero.reader.remaining(), 16u);
  EXPECT_TRUE(zero.reader.endBlock() && zero.reader.atBlockEnd() && v == 1);
}

/// A header of 4-byte sizes around one block of `size` bytes holding a
/// double, 24 bytes in all.
Bytes nestedOfSize(uint32_t size) {
  return cat({kHeader32, be32(24), {1, 0, 0, 0}, be32(size), be64(0)});
}

TEST(KorFileRead, DamagedInputFailsAtTheTagNamesTheOffsetAndStaysFailed) {
  struct {
    Bytes bytes;
    int entered; ///< Blocks entered after the header; -1: the header fails.
    int64_t failsAt;
    std::string problem;
  } cases[] = {
      {nestedOfSize(4), 0, 8,
       "block 010000 at offset 8 declares 4 bytes, less than its header"},
      {nestedOfSize(1000), 0, 8,
       "block 010000 at offset 8 declares 1000 bytes, past the end of the "
       "data at offset 24"},
      {cat({kHeader32, be32(24), {1, 0, 0, 0}}), -1, 0,
       "block 4E5952 at offset 0 declares 24 bytes, past the end of the data "
       "at offset 12"},
      // Block 020001 holds 8 bytes, its child claims 12; a block follows.
      {cat({kHeader32, be32(32), {2, 0, 1, 0}, be32(16), {1, 0, 0, 0},
            be32(12), {1, 0, 0, 0}, be32(8)}), 1, 16,
       "block 010000 at offset 16 declares 12 bytes, past the end of its "
       "enclosing block at offset 24"},
      {cat({{1, 0, 0, 0}, be32(8)}), -1, 8,
       "block 010000 at offset 0 is no data-model file header"},
  };
  for (const auto &c : cases) {
    FileReader file(c.bytes);
    KorFileRead &r = file.reader;
    for (int i = 0; i < c.entered; ++i)
      ASSERT_TRUE(r.beginBlock()) << c.problem;
    EXPECT_TRUE(c.entered < 0 || !r.beginBlock());
    EXPECT_EQ(r.stream()->tell(), c.failsAt);
    EXPECT_FALSE(r.good() || r.remaining() || r.skipBlock() || !r.atBlockEnd());
    EXPECT_EQ(r.problem(), c.problem) << "the first problem is kept";
  }
  // Unknown size width, another id, no header at all: open, not good.
  for (const Bytes &bytes : {cat({{0x4E, 0x59, 0x52, 0x02}, be64(12)}),
                             cat({{0x4E, 0x59, 0x53, 0x00}, be32(8)}), Bytes{}})
    EXPECT_FALSE(FileReader(bytes).reader.good());
}

TEST(KorFileWrite, OverflowAttachAndMissingStreams) {
  SparseOutput far, first, second;
  far.setFormatVersion(1);
  KorFileWrite w(&far, false);
  w.beginBlock(kCustomBlock, 0);
  far.flushAndSeek(0x100000000, true); // pretend 4 GiB were written
  w.endBlock();
  EXPECT_EQ(far.at[4] & far.at[7], 0xFF) << "four-byte sizes are clamped";
  w.attach(&far, false); // the same stream: nothing changes
  EXPECT_FALSE(w.good());
  KorFileWrite two(&first, false);
  two.beginBlock(kCustomBlock, 0);
  two.beginBlock(kCustomBlock, 0);
  two.attach(&second, false);
  EXPECT_EQ(two.depth(), 0u);
  EXPECT_EQ(first.at[11], 24) << "the open blocks were closed";
  KorFileWrite none;
  const double v[3] = {};
  EXPECT_FALSE(none.writeDoubles(v, 3) || none.writeDouble3(v) ||
               none.beginBlock(1, 0) || none.endBlock() || none.good() ||
               none.open(u"/nonexistent-dir/out.nyr") || none.stream() ||
               KorFileRead().open(u"/nonexistent-dir/in.nyr"));
}

TEST(KorFile, MisuseIsReportedWithTextAndLine) {
  TempFile file("misuse");
  AssertRecorder recorder;
  {
    KorFileWrite w;
    w << 1.0;
    ASSERT_TRUE(w.open(file.wide()));
    EXPECT_FALSE(w.open(file.wide()));
  }
  KorFileRead r;
  double d;
  r >> d;
  r.beginBlock();
  r.isNextObject(kPointGuid);
  r.remaining();
  ASSERT_TRUE(r.open(file.wide()));
  EXPECT_FALSE(r.open(file.wide()));
  r.close();
  MemoryInput in({});
  KorFileRead(&in).endBlock();
  const std::string unit = "KorBasicTypes/korfile:";
  EXPECT_EQ(recorder.reports,
            (std::vector<std::string>{
                unit + "1097: bo_", unit + "1075: !bo_", unit + "1806: bi_",
                unit + "1558: bi_", unit + "1625: bi_", unit + "1784: bi_",
                unit + "1506: !bi_", unit + "1732: end_.size() > 0 || !good_"}));
}
