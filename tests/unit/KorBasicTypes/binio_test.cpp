// Unit tests of the big-endian binary streams: wire form, buffering, partial
// reads, files, the scrambler hook and BinMagic.
#include "KorBasicTypes/binio.h"
#include "tests/unit/support/binio_testutil.h"
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {
template <class T> Bytes encoded(T value) {
  MemoryOutput out;
  EXPECT_TRUE(out.write(&value, 1));
  return out.flushed();
}

/// XOR with the low byte of the file position; counts destructions.
struct XorScrambler : BinIO_Scrambler {
  static inline int destroyed = 0;
  ~XorScrambler() override { ++destroyed; }
  void scramble(uint8_t *b, int64_t at, size_t n) override {
    for (size_t i = 0; i < n; ++i)
      b[i] ^= uint8_t(at + int64_t(i)) | 0x80;
  }
  void unscramble(uint8_t *b, int64_t at, size_t n) override { scramble(b, at, n); }
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
  std::pair<Bytes, Bytes> cases[] = {
      {encoded('A'), {0x41}},
      {encoded(int8_t(-1)), {0xFF}},
      {encoded(int16_t(-2)), {0xFF, 0xFE}},
      {encoded(KorWChar(0x20AC)), {0x20, 0xAC}},
      {encoded(uint32_t(0xDEADBEEF)), {0xDE, 0xAD, 0xBE, 0xEF}},
      {encoded(uint64_t(0x0102030405060708)), {1, 2, 3, 4, 5, 6, 7, 8}},
      {encoded(1.0f), {0x3F, 0x80, 0, 0}},
      {encoded(1.0), {0x3F, 0xF0, 0, 0, 0, 0, 0, 0}},
      {encoded(BinMagic(0x74bb4, 0)), {0x07, 0x4B, 0xB4, 0x00}},
  };
  for (const auto &[got, expected] : cases)
    EXPECT_EQ(got, expected);
}

TEST(BinStreams, ArraysHaveTheWireFormOfTheirValuesAndReadBackInAnyPieces) {
  // Arrays are converted a buffer at a time (32 bytes per step where the
  // processor allows); one value at a time takes the plain path. A leading
  // odd byte shifts the values off the buffer grid.
  auto check = [](auto sample) {
    using T = decltype(sample);
    std::vector<T> values(601);
    Bytes oneByOne = {7};
    for (size_t i = 0; i < values.size(); ++i) {
      uint64_t bits = 0x0102030405060708ull * (i + 1) ^ (i << 40);
      std::memcpy(&values[i], &bits, sizeof(T));
      Bytes one = encoded(values[i]);
      oneByOne.insert(oneByOne.end(), one.begin(), one.end());
    }
    MemoryOutput out;
    uint8_t odd = 7;
    ASSERT_TRUE(out.write(&odd, 1) && out.write(values.data(), values.size()));
    EXPECT_EQ(out.flushed(), oneByOne) << sizeof(T);
    for (size_t chunk : {size_t(1), size_t(3), SIZE_MAX}) {
      MemoryInput in(oneByOne, chunk);
      std::vector<T> back(values.size());
      ASSERT_TRUE(in.read(&odd, 1) && in.read(back.data(), back.size()));
      EXPECT_EQ(std::memcmp(back.data(), values.data(), sizeof(T) * 601), 0);
      EXPECT_FALSE(in.read(&odd, 1)) << "at the end";
    }
  };
  check(int8_t()), check(int16_t()), check(KorWChar()), check(int32_t()),
      check(float()), check(uint64_t()), check(double());
}

TEST(BinOutput, BufferFillsInPlaceAndFailedFlushesFailTheWrite) {
  MemoryOutput out;
  size_t granted = 0;
  std::memset(out.reserve(5000, granted), 0x11, 900);
  EXPECT_TRUE(out.commit(900) && out.writes.empty());
  std::memset(out.reserve(200, granted), 0x22, 200); // flushes first
  out.commit(200);
  Bytes block(2000, 0xAB);
  EXPECT_TRUE(out.writeRaw(block.data(), block.size()));
  EXPECT_EQ(out.flushed(), cat({Bytes(900, 0x11), Bytes(200, 0x22), block}));
  out.failWrites = true;
  std::vector<double> values(300, 2.5);
  EXPECT_FALSE(out.write(values.data(), values.size()));
  EXPECT_EQ(out.buffered(), 0u) << "a failed flush empties the buffer";
  EXPECT_TRUE(out.write(values.data(), 10)); // no flush needed yet
  EXPECT_FALSE(out.flushBuffer() || out.flush());
}

TEST(BinInput, ShortSourcesRawReadsAndChunks) {
  MemoryInput shortOne({0, 0, 0, 1, 0, 0, 0, 2, 0, 0});
  int32_t v[3] = {-1, -1, -1};
  EXPECT_FALSE(shortOne.read(v, 3));
  EXPECT_EQ(std::vector<int32_t>(v, v + 3), (std::vector<int32_t>{1, 2, -1}))
      << "what was converted stays";
  Bytes data(3000);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<uint8_t>(i);
  MemoryInput in(data);
  Bytes raw(2000);
  EXPECT_EQ(in.readRaw(raw.data(), raw.size()), 2000u);
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), data.begin()));
  size_t got = 0;
  const uint8_t *chunk = in.readChunk(5000, got);
  EXPECT_TRUE(got == 1000 && chunk[0] == data[2000]) << "the rest, no more";
}

TEST(BinFiles, InputKnowsItsSizeSeeksFromEitherEndAndFailsOnBadPaths) {
  TempFile file("input");
  file.write({0, 0, 0, 5, 0xFF, 0xFF, 0xFF, 0xF0});
  BinInputFile in(file.wide());
  EXPECT_TRUE(in.streamSize() == 8 && in.seek(-4, false));
  EXPECT_EQ(in.peekInt32(), -16);
  EXPECT_TRUE(in.seek(0, false) && in.peekInt32() == -1 && in.good())
      << "the end of a file is no error";
  in.close();
  EXPECT_FALSE(in.good() || in.seek(0, true));
  FILE *f = std::fopen(file.path.c_str(), "rb");
  std::fseek(f, 3, SEEK_SET);
  BinInputFile adopted(f);
  EXPECT_EQ(adopted.tell(), 0) << "an adopted file is read from its start";

  for (const KorWChar *path : {(const KorWChar *)nullptr, u"", u"/none/x.bin"}) {
    BinInputFile bad(path);
    EXPECT_FALSE(bad.good() || bad.read(&path, 0) || bad.streamSize());
  }
  EXPECT_FALSE(BinInputFile(static_cast<FILE *>(nullptr)).good());
  BinOutputFile bad(u"/none/out.bin");
  EXPECT_FALSE(bad.good() || bad.flush());
}

TEST(BinFiles, FlushCommitsToDiskAndReadsBack) {
  TempFile lost("lost"), kept("kept");
  double d = 3.0;
  BinOutputFile(lost.wide()).write(&d, 1); // dropped without a flush
  EXPECT_TRUE(lost.bytes().empty());
  BinOutputFile out(kept.wide());
  uint32_t v[2] = {0x01020304, 0x05060708};
  out.write(v, 2);
  gSynced.clear();
  EXPECT_TRUE(out.flush());
  struct stat file {};
  ASSERT_TRUE(stat(kept.path.c_str(), &file) == 0 && gSynced.size() == 1)
      << "flush commits the file to disk";
  EXPECT_TRUE(gSynced[0].st_ino == file.st_ino && gSynced[0].st_size == 8)
      << "after the bytes reached the file";
  uint8_t back[4] = {};
  EXPECT_TRUE(out.flushAndSeek(4, true) && out.readBack(back, 4) == 4);
  EXPECT_EQ(Bytes(back, back + 4), (Bytes{5, 6, 7, 8}));
  out.write(v, 1); // writing right after reading
  out.flushAndClose();
  EXPECT_EQ(kept.bytes(), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST(BinPath, Utf16PathsBecomeUtf8WithForwardSlashes) {
  const KorWChar lone[] = {u'x', 0xD800, u'y', 0};
  const KorWChar reversed[] = {0xDC00, 0xD800, 0}; // low first, high last
  std::pair<std::string, std::string> cases[] = {
      {binPathToUtf8(u"a\\b/c"), "a/b/c"},
      {binPathToUtf8(u"\u00e9\u20ac\U0001F600"),
       "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {binPathToUtf8(lone), "x\xEF\xBF\xBDy"},
      {binPathToUtf8(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {binPathToUtf8(nullptr), ""},
  };
  for (const auto &[got, expected] : cases)
    EXPECT_EQ(got, expected);
}

TEST(BinScrambler, TransformsFileBytesByPositionBothWays) {
  XorScrambler::destroyed = 0;
  auto *first = new XorScrambler;
  setScrambler(first);
  setScrambler(first);
  TempFile file("scrambled");
  std::vector<double> d(200);
  for (size_t i = 0; i < d.size(); ++i)
    d[i] = double(i) * 1.25;
  uint8_t lead = 0;
  {
    BinOutputFile out(file.wide());
    out.write(&lead, 1);
    out.write(d.data(), d.size());
    out.flush();
  }
  Bytes bytes = file.bytes();
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 2), (Bytes{0x80, 0x81}));
  setScrambler(new XorScrambler);
  MemoryInput byteWise(bytes, 1);
  BinInputFile in(file.wide());
  for (BinInput *source : {(BinInput *)&in, (BinInput *)&byteWise}) {
    std::vector<double> back(d.size());
    ASSERT_TRUE(source->read(&lead, 1) && source->read(back.data(), back.size()));
    EXPECT_TRUE(lead == 0 && back == d);
  }
  setScrambler(nullptr);
  EXPECT_EQ(binioScrambler(), nullptr);
  EXPECT_EQ(XorScrambler::destroyed, 2) << "each installed one was owned";
}

TEST(BinMagic, TextFormAndReads) {
  std::ostringstream text;
  text << BinMagic(0x74bb4, 0) << '|' << BinMagic(0x123456, 0xAB);
  EXPECT_EQ(text.str(), "478132 0|1193046 171");
  MemoryOutput out;
  for (BinMagic m : {BinMagic(0x74bb4, 2), BinMagic(0x74bb4, 2), BinMagic(0x11111, 0)})
    m.write(out);
  MemoryInput in(out.flushed());
  BinMagic expected(0x74bb4, 0), other;
  EXPECT_TRUE(expected.readCompareId(in) && expected.version() == 2)
      << "versions may differ";
  EXPECT_FALSE(other.readCompare(in, BinMagic(0x74bb4, 0)));
  EXPECT_EQ(other, BinMagic(0x74bb4, 2));
  AssertRecorder recorder;
  EXPECT_FALSE(other.readAssert(in, BinMagic(0x74bb4, 2)));
  EXPECT_EQ(other.id(), 0x11111);
  EXPECT_EQ(recorder.reports, std::vector<std::string>{
                                  "KorBasicTypes/binio:578: magic_ == magic"});
  BinMagic atEnd(0x11111, 0); // a failed read compares unequal, tag kept
  EXPECT_FALSE(atEnd.readCompareId(in) || atEnd.readCompare(in, atEnd) ||
               atEnd.readAssert(in, atEnd));
  EXPECT_EQ(atEnd, BinMagic(0x11111, 0));
}
