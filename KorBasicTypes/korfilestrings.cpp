//===- korfilestrings.cpp - Strings on binary streams as data-model blocks ===//
#include "KorBasicTypes/korfilestrings.h"
#include "KorBasicTypes/korfileread.h"
#include "KorBasicTypes/korfilewrite.h"

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
