// Unit tests of the data-model file writer and reader: byte layouts, round
// trips in both size widths, peeks and skips, corrupt input and misuse.
#include "KorBasicTypes/binio.h"
#include "tests/unit/support/binio_testutil.h"
#include "KorBasicTypes/korfile.h"
#include "tests/unit/support/slotcheck.h"
#include <cstring>
#include <gtest/gtest.h>
#include <map>

namespace {
constexpr KorGuid kPointGuid =
    korGuid(0x01234567, 0x89AB, 0xCDEF, 1, 2, 3, 4, 5, 6, 7, 8);
constexpr uint32_t kCustomBlock = 0x20001;

/// A host-side data-model object saving itself in an object block.
struct Point : IKorDataModelObject, IKorClassIdentity, IKorStreamObject {
  double x = 0, y = 0;
  bool save(IKorDataModelWriter *w) override {
    w->beginObject(this, 3);
    w->writeDouble(x);
    w->writeDouble(y);
    return w->endObject();
  }
  bool load(IKorDataModelReader *r) override {
    uint32_t version = 0;
    bool ok = r->beginObject(version) && version == 3 &&
              r->objectGuid() == kPointGuid;
    r->readDouble(x);
    r->readDouble(y);
    r->endObject();
    return ok;
  }
  KorGuid classGuid() override { return kPointGuid; }
  bool readFrom(BinInput &in) override { return in.read(&x, 1); }
  bool writeTo(BinOutput &out) override { return out.write(&x, 1); }
};

/// Writes a file holding one of everything the writer offers.
void writeSample(KorFileWrite &w) {
  double triples[6] = {1, 2, 3, 4, 5, 6};
  float floats[2] = {0.5f, -0.25f};
  uint32_t u32s[2] = {7, 0xFFFFFFFF};
  int32_t i32s[2] = {-7, 8};
  uint8_t bytes[3] = {9, 10, 11};
  double m[4][4];
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
  p.x = -1;
  p.y = 2;
  w.beginNamed(KorString(u"point"));
  w.writeObject(&p);
  w.endNamed();
  w.writeStreamObject(&p);
}

/// Reads the sample back; checks every value only when `check` is set.
void readSample(KorFileRead &r, bool check) {
  double triples[6] = {}, d2[2] = {}, m[4][4] = {}, d3[3] = {}, d4[4] = {};
  float floats[2] = {}, f2[2] = {}, colour[4] = {};
  uint32_t u32s[2] = {}, u = 0;
  int32_t i32s[2] = {}, i = 0;
  uint8_t bytes[3] = {}, b = 0;
  double d = 0;
  float f = 0;
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
  uint32_t version = 0;
  bool custom = r.isNextBlock(kCustomBlock, &version);
  bool entered = r.beginBlockExpect(kCustomBlock, 7);
  bool emptyNested = r.beginBlock() && r.atBlockEnd() && r.remaining() == 0;
  r.endBlock();
  double inner = 0;
  r.readDouble(inner);
  r.endBlock();
  KorString name = *r.peekName();
  r.beginNamed(namedGuid);
  uint32_t objectVersion = 0;
  bool nextIsPoint = r.isNextObject(*r.peekObjectGuid(), &objectVersion);
  Point p, streamed;
  bool loaded = r.readObject(&p);
  r.endNamed();
  r.readStreamObject(&streamed);
  if (!check)
    return;
  EXPECT_EQ(triples[5], 6);
  EXPECT_EQ(floats[1], -0.25f);
  EXPECT_EQ(u32s[1], 0xFFFFFFFFu);
  EXPECT_EQ(i32s[0], -7);
  EXPECT_EQ(bytes[2], 11);
  EXPECT_EQ(guid, kPointGuid);
  EXPECT_EQ(f2[0], 0.5f);
  EXPECT_EQ(d2[1], 2.5);
  EXPECT_EQ(m[3][2], 14);
  EXPECT_EQ(d3[2], 3);
  EXPECT_EQ(colour[3], 1);
  EXPECT_EQ(d4[0], 4);
  EXPECT_EQ(narrow, "narrow");
  EXPECT_EQ(d, 6.5);
  EXPECT_EQ(f, 1.25f);
  EXPECT_EQ(u, 42u);
  EXPECT_EQ(i, -42);
  EXPECT_EQ(c, 'c');
  EXPECT_EQ(b, 200);
  EXPECT_EQ(wide, u"wide\u00e9");
  EXPECT_TRUE(custom);
  EXPECT_EQ(version, 7u);
  EXPECT_TRUE(entered);
  EXPECT_TRUE(emptyNested);
  EXPECT_EQ(inner, 99);
  EXPECT_EQ(name, u"point");
  EXPECT_EQ(namedGuid, kPointGuid);
  EXPECT_TRUE(nextIsPoint);
  EXPECT_EQ(objectVersion, 3u);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(p.x, -1);
  EXPECT_EQ(p.y, 2);
  EXPECT_EQ(streamed.x, -1);
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

/// Output that keeps only the bytes written, at any offset.
class SparseOutput : public BinOutput {
public:
  using BinOutput::read;
  using BinOutput::write;
  size_t write(const void *src, size_t n) override {
    for (size_t i = 0; i < n; ++i)
      bytes[pos++] = static_cast<const uint8_t *>(src)[i];
    return n;
  }
  size_t read(void *, size_t) override { return 0; }
  int64_t tell() override { return pos; }
  bool seek(int64_t offset, bool) override {
    pos = offset;
    return true;
  }
  bool good() override { return true; }
  void close() override {}
  std::map<int64_t, uint8_t> bytes;
  int64_t pos = 0;
};
} // namespace

TEST(KorFileWrite, EmptyFileIsTheHeaderBlockAlone) {
  auto nothing = [](KorFileWrite &) {};
  EXPECT_EQ(writeFile(0, nothing),
            (Bytes{0x4E, 0x59, 0x52, 0x01, 0, 0, 0, 0, 0, 0, 0, 0x0C}));
  EXPECT_EQ(writeFile(1, nothing), (Bytes{0x4E, 0x59, 0x52, 0x00, 0, 0, 0, 8}));
  EXPECT_EQ(writeFile(9, nothing).size(), 8u);
  EXPECT_EQ(writeFile(10, nothing).size(), 12u);
}

TEST(KorFileWrite, Double3AndStringBlockLayouts) {
  Bytes d3 = writeFile(0, [](KorFileWrite &w) {
    const double v[3] = {1, 2, 3};
    w.writeDouble3(v);
  });
  EXPECT_EQ(d3, cat({{0x4E, 0x59, 0x52, 0x01}, be64(48), {1, 0, 0, 0}, be64(36),
                     be64(0x3FF0000000000000), be64(0x4000000000000000),
                     be64(0x4008000000000000)}));
  auto abc = [](KorFileWrite &w) { w.writeString("abc"); };
  EXPECT_EQ(writeFile(0, abc),
            cat({{0x4E, 0x59, 0x52, 0x01}, be64(27), {1, 0, 3, 0}, be64(15),
                 {0x61, 0x62, 0x63}}));
  EXPECT_EQ(writeFile(1, abc), cat({{0x4E, 0x59, 0x52, 0x00}, be32(19),
                                    {1, 0, 3, 0}, be32(11), {0x61, 0x62, 0x63}}));
  Bytes guid = writeFile(1, [](KorFileWrite &w) { w.writeGuid(kPointGuid); });
  EXPECT_EQ(Bytes(guid.begin() + 16, guid.end()),
            (Bytes{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 1, 2, 3, 4, 5,
                   6, 7, 8}));
}

TEST(KorFile, EverythingRoundTripsInBothSizeWidths) {
  for (uint32_t formatVersion : {0u, 5u}) {
    SCOPED_TRACE(formatVersion);
    TempFile file("sample");
    file.write(writeFile(formatVersion, writeSample));
    KorFileRead r;
    ASSERT_TRUE(r.open(file.wide()));
    EXPECT_EQ(r.stream()->sizeFieldWidth(), formatVersion ? 32u : 64u);
    readSample(r, true);
    EXPECT_TRUE(r.good());
    EXPECT_EQ(r.problem(), "");
    EXPECT_TRUE(r.atBlockEnd());
    EXPECT_EQ(r.depth(), 1u);
  }
}

TEST(KorFile, StringsTravelAsBlocksOnPlainStreams) {
  TempFile file("strings");
  {
    BinOutputFile out(file.wide());
    out.setFormatVersion(1); // 4-byte sizes: what a stream without header reads
    out << KorCString("abc") << KorString(u"\u00e9t\u00e9") << KorCString();
    out.flush();
  }
  EXPECT_EQ(file.bytes(),
            cat({{1, 0, 3, 0}, be32(11), {'a', 'b', 'c'}, {1, 0, 5, 0}, be32(14),
                 {0, 0xE9, 0, 't', 0, 0xE9}, {1, 0, 3, 0}, be32(8)}));
  BinInputFile in(file.wide());
  KorCString abc, empty("x"), unchanged("kept");
  KorString wide;
  in >> abc >> wide >> empty >> unchanged;
  EXPECT_EQ(abc, "abc");
  EXPECT_EQ(wide, u"\u00e9t\u00e9");
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_EQ(unchanged, "kept"); // nothing left to read

  {
    BinOutputFile out(file.wide()); // format version 0: 8-byte sizes
    out << KorString(u"long sizes");
    out.flush();
  }
  BinInputFile wideIn(file.wide());
  wideIn.setSizeFieldWidth64();
  KorCString wrongKind("kept");
  KorString back;
  wideIn >> wrongKind; // a wide block is no narrow string: skipped
  EXPECT_EQ(wrongKind, "kept");
  wideIn.seek(0, true);
  wideIn >> back;
  EXPECT_EQ(back, u"long sizes");
}

TEST(KorFileRead, PeekingAtANonNameKeepsTheReaderAsItWas) {
  TempFile file("noname");
  file.write(writeFile(0, [](KorFileWrite &w) { w.writeString("abc"); }));
  KorFileRead r;
  ASSERT_TRUE(r.open(file.wide()));
  EXPECT_TRUE(r.peekName()->isNull());
  KorCString abc;
  EXPECT_TRUE(r.readString(abc));
  EXPECT_EQ(abc, "abc");
  EXPECT_TRUE(r.good());
}

TEST(KorFileRead, PeeksNeverMove) {
  TempFile file("peek");
  file.write(writeFile(0, [](KorFileWrite &w) {
    w.beginObjectGuid(kPointGuid, 9);
    w.endObject();
  }));
  KorFileRead r;
  ASSERT_TRUE(r.open(file.wide()));
  int64_t at = r.stream()->tell();
  EXPECT_EQ(r.peekBlockId(), KorBlock::kObject);
  EXPECT_EQ(*r.peekObjectGuid(), kPointGuid);
  uint32_t version = 0;
  EXPECT_TRUE(r.isNextObject(kPointGuid, &version));
  EXPECT_EQ(version, 9u);
  EXPECT_FALSE(r.isNextObject(KorGuid{}, &version));
  EXPECT_EQ(version, 0xFFFFFFFFu);
  EXPECT_FALSE(r.isNextBlock(KorBlock::kGuid, &version));
  EXPECT_EQ(r.stream()->tell(), at);
  EXPECT_TRUE(r.skipBlock());
  EXPECT_EQ(r.peekBlockId(), 0xFFFFFFu); // end of file
  EXPECT_TRUE(r.good());
}

TEST(KorFileRead, HeaderOfSizeZeroCoversTheWholeFile) {
  TempFile file("unclosed");
  file.write(cat({{0x4E, 0x59, 0x52, 0x00}, be32(0), {1, 0, 0, 0}, be32(32),
                  be64(0x3FF0000000000000), be64(0), be64(0)}));
  KorFileRead r;
  ASSERT_TRUE(r.open(file.wide()));
  EXPECT_TRUE(r.good());
  EXPECT_EQ(r.remaining(), 32u);
  double v[3] = {};
  r.readDouble3(v);
  EXPECT_EQ(v[0], 1);
  EXPECT_TRUE(r.good());
  EXPECT_TRUE(r.atBlockEnd());
}

struct DamagedCase {
  const char *name;
  Bytes bytes;
  int entered; ///< Blocks entered after the header; -1: the header fails.
  int64_t failsAt;
  std::string problem;
};

void PrintTo(const DamagedCase &c, std::ostream *os) { *os << c.name; }

class KorFileReadDamaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(KorFileReadDamaged, FailsAtTheTagNamesTheOffsetAndStaysFailed) {
  const DamagedCase &c = GetParam();
  TempFile file(c.name);
  file.write(c.bytes);
  KorFileRead r;
  ASSERT_TRUE(r.open(file.wide()));
  if (c.entered >= 0) {
    ASSERT_TRUE(r.good());
    for (int i = 0; i < c.entered; ++i)
      ASSERT_TRUE(r.beginBlock());
    EXPECT_FALSE(r.beginBlock());
  }
  EXPECT_EQ(r.stream()->tell(), c.failsAt);
  EXPECT_FALSE(r.good());
  EXPECT_EQ(r.problem(), c.problem);
  EXPECT_TRUE(r.atBlockEnd());
  EXPECT_EQ(r.remaining(), 0u);
  EXPECT_FALSE(r.skipBlock());
  EXPECT_EQ(r.problem(), c.problem) << "the first problem is kept";
}

/// A header of 4-byte sizes around one block of `size` bytes holding a
/// double, 24 bytes in all.
Bytes nestedOfSize(uint32_t size) {
  return cat({{0x4E, 0x59, 0x52, 0x00}, be32(24), {1, 0, 0, 0}, be32(size),
              be64(0)});
}

INSTANTIATE_TEST_SUITE_P(
    KorFileRead, KorFileReadDamaged,
    testing::Values(
        DamagedCase{"zero", nestedOfSize(0), 0, 8,
                    "block 010000 at offset 8 declares 0 bytes, less than its "
                    "header"},
        DamagedCase{"belowheader", nestedOfSize(4), 0, 8,
                    "block 010000 at offset 8 declares 4 bytes, less than its "
                    "header"},
        DamagedCase{"pastend", nestedOfSize(1000), 0, 8,
                    "block 010000 at offset 8 declares 1000 bytes, past the end "
                    "of the data at offset 24"},
        DamagedCase{"cutheader",
                    cat({{0x4E, 0x59, 0x52, 0x00}, be32(24), {1, 0, 0, 0}}), -1,
                    0,
                    "block 4E5952 at offset 0 declares 24 bytes, past the end "
                    "of the data at offset 12"},
        // Block 020001 holds 8 bytes, its child claims 12; a block follows.
        DamagedCase{"pastparent",
                    cat({{0x4E, 0x59, 0x52, 0x00}, be32(32), {2, 0, 1, 0},
                         be32(16), {1, 0, 0, 0}, be32(12), {1, 0, 0, 0},
                         be32(8)}),
                    1, 16,
                    "block 010000 at offset 16 declares 12 bytes, past the end "
                    "of its enclosing block at offset 24"},
        DamagedCase{"trailing",
                    cat({{0x4E, 0x59, 0x52, 0x00}, be32(8), {'j', 'u', 'n', 'k'}}),
                    -1, 0, "4 bytes after the last block, from offset 8"},
        DamagedCase{"notaheader", cat({{1, 0, 0, 0}, be32(8)}), -1, 8,
                    "block 010000 at offset 0 is no data-model file header"}),
    [](const auto &info) { return info.param.name; });

TEST(KorFileRead, EndBlockContinuesRightAfterAPartlyReadBlock) {
  TempFile file("partial");
  file.write(writeFile(0, [](KorFileWrite &w) {
    const double v[3] = {1, 2, 3};
    w.writeDouble3(v);
    w.writeInt32(-5);
  }));
  KorFileRead r;
  ASSERT_TRUE(r.open(file.wide()));
  ASSERT_TRUE(r.beginBlockExpect(KorBlock::kDouble3, 0));
  double first = 0;
  r.readDouble(first);
  EXPECT_EQ(r.remaining(), 16u);
  EXPECT_FALSE(r.atBlockEnd());
  EXPECT_TRUE(r.endBlock());
  int32_t next = 0;
  EXPECT_TRUE(r.readInt32(next));
  EXPECT_EQ(next, -5);
  EXPECT_TRUE(r.good());
}

TEST(KorFileRead, UnexpectedIdsAndVersionsClearGood) {
  auto body = [](KorFileWrite &w) {
    w.beginBlock(kCustomBlock, 4);
    w.endBlock();
  };
  TempFile file("expect");
  file.write(writeFile(0, body));
  for (int variant = 0; variant < 3; ++variant) {
    KorFileRead r;
    ASSERT_TRUE(r.open(file.wide()));
    if (variant == 0) {
      EXPECT_FALSE(r.beginBlockExpect(kCustomBlock, 3));
    } else if (variant == 1) {
      EXPECT_FALSE(r.beginBlockExpect(kCustomBlock + 1));
    } else {
      uint32_t version = 0;
      EXPECT_FALSE(r.beginObject(version));
      EXPECT_EQ(version, 4u);
      EXPECT_TRUE(r.good()); // a non-object block is entered, not an error
      continue;
    }
    EXPECT_FALSE(r.good());
  }
}

TEST(KorFileRead, BadHeadersOpenButAreNotGood) {
  TempFile v2("v2"), wrongId("wrongid"), empty("empty");
  v2.write({0x4E, 0x59, 0x52, 0x02, 0, 0, 0, 0, 0, 0, 0, 12});
  wrongId.write({0x4E, 0x59, 0x53, 0x00, 0, 0, 0, 8});
  empty.write({});
  for (const TempFile *file : {&v2, &wrongId, &empty}) {
    KorFileRead r;
    EXPECT_TRUE(r.open(file->wide()));
    EXPECT_FALSE(r.good());
  }
  KorFileRead missing;
  EXPECT_FALSE(missing.open(u"/nonexistent-dir/none.nyr"));
  EXPECT_FALSE(missing.open(nullptr));
  EXPECT_EQ(missing.stream(), nullptr);
}

TEST(KorFileRead, TruncatedAndCorruptFilesNeverCrash) {
  Bytes full = writeFile(0, writeSample);
  for (size_t length = 0; length < full.size(); ++length) {
    MemoryInput in(Bytes(full.begin(), full.begin() + long(length)));
    KorFileRead r(&in);
    r.readFileHeader();
    readSample(r, false);
    EXPECT_FALSE(r.good()) << length;
  }
  for (size_t at = 0; at < full.size(); ++at) {
    Bytes bad = full;
    bad[at] ^= 0xA5;
    MemoryInput in(bad);
    KorFileRead r(&in);
    r.readFileHeader();
    readSample(r, false);
  }
}

TEST(KorFileRead, HugeDeclaredSizesAllocateNothing) {
  TempFile file("huge");
  file.write(cat({{0x4E, 0x59, 0x52, 0x01}, be64(0), {1, 0, 3, 0},
                  be64(0x7FFFFFFFFFFFFFFF), {'a', 'b'}}));
  KorFileRead r;
  ASSERT_TRUE(r.open(file.wide()));
  std::string text = "unchanged";
  EXPECT_FALSE(r.readNarrowText(text));
  EXPECT_EQ(text, "unchanged");
  EXPECT_FALSE(r.good());
}

TEST(KorFileWrite, FourByteSizeOverflowIsClampedAndClearsGood) {
  SparseOutput out;
  out.setFormatVersion(1);
  KorFileWrite w(&out, false);
  w.beginBlock(kCustomBlock, 0);
  out.flushAndSeek(0x100000000, true); // pretend 4 GiB were written
  w.endBlock();
  EXPECT_EQ(out.bytes[4], 0xFF);
  EXPECT_EQ(out.bytes[7], 0xFF);
  EXPECT_FALSE(w.good());
  w.attach(&out, false); // the same stream: nothing changes
  EXPECT_FALSE(w.good());
}

TEST(KorFileWrite, SizesArePatchedInTheBufferOrBySeekingBack) {
  MemoryOutput out;
  KorFileWrite w(&out, false);
  w.beginBlock(kCustomBlock, 0); // flushed long before it closes
  std::vector<double> many(300, 1.0);
  w.writeDoubles(many.data(), 300);
  w.beginBlock(kCustomBlock + 1, 0); // still buffered when it closes
  w.writeInt32(5);
  size_t flushes = out.writes.size();
  w.endBlock();
  EXPECT_EQ(out.writes.size(), flushes);
  w.endBlock();
  EXPECT_EQ(out.buffered(), 0u);
  const size_t inner = 12 + 2400;
  ASSERT_EQ(out.bytes.size(), inner + 16);
  EXPECT_EQ(Bytes(out.bytes.begin() + 4, out.bytes.begin() + 12),
            be64(inner + 16));
  EXPECT_EQ(Bytes(out.bytes.begin() + inner + 4, out.bytes.begin() + inner + 12),
            be64(16));
}

TEST(KorFileWrite, AttachClosesTheBlocksOfThePreviousStream) {
  SparseOutput first, second;
  KorFileWrite w(&first, false);
  EXPECT_EQ(w.formatVersion(), 0u);
  w.beginBlock(kCustomBlock, 0);
  w.beginBlock(kCustomBlock, 0);
  w.attach(&second, false);
  EXPECT_EQ(w.depth(), 0u);
  EXPECT_EQ(first.bytes[11], 24); // outer block: two headers of 12 bytes
}

TEST(KorFileWrite, NoStreamMeansNoWrites) {
  KorFileWrite w;
  const double v[3] = {};
  EXPECT_FALSE(w.writeDoubles(v, 3));
  EXPECT_FALSE(w.writeDouble3(v));
  EXPECT_FALSE(w.beginBlock(1, 0));
  EXPECT_FALSE(w.endBlock());
  EXPECT_FALSE(w.good());
  EXPECT_FALSE(w.open(u"/nonexistent-dir/out.nyr"));
  EXPECT_EQ(w.stream(), nullptr);
}

TEST(KorFile, MisuseIsReportedWithTextAndLine) {
  using Report = AssertRecorder::Report;
  const char *unit = "KorBasicTypes/korfile";
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
  {
    MemoryInput in({});
    KorFileRead attached(&in);
    attached.endBlock();
  }
  EXPECT_EQ(recorder.reports,
            (std::vector<Report>{{"bo_", unit, 1097},
                                 {"!bo_", unit, 1075},
                                 {"bi_", unit, 1806},
                                 {"bi_", unit, 1558},
                                 {"bi_", unit, 1625},
                                 {"bi_", unit, 1784},
                                 {"!bi_", unit, 1506},
                                 {"end_.size() > 0 || !good_", unit, 1732}}));
}

TEST(KorFile, NamesInterfacesAndSlots) {
  KorFileRead r;
  KorFileWrite w;
  EXPECT_STREQ(r.ClassName(), "KorFileRead");
  EXPECT_STREQ(w.ClassName(), "KorFileWrite");
  void *found = nullptr;
  r.QueryInterface("IKorDataModelReader", &found);
  EXPECT_EQ(found, static_cast<IKorDataModelReader *>(&r));
  w.QueryInterface("IKorDataModelWriter", &found);
  EXPECT_EQ(found, static_cast<IKorDataModelWriter *>(&w));
  w.QueryInterface("IKorUnknown", &found);
  EXPECT_NE(found, nullptr);
  r.QueryInterface("IKorDataModelWriter", &found);
  EXPECT_EQ(found, nullptr);

  EXPECT_SLOT(&IKorDataModelWriter::writeTriples, 0);
  EXPECT_SLOT(&IKorDataModelWriter::writeStreamObject, 6);
  EXPECT_SLOT(&IKorDataModelWriter::writeGuid, 8);
  EXPECT_SLOT(&IKorDataModelWriter::writeString, 14);
  EXPECT_SLOT(&IKorDataModelWriter::writeByte, 20);
  EXPECT_SLOT(&IKorDataModelWriter::beginNamed, 23);
  EXPECT_SLOT(&IKorDataModelWriter::beginBlock, 26);
  EXPECT_SLOT(&IKorDataModelWriter::good, 28);
  EXPECT_SLOT(&IKorDataModelWriter::reservedQuery30, 30);
  // The class's own first operation comes after the interface's two
  // destructor entries.
  EXPECT_SLOT(&KorFileWrite::createOutput, 31 + 2);
  EXPECT_SLOT(&IKorDataModelReader::readTriples, 0);
  EXPECT_SLOT(&IKorDataModelReader::readString, 14);
  EXPECT_SLOT(&IKorDataModelReader::peekObjectGuid, 21);
  EXPECT_SLOT(&IKorDataModelReader::peekName, 24);
  EXPECT_SLOT(&IKorDataModelReader::beginBlock, 27);
  EXPECT_SLOT(&IKorDataModelReader::objectGuid, 32);
  EXPECT_SLOT(&IKorDataModelReader::peekBlockId, 34);
  EXPECT_SLOT(&KorFileRead::createInput, 35 + 2);
  // Stream slots count the two destructor entries first.
  EXPECT_SLOT(static_cast<size_t (BinInput::*)(void *, size_t)>(&BinInput::read), 2);
  EXPECT_SLOT(&BinInput::close, 6);
  EXPECT_SLOT(&BinOutput::flush, 2);
  EXPECT_SLOT(&BinOutput::reservedQuery, 3);
  EXPECT_SLOT(static_cast<size_t (BinOutput::*)(const void *, size_t)>(&BinOutput::write), 4);
  EXPECT_SLOT(&BinOutput::close, 9);
  EXPECT_SLOT(&BinIO_Scrambler::scramble, 2);
}
