//===- korfilestrings.cpp - Strings on binary streams as data-model blocks ===//
#include "KorBasicTypes/korfilestrings.h"
#include "KorBasicTypes/bininput.h"
#include "KorBasicTypes/korfileread.h"
#include "KorBasicTypes/korfilewrite.h"

// --- String slots of the writer and the reader ------------------------------

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

// --- Stream operators of the string classes ---------------------------------

namespace {
// Created once, thread-safely; they live until the library is unloaded.
template <class Text> KorFileWrite &sharedWriter() {
  static KorFileWrite *writer = new KorFileWrite;
  return *writer;
}
template <class Text> KorFileRead &sharedReader() {
  static KorFileRead *reader = new KorFileRead;
  return *reader;
}

template <class Text, class Write>
BinOutput &writeWith(BinOutput &out, const Write &write) {
  KorFileWrite &writer = sharedWriter<Text>();
  writer.attach(&out, false);
  write(writer);
  writer.attach(nullptr, false);
  return out;
}

template <class Text> BinInput &readWith(BinInput &in, Text &text) {
  KorFileRead &reader = sharedReader<Text>();
  reader.attach(&in);
  reader >> text;
  reader.attach(nullptr);
  return in;
}
} // namespace

BinOutput &operator<<(BinOutput &out, const KorCString &text) {
  return writeWith<KorCString>(
      out, [&](KorFileWrite &writer) { writer.writeString(text.data()); });
}

BinInput &operator>>(BinInput &in, KorCString &text) {
  return readWith(in, text);
}

BinOutput &operator<<(BinOutput &out, const KorString &text) {
  return writeWith<KorString>(
      out, [&](KorFileWrite &writer) { writer.writeWideString(text); });
}

BinInput &operator>>(BinInput &in, KorString &text) {
  return readWith(in, text);
}
