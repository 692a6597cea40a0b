// Unit tests of the big-endian binary streams: wire form, buffering, partial
// reads, files, the scrambler hook and BinMagic.
#include "KorBasicTypes/binio.h"
#include "tests/unit/support/binio_testutil.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <sys/stat.h>

namespace {
template <class T> Bytes encoded(T value) {
  MemoryOutput out;
  EXPECT_TRUE(out.write(&value, 1));
  out.flushBuffer();
  return out.bytes;
}

/// XOR with the low byte of the file position; counts destructions.
class XorScrambler : public BinIO_Scrambler {
public:
  static inline int destroyed = 0;
  ~XorScrambler() override { ++destroyed; }
  void scramble(uint8_t *b, int64_t at, size_t n) override { apply(b, at, n); }
  void unscramble(uint8_t *b, int64_t at, size_t n) override { apply(b, at, n); }

private:
  static void apply(uint8_t *b, int64_t at, size_t n) {
    for (size_t i = 0; i < n; ++i)
      b[i] ^= static_cast<uint8_t>(at + int64_t(i)) | 0x80;
  }
};

/// Installs a scrambler for one test and removes it afterwards.
struct ScramblerScope {
  ScramblerScope() { setScrambler(new XorScrambler); }
  ~ScramblerScope() { setScrambler(nullptr); }
};

/// The file and its size at each fsync of this process.
std::vector<struct stat> gSynced;
} // namespace

// Every fsync of the test binary passes here on its way to the C library.
extern "C" int fsync(int fd) {
  static auto next = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  struct stat seen {};
  fstat(fd, &seen);
  gSynced.push_back(seen);
  return next(fd);
}

TEST(BinOutput, EncodesEveryPrimitiveBigEndian) {
  EXPECT_EQ(encoded('A'), Bytes{0x41});
  EXPECT_EQ(encoded(int8_t(-1)), Bytes{0xFF});
  EXPECT_EQ(encoded(uint8_t(0x80)), Bytes{0x80});
  EXPECT_EQ(encoded(int16_t(-2)), (Bytes{0xFF, 0xFE}));
  EXPECT_EQ(encoded(uint16_t(0x1234)), (Bytes{0x12, 0x34}));
  EXPECT_EQ(encoded(KorWChar(0x20AC)), (Bytes{0x20, 0xAC}));
  EXPECT_EQ(encoded(int32_t(-2)), (Bytes{0xFF, 0xFF, 0xFF, 0xFE}));
  EXPECT_EQ(encoded(uint32_t(0xDEADBEEF)), (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
  EXPECT_EQ(encoded(uint64_t(0x0102030405060708)),
            (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(encoded(1.0f), (Bytes{0x3F, 0x80, 0, 0}));
  EXPECT_EQ(encoded(1.0), (Bytes{0x3F, 0xF0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(encoded(BinMagic(0x74bb4, 0)), (Bytes{0x07, 0x4B, 0xB4, 0x00}));
}

TEST(BinInput, SignExtendsSignedAndNotUnsigned) {
  MemoryInput in({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFE,
                  0xFF, 0xFE, 0x80, 0x80});
  int32_t s32;
  uint32_t u32;
  int16_t s16;
  uint16_t u16;
  int8_t s8;
  uint8_t u8;
  ASSERT_TRUE(in.read(&s32, 1) && in.read(&u32, 1) && in.read(&s16, 1) &&
              in.read(&u16, 1) && in.read(&s8, 1) && in.read(&u8, 1));
  EXPECT_EQ(s32, -2);
  EXPECT_EQ(u32, 0xFFFFFFFEu);
  EXPECT_EQ(s16, -2);
  EXPECT_EQ(u16, 0xFFFE);
  EXPECT_EQ(s8, -128);
  EXPECT_EQ(u8, 0x80);
}

TEST(BinStreams, EveryPrimitiveRoundTripsThroughFilesAcrossBuffers) {
  constexpr size_t n = 3001; // several buffers, odd tail
  std::vector<int16_t> s16(n);
  std::vector<KorWChar> wide(n);
  std::vector<int32_t> s32(n);
  std::vector<uint64_t> u64(n);
  std::vector<float> f(n);
  std::vector<double> d(n);
  for (size_t i = 0; i < n; ++i) {
    s16[i] = static_cast<int16_t>(i * 40503u);
    wide[i] = static_cast<KorWChar>(i * 2654435761u);
    s32[i] = static_cast<int32_t>(i * 2654435761u);
    u64[i] = i * 0x9E3779B97F4A7C15ull;
    f[i] = static_cast<float>(s32[i]) / 7.0f;
    d[i] = std::ldexp(static_cast<double>(s32[i]), int(i % 600) - 300);
  }
  d[1] = -0.0;
  d[2] = std::numeric_limits<double>::denorm_min();
  s32[3] = std::numeric_limits<int32_t>::min();
  TempFile file("roundtrip");
  {
    BinOutputFile out(file.wide());
    uint8_t odd = 7; // shifts everything after it off the buffer grid
    ASSERT_TRUE(out.write(&odd, 1) && out.write(s16.data(), n) &&
                out.write(wide.data(), n) && out.write(s32.data(), n) &&
                out.write(u64.data(), n) && out.write(f.data(), n) &&
                out.write(d.data(), n));
    ASSERT_TRUE(out.flush());
  }
  BinInputFile in(file.wide());
  EXPECT_EQ(in.streamSize(), 1 + n * (2 + 2 + 4 + 8 + 4 + 8));
  uint8_t odd;
  std::vector<int16_t> s16b(n);
  std::vector<KorWChar> wideb(n);
  std::vector<int32_t> s32b(n);
  std::vector<uint64_t> u64b(n);
  std::vector<float> fb(n);
  std::vector<double> db(n);
  ASSERT_TRUE(in.read(&odd, 1) && in.read(s16b.data(), n) &&
              in.read(wideb.data(), n) && in.read(s32b.data(), n) &&
              in.read(u64b.data(), n) && in.read(fb.data(), n) &&
              in.read(db.data(), n));
  EXPECT_EQ(odd, 7);
  EXPECT_EQ(s16b, s16);
  EXPECT_EQ(wideb, wide);
  EXPECT_EQ(s32b, s32);
  EXPECT_EQ(u64b, u64);
  EXPECT_EQ(fb, f);
  EXPECT_EQ(std::memcmp(db.data(), d.data(), n * sizeof(double)), 0);
  EXPECT_FALSE(in.read(&odd, 1)); // at the end
}

TEST(BinOutput, FlushesWholeBuffersAndKeepsTheTail) {
  MemoryOutput out;
  std::vector<double> values(300, 2.5);
  ASSERT_TRUE(out.write(values.data(), values.size()));
  EXPECT_EQ(out.writes, (std::vector<size_t>{1024, 1024}));
  EXPECT_EQ(out.buffered(), 352u);
  EXPECT_EQ(out.position(), 2400);
  EXPECT_TRUE(out.flushBuffer());
  EXPECT_EQ(out.bytes.size(), 2400u);
}

TEST(BinOutput, TypedWritesFlushEarlyButRawWritesFillTheBuffer) {
  std::vector<double> values(100, 1.0); // 800 bytes: 224 free
  int32_t one = 1;
  MemoryOutput typed;
  typed.write(values.data(), values.size());
  typed.write(&one, 1);
  EXPECT_EQ(typed.writes, (std::vector<size_t>{800}));
  EXPECT_EQ(typed.buffered(), 4u);

  MemoryOutput raw;
  raw.write(values.data(), values.size());
  Bytes block(300, 0xAB);
  EXPECT_TRUE(raw.writeRaw(block.data(), block.size()));
  EXPECT_EQ(raw.writes, (std::vector<size_t>{1024}));
  EXPECT_EQ(raw.buffered(), 76u);
}

TEST(BinOutput, FailedFlushFailsTheWriteAndEmptiesTheBuffer) {
  MemoryOutput out;
  out.failWrites = true;
  std::vector<double> values(128, 1.0);
  EXPECT_FALSE(out.write(values.data(), values.size()));
  EXPECT_EQ(out.buffered(), 0u);
  EXPECT_TRUE(out.write(values.data(), 10)); // no flush needed yet
  EXPECT_FALSE(out.flushBuffer());
  EXPECT_FALSE(out.flush()); // the base stream has nothing to flush to
}

TEST(BinOutput, ReserveAndCommitWriteInPlace) {
  MemoryOutput out;
  size_t granted = 0;
  uint8_t *room = out.reserve(5000, granted);
  EXPECT_EQ(granted, 1024u);
  std::memset(room, 0x11, 900);
  EXPECT_TRUE(out.commit(900));
  EXPECT_TRUE(out.writes.empty());
  room = out.reserve(10, granted); // 124 free: flushes first
  EXPECT_EQ(out.writes, (std::vector<size_t>{900}));
  EXPECT_EQ(granted, 10u);
  std::memset(room, 0x22, 10);
  out.commit(10);
  out.reserve(2000, granted);
  EXPECT_EQ(granted, 1014u);
  EXPECT_TRUE(out.commit(1014)); // full: flushed
  EXPECT_EQ(out.writes.back(), 1024u);
  EXPECT_EQ(out.bytes[900], 0x22);
}

TEST(BinInput, AssemblesValuesDeliveredByteByByte) {
  MemoryOutput out;
  std::vector<double> d{1.5, -2.25, 1e300};
  std::vector<int16_t> s{-3, 300};
  uint64_t big = 0xFEDCBA9876543210ull;
  out.write(d.data(), d.size());
  out.write(s.data(), s.size());
  out.write(&big, 1);
  out.flushBuffer();
  for (size_t chunk : {size_t(1), size_t(3)}) {
    MemoryInput in(out.bytes, chunk);
    std::vector<double> d2(3);
    std::vector<int16_t> s2(2);
    uint64_t big2 = 0;
    ASSERT_TRUE(in.read(d2.data(), 3) && in.read(s2.data(), 2) &&
                in.read(&big2, 1));
    EXPECT_EQ(d2, d);
    EXPECT_EQ(s2, s);
    EXPECT_EQ(big2, big);
  }
}

TEST(BinInput, ZeroValuesSucceedWithoutTouchingTheSource) {
  MemoryInput in({1, 2, 3, 4});
  double d;
  EXPECT_TRUE(in.read(&d, 0));
  EXPECT_EQ(in.reads, 0);
  EXPECT_EQ(in.tells, 0);
}

TEST(BinInput, ShortSourceFailsAndKeepsWhatWasConverted) {
  MemoryInput in({0, 0, 0, 1, 0, 0, 0, 2, 0, 0});
  int32_t v[3] = {-1, -1, -1};
  EXPECT_FALSE(in.read(v, 3));
  EXPECT_EQ(v[0], 1);
  EXPECT_EQ(v[1], 2);
  EXPECT_EQ(v[2], -1);
}

TEST(BinInput, RawReadsAndChunksAndPeeks) {
  Bytes data(3000);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<uint8_t>(i);
  MemoryInput in(data);
  EXPECT_EQ(in.peekInt32(), 0x00010203);
  EXPECT_EQ(in.tell(), 0);
  Bytes raw(2000);
  EXPECT_EQ(in.readRaw(raw.data(), raw.size()), 2000u);
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), data.begin()));
  size_t got = 0;
  const uint8_t *chunk = in.readChunk(5000, got);
  EXPECT_EQ(got, 1000u); // at most the rest of the source here
  EXPECT_EQ(chunk[0], data[2000]);
  EXPECT_EQ(in.peekInt32(), -1);
}

TEST(BinInput, SizeFieldWidthIsFixedOnce) {
  MemoryInput in({});
  EXPECT_EQ(in.sizeFieldWidth(), 0u);
  EXPECT_TRUE(in.setSizeFieldWidth64());
  EXPECT_FALSE(in.setSizeFieldWidth32());
  EXPECT_FALSE(in.setSizeFieldWidth64());
  EXPECT_EQ(in.sizeFieldWidth(), 64u);
}

TEST(BinInputFile, KnowsItsSizeSeeksFromEitherEndAndPeeks) {
  TempFile file("input");
  file.write({0, 0, 0, 5, 0xFF, 0xFF, 0xFF, 0xF0});
  BinInputFile in(file.wide());
  ASSERT_TRUE(in.good());
  EXPECT_EQ(in.streamSize(), 8u);
  EXPECT_EQ(in.peekInt32(), 5);
  EXPECT_EQ(in.tell(), 0);
  EXPECT_TRUE(in.seek(-4, false));
  EXPECT_EQ(in.peekInt32(), -16);
  EXPECT_TRUE(in.seek(0, false));
  EXPECT_EQ(in.tell(), 8);
  EXPECT_EQ(in.peekInt32(), -1);
  EXPECT_TRUE(in.good()); // the end of a file is no error
  in.close();
  EXPECT_FALSE(in.good());
  EXPECT_FALSE(in.seek(0, true));
}

TEST(BinInputFile, UnopenablePathsGiveAStreamThatIsNotGood) {
  for (const KorWChar *path : {(const KorWChar *)nullptr, u"",
                               u"/nonexistent-dir/none.bin"}) {
    BinInputFile in(path);
    EXPECT_FALSE(in.good());
    EXPECT_EQ(in.streamSize(), 0u);
    int32_t v;
    EXPECT_FALSE(in.read(&v, 1));
    EXPECT_EQ(in.tell(), 0);
  }
  BinInputFile none(static_cast<FILE *>(nullptr));
  EXPECT_FALSE(none.good());
}

TEST(BinInputFile, AdoptsAnOpenFileAtItsStart) {
  TempFile file("adopt");
  file.write({1, 2, 3, 4, 5, 6});
  FILE *f = std::fopen(file.narrow().c_str(), "rb");
  std::fseek(f, 3, SEEK_SET);
  BinInputFile in(f);
  EXPECT_EQ(in.streamSize(), 6u);
  EXPECT_EQ(in.tell(), 0);
}

TEST(BinOutputFile, BufferedBytesNeedAFlushBeforeDestruction) {
  TempFile lost("lost"), kept("kept");
  double d = 3.0;
  {
    BinOutputFile out(lost.wide());
    out.write(&d, 1);
  }
  {
    BinOutputFile out(kept.wide());
    out.write(&d, 1);
    gSynced.clear();
    EXPECT_TRUE(out.flush());
  }
  struct stat file {};
  ASSERT_EQ(stat(kept.narrow().c_str(), &file), 0);
  ASSERT_EQ(gSynced.size(), 1u) << "flush commits the file to disk";
  EXPECT_EQ(gSynced[0].st_ino, file.st_ino);
  EXPECT_EQ(gSynced[0].st_size, 8) << "after the bytes reached the file";
  EXPECT_TRUE(lost.bytes().empty());
  EXPECT_EQ(kept.bytes().size(), 8u);
  BinOutputFile bad(u"/nonexistent-dir/out.bin");
  EXPECT_FALSE(bad.good());
  EXPECT_FALSE(bad.flush());
}

TEST(BinOutputFile, ReadsBackWhatItWrote) {
  TempFile file("readback");
  BinOutputFile out(file.wide());
  uint32_t v[2] = {0x01020304, 0x05060708};
  out.write(v, 2);
  EXPECT_TRUE(out.flushAndSeek(4, true));
  uint8_t back[4] = {};
  EXPECT_EQ(out.readBack(back, 4), 4u);
  EXPECT_EQ(back[0], 5);
  EXPECT_EQ(back[3], 8);
  out.write(v, 1); // writing right after reading
  out.flushAndClose();
  EXPECT_EQ(file.bytes(), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST(BinPath, Utf16PathsBecomeUtf8WithForwardSlashes) {
  EXPECT_EQ(binPathToUtf8(u"a\\b/c"), "a/b/c");
  EXPECT_EQ(binPathToUtf8(u"\u00e9\u20ac\U0001F600"),
            "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  const KorWChar lone[] = {u'x', 0xD800, u'y', 0};
  EXPECT_EQ(binPathToUtf8(lone), "x\xEF\xBF\xBDy");
  const KorWChar reversed[] = {0xDC00, 0xD800, 0}; // low first, high last
  EXPECT_EQ(binPathToUtf8(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(binPathToUtf8(nullptr), "");

  TempFile base("utf");
  std::u16string wide = std::u16string(base.wide()) + u"-\u00e9\U0001F600";
  {
    BinOutputFile out(wide.c_str());
    ASSERT_TRUE(out.good());
    out.flushAndClose();
  }
  EXPECT_TRUE(BinInputFile(KorString(std::u16string_view(wide))).good());
  std::remove(binPathToUtf8(wide.c_str()).c_str());
}

TEST(BinScrambler, TransformsFileBytesByPositionBothWays) {
  ScramblerScope scope;
  TempFile file("scrambled");
  std::vector<double> d(200);
  for (size_t i = 0; i < d.size(); ++i)
    d[i] = double(i) * 1.25;
  {
    BinOutputFile out(file.wide());
    uint8_t lead = 0;
    out.write(&lead, 1);
    out.write(d.data(), d.size());
    out.flush();
  }
  Bytes bytes = file.bytes();
  EXPECT_EQ(bytes[0], 0x80); // 0 ^ (0 | 0x80)
  EXPECT_EQ(bytes[1], 0x81); // the first byte of 0.0, at position 1
  MemoryInput byteWise(bytes, 1);
  BinInputFile in(file.wide());
  for (BinInput *source : {static_cast<BinInput *>(&in),
                           static_cast<BinInput *>(&byteWise)}) {
    uint8_t lead = 1;
    std::vector<double> back(d.size());
    ASSERT_TRUE(source->read(&lead, 1) && source->read(back.data(), back.size()));
    EXPECT_EQ(lead, 0);
    EXPECT_EQ(back, d);
  }
}

TEST(BinScrambler, OwnershipPassesOnInstall) {
  XorScrambler::destroyed = 0;
  auto *first = new XorScrambler;
  setScrambler(first);
  setScrambler(first);
  EXPECT_EQ(XorScrambler::destroyed, 0);
  EXPECT_EQ(binioScrambler(), first);
  setScrambler(new XorScrambler);
  EXPECT_EQ(XorScrambler::destroyed, 1);
  setScrambler(nullptr);
  EXPECT_EQ(XorScrambler::destroyed, 2);
  EXPECT_EQ(binioScrambler(), nullptr);
}

TEST(BinMagic, FieldsAndTextForm) {
  BinMagic tag(0x74bb4, 0);
  EXPECT_EQ(tag.value(), 0x074BB400);
  EXPECT_EQ(tag.id(), 0x74bb4);
  EXPECT_EQ(tag.version(), 0);
  EXPECT_EQ(BinMagic(5, 7).version(), 7);
  BinMagic invalid(-1, 3);
  EXPECT_EQ(invalid.value(), -1);
  EXPECT_EQ(invalid.id(), -1);
  EXPECT_EQ(invalid.version(), -1);
  EXPECT_EQ(BinMagic(), invalid);
  std::ostringstream text;
  text << tag << '|' << BinMagic(0x123456, 0xAB);
  EXPECT_EQ(text.str(), "478132 0|1193046 171");
}

TEST(BinMagic, ReadVariantsCompareAndAssert) {
  MemoryOutput out;
  BinMagic(0x74bb4, 2).write(out);
  BinMagic(0x74bb4, 2).write(out);
  BinMagic(0x11111, 0).write(out);
  out.flushBuffer();
  MemoryInput in(out.bytes);

  BinMagic expected(0x74bb4, 0);
  EXPECT_TRUE(expected.readCompareId(in)); // versions may differ
  EXPECT_EQ(expected.version(), 2);
  BinMagic other;
  EXPECT_FALSE(other.readCompare(in, BinMagic(0x74bb4, 0)));
  EXPECT_EQ(other, BinMagic(0x74bb4, 2));

  AssertRecorder recorder;
  EXPECT_FALSE(other.readAssert(in, BinMagic(0x74bb4, 2)));
  EXPECT_EQ(other.id(), 0x11111);
  ASSERT_EQ(recorder.reports.size(), 1u);
  EXPECT_EQ(recorder.reports[0],
            (AssertRecorder::Report{"magic_ == magic", "KorBasicTypes/binio", 578}));

  BinMagic atEnd(0x11111, 0); // a failed read compares unequal, tag kept
  EXPECT_FALSE(atEnd.readCompareId(in));
  EXPECT_FALSE(atEnd.readCompare(in, atEnd));
  EXPECT_FALSE(atEnd.readAssert(in, atEnd));
  EXPECT_EQ(atEnd, BinMagic(0x11111, 0));
}
