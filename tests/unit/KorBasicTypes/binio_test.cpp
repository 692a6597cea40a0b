// Unit tests of the big-endian binary streams: wire form, buffering, partial
// reads, files, the scrambler hook and BinMagic.
#include "KorBasicTypes/binio.h"
#include "tests/unit/support/binio_testutil.h"
#include <cmath>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <sys/stat.h>
#include <tuple>

namespace {
template <class T> Bytes encoded(T value) {
  MemoryOutput out;
  EXPECT_TRUE(out.write(&value, 1));
  return out.flushed();
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
      {encoded(uint8_t(0x80)), {0x80}},
      {encoded(int16_t(-2)), {0xFF, 0xFE}},
      {encoded(uint16_t(0x1234)), {0x12, 0x34}},
      {encoded(KorWChar(0x20AC)), {0x20, 0xAC}},
      {encoded(int32_t(-2)), {0xFF, 0xFF, 0xFF, 0xFE}},
      {encoded(uint32_t(0xDEADBEEF)), {0xDE, 0xAD, 0xBE, 0xEF}},
      {encoded(uint64_t(0x0102030405060708)), {1, 2, 3, 4, 5, 6, 7, 8}},
      {encoded(1.0f), {0x3F, 0x80, 0, 0}},
      {encoded(1.0), {0x3F, 0xF0, 0, 0, 0, 0, 0, 0}},
      {encoded(BinMagic(0x74bb4, 0)), {0x07, 0x4B, 0xB4, 0x00}},
  };
  for (const auto &[got, expected] : cases)
    EXPECT_EQ(got, expected);
}

TEST(BinStreams, ArraysHaveTheWireFormOfTheirValuesOneByOne) {
  // Arrays are converted a buffer at a time (32 bytes per step where the
  // processor allows); one value at a time takes the plain path.
  auto check = [](auto sample) {
    using T = decltype(sample);
    std::vector<T> values(77);
    Bytes oneByOne;
    for (size_t i = 0; i < values.size(); ++i) {
      uint64_t bits = 0x0102030405060708ull * (i + 1) ^ (i << 40);
      std::memcpy(&values[i], &bits, sizeof(T));
      Bytes one = encoded(values[i]);
      oneByOne.insert(oneByOne.end(), one.begin(), one.end());
    }
    MemoryOutput out;
    ASSERT_TRUE(out.write(values.data(), values.size()));
    EXPECT_EQ(out.flushed(), oneByOne) << sizeof(T);
    MemoryInput in(oneByOne);
    std::vector<T> back(values.size());
    ASSERT_TRUE(in.read(back.data(), back.size()));
    EXPECT_EQ(std::memcmp(back.data(), values.data(), sizeof(T) * 77), 0);
  };
  check(uint16_t());
  check(int32_t());
  check(float());
  check(uint64_t());
  check(double());
}

TEST(BinInput, SignExtendsSignedAndNotUnsigned) {
  MemoryInput in({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFE,
                  0xFF, 0xFE, 0x80, 0x80, 0x41});
  int32_t s32;
  uint32_t u32;
  int16_t s16;
  uint16_t u16;
  int8_t s8;
  uint8_t u8;
  char c;
  ASSERT_TRUE(in.read(&s32, 1) && in.read(&u32, 1) && in.read(&s16, 1) &&
              in.read(&u16, 1) && in.read(&s8, 1) && in.read(&u8, 1) &&
              in.read(&c, 1));
  EXPECT_EQ(std::vector<int64_t>({s32, u32, s16, u16, s8, u8, c}),
            std::vector<int64_t>({-2, 0xFFFFFFFE, -2, 0xFFFE, -128, 0x80, 'A'}));
}

TEST(BinOutput, BuffersWritesAndHandsWholeBuffersOn) {
  MemoryOutput out;
  std::vector<double> values(300, 2.5);
  ASSERT_TRUE(out.write(values.data(), values.size()));
  EXPECT_EQ(out.writes, (std::vector<size_t>{1024, 1024}));
  EXPECT_EQ(out.position(), 2400);
  // Typed writes flush early when little room is left, raw ones fill it.
  int32_t one = 1;
  out.write(values.data(), 56); // 800 buffered
  out.write(&one, 1);
  out.write(values.data(), 100);
  Bytes block(300, 0xAB);
  EXPECT_TRUE(out.writeRaw(block.data(), block.size()));
  EXPECT_EQ(out.writes, (std::vector<size_t>{1024, 1024, 800, 1024}));
  EXPECT_EQ(out.buffered(), 80u);

  // A failed flush fails the write and empties the buffer.
  out.failWrites = true;
  EXPECT_FALSE(out.write(values.data(), 128));
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

TEST(BinStreams, EveryPrimitiveRoundTripsAcrossBuffersInAnyPieces) {
  constexpr size_t n = 601; // several buffers, odd tail
  using Columns = std::tuple<std::vector<int16_t>, std::vector<KorWChar>,
                             std::vector<uint64_t>, std::vector<float>,
                             std::vector<double>>;
  Columns written;
  auto &[s16, wide, u64, f, d] = written;
  for (size_t i = 0; i < n; ++i) {
    auto value = static_cast<int32_t>(i * 2654435761u);
    s16.push_back(static_cast<int16_t>(value));
    wide.push_back(static_cast<KorWChar>(value >> 16));
    u64.push_back(i * 0x9E3779B97F4A7C15ull);
    f.push_back(static_cast<float>(value) / 7.0f);
    d.push_back(std::ldexp(static_cast<double>(value), int(i % 600) - 300));
  }
  d[1] = -0.0;
  d[2] = std::numeric_limits<double>::denorm_min();
  MemoryOutput out;
  uint8_t odd = 7; // shifts everything after it off the buffer grid
  ASSERT_TRUE(out.write(&odd, 1) && std::apply([&](auto &...column) {
                return (out.write(column.data(), n) && ...);
              }, written));
  for (size_t chunk : {size_t(1), size_t(3), SIZE_MAX}) {
    MemoryInput in(out.flushed(), chunk);
    Columns back;
    std::apply([](auto &...column) { (column.resize(n), ...); }, back);
    ASSERT_TRUE(in.read(&odd, 1) && std::apply([&](auto &...column) {
                  return (in.read(column.data(), n) && ...);
                }, back));
    EXPECT_TRUE(odd == 7 && back == written) << chunk;
    EXPECT_EQ(std::memcmp(std::get<4>(back).data(), d.data(), 8 * n), 0);
    EXPECT_FALSE(in.read(&odd, 1)); // at the end
  }
}

TEST(BinInput, ShortSourcesRawReadsChunksAndPeeks) {
  MemoryInput shortOne({0, 0, 0, 1, 0, 0, 0, 2, 0, 0});
  int32_t v[3] = {-1, -1, -1};
  EXPECT_TRUE(shortOne.read(v, 0));
  EXPECT_EQ(shortOne.reads + shortOne.tells, 0) << "nothing to read";
  EXPECT_FALSE(shortOne.read(v, 3));
  EXPECT_EQ(std::vector<int32_t>(v, v + 3), (std::vector<int32_t>{1, 2, -1}))
      << "what was converted stays";

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

  EXPECT_EQ(in.sizeFieldWidth(), 0u);
  EXPECT_TRUE(in.setSizeFieldWidth64());
  EXPECT_FALSE(in.setSizeFieldWidth32()) << "fixed once";
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

  FILE *f = std::fopen(file.narrow().c_str(), "rb");
  std::fseek(f, 3, SEEK_SET);
  BinInputFile adopted(f);
  EXPECT_EQ(adopted.streamSize(), 8u);
  EXPECT_EQ(adopted.tell(), 0) << "an adopted file is read from its start";
}

TEST(BinInputFile, UnopenablePathsGiveAStreamThatIsNotGood) {
  for (const KorWChar *path : {(const KorWChar *)nullptr, u"",
                               u"/nonexistent-dir/none.bin"}) {
    BinInputFile in(path);
    int32_t v;
    EXPECT_FALSE(in.good() || in.read(&v, 1));
    EXPECT_EQ(in.streamSize(), 0u);
    EXPECT_EQ(in.tell(), 0);
  }
  EXPECT_FALSE(BinInputFile(static_cast<FILE *>(nullptr)).good());
  EXPECT_FALSE(BinInputFile(KorString(u"/nonexistent-dir/\u00e9")).good());
  BinOutputFile bad(u"/nonexistent-dir/out.bin");
  EXPECT_FALSE(bad.good() || bad.flush());
}

TEST(BinOutputFile, FlushCommitsToDiskAndReadsBack) {
  TempFile lost("lost"), kept("kept");
  double d = 3.0;
  {
    BinOutputFile out(lost.wide());
    out.write(&d, 1); // buffered bytes need a flush before destruction
  }
  EXPECT_TRUE(lost.bytes().empty());
  BinOutputFile out(kept.wide());
  uint32_t v[2] = {0x01020304, 0x05060708};
  out.write(v, 2);
  gSynced.clear();
  EXPECT_TRUE(out.flush());
  struct stat file {};
  ASSERT_EQ(stat(kept.narrow().c_str(), &file), 0);
  ASSERT_EQ(gSynced.size(), 1u) << "flush commits the file to disk";
  EXPECT_EQ(gSynced[0].st_ino, file.st_ino);
  EXPECT_EQ(gSynced[0].st_size, 8) << "after the bytes reached the file";

  EXPECT_TRUE(out.flushAndSeek(4, true));
  uint8_t back[4] = {};
  EXPECT_EQ(out.readBack(back, 4), 4u);
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
  EXPECT_EQ(binioScrambler(), first);
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
  setScrambler(new XorScrambler);
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
  setScrambler(nullptr);
  EXPECT_EQ(binioScrambler(), nullptr);
  EXPECT_EQ(XorScrambler::destroyed, 2) << "each installed one was owned";
}

TEST(BinMagic, FieldsTextFormAndReads) {
  BinMagic tag(0x74bb4, 0), invalid(-1, 3);
  EXPECT_EQ(std::vector<int32_t>({tag.value(), tag.id(), tag.version(),
                                  BinMagic(5, 7).version(), invalid.value(),
                                  invalid.id(), invalid.version()}),
            std::vector<int32_t>({0x074BB400, 0x74bb4, 0, 7, -1, -1, -1}));
  EXPECT_EQ(BinMagic(), invalid);
  std::ostringstream text;
  text << tag << '|' << BinMagic(0x123456, 0xAB);
  EXPECT_EQ(text.str(), "478132 0|1193046 171");

  MemoryOutput out;
  BinMagic(0x74bb4, 2).write(out);
  BinMagic(0x74bb4, 2).write(out);
  BinMagic(0x11111, 0).write(out);
  MemoryInput in(out.flushed());
  BinMagic expected(0x74bb4, 0);
  EXPECT_TRUE(expected.readCompareId(in)); // versions may differ
  EXPECT_EQ(expected.version(), 2);
  BinMagic other;
  EXPECT_FALSE(other.readCompare(in, BinMagic(0x74bb4, 0)));
  EXPECT_EQ(other, BinMagic(0x74bb4, 2));
  AssertRecorder recorder;
  EXPECT_FALSE(other.readAssert(in, BinMagic(0x74bb4, 2)));
  EXPECT_EQ(other.id(), 0x11111);
  EXPECT_EQ(recorder.reports, (std::vector<AssertRecorder::Report>{
                                  {"magic_ == magic", "KorBasicTypes/binio", 578}}));
  BinMagic atEnd(0x11111, 0); // a failed read compares unequal, tag kept
  EXPECT_FALSE(atEnd.readCompareId(in) || atEnd.readCompare(in, atEnd) ||
               atEnd.readAssert(in, atEnd));
  EXPECT_EQ(atEnd, BinMagic(0x11111, 0));
}
