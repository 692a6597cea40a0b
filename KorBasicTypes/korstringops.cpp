//===- korstringops.cpp - Wide string: search, pieces, numbers, locale ----===//
#include "component/ikorstrsupport.h"
#include "KorBasicTypes/korstring.h"
#include "KorBasicTypes/korstrsupport.h"
#include "KorBasicTypes/strbuffer.h"
#include "KorBasicTypes/strnumber.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
int32_t unitCount(const KorWChar *text) {
  return text ? int32_t(std::char_traits<KorWChar>::length(text)) : 0;
}

/// A narrow text widened byte by byte (signed 8-bit).
KorString widened(const std::string &text) { return KorString(text.c_str()); }

/// The code units as bytes for scanf: units outside ASCII become a byte
/// that no number contains.
std::string scanText(const KorWChar *text) {
  std::string out;
  for (; *text; ++text)
    out += *text < 128 ? char(*text) : '\x01';
  return out;
}

bool asciiDigit(KorWChar c) { return c < 128 && std::isdigit(c); }
bool asciiSpace(KorWChar c) { return c < 128 && std::isspace(c); }
} // namespace

//===----------------------------------------------------------------------===//
// Ordering and character classes
//===----------------------------------------------------------------------===//

int KorString::compare(const KorString &other) const {
  if (IKorStrSupport *support = korStrSupport())
    return support->Compare(data(), other.data());
  int order = view().compare(other.view());
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool KorString::isDigit(int32_t pos) const {
  if (pos < 0 || pos >= length())
    return false;
  if (IKorStrSupport *support = korStrSupport())
    return support->IsDigit(data_[pos]);
  return asciiDigit(data_[pos]);
}

bool KorString::isSpace(int32_t pos) const {
  if (pos < 0 || pos >= length())
    return false;
  if (IKorStrSupport *support = korStrSupport())
    return support->IsSpace(data_[pos]);
  return asciiSpace(data_[pos]);
}

//===----------------------------------------------------------------------===//
// Search
//===----------------------------------------------------------------------===//

int32_t KorString::find(const KorWChar *text, int32_t start) const {
  int32_t size = length();
  int32_t textSize = unitCount(text);
  if (textSize > size)
    return -1;
  if (textSize == 0)
    return 0;
  if (start < 0 || start >= size || start > size - textSize)
    return -1;
  size_t hit = view().find(std::u16string_view(text, size_t(textSize)),
                           size_t(start));
  return hit == std::u16string_view::npos ? -1 : int32_t(hit);
}

int32_t KorString::find(KorWChar c, int32_t start) const {
  int32_t size = length();
  if (start < 0 || start >= size)
    return -1;
  size_t hit = view().find(c, size_t(start));
  return hit == std::u16string_view::npos ? -1 : int32_t(hit);
}

int32_t KorString::rfind(const KorWChar *text, int32_t limit) const {
  int32_t size = length();
  int32_t textSize = unitCount(text);
  if (textSize == 0)
    return limit >= 0 ? std::min(limit, size) : size;
  if (textSize > size)
    return -1;
  size_t from = size_t(size - textSize);
  if (limit >= 0)
    from = std::min(from, size_t(limit));
  size_t hit = view().rfind(std::u16string_view(text, size_t(textSize)), from);
  return hit == std::u16string_view::npos ? -1 : int32_t(hit);
}

//===----------------------------------------------------------------------===//
// Appending and pieces
//===----------------------------------------------------------------------===//

void KorString::append(const KorString &other) {
  append(other.data(), other.length());
}

void KorString::append(const KorWChar *text, int32_t count) {
  if (!text)
    return;
  if (count < 0)
    count = unitCount(text);
  if (count == 0)
    return;
  int32_t size = length();
  int32_t bytes = (size + count + 1) * 2;
  dropNarrowLiteral();
  if (capacity_ >= bytes) {
    std::memmove(data_ + size, text, size_t(count) * 2);
    data_[size + count] = 0;
    return;
  }
  int32_t capacity = 0;
  auto *buffer = static_cast<KorWChar *>(kor_str::allocate(bytes, &capacity));
  std::memcpy(buffer, data(), size_t(size) * 2);
  // The appended text may lie in the old buffer, which is freed only now.
  std::memcpy(buffer + size, text, size_t(count) * 2);
  buffer[size + count] = 0;
  adoptBuffer(buffer, capacity);
}

void KorString::append(KorWChar c) { append(&c, 1); }

KorString KorString::substring(int32_t start, int32_t count) const {
  int32_t size = length();
  start = std::max(start, 0);
  int32_t taken = std::min(count, size - start);
  if (taken < 1)
    return emptyString();
  return KorString(data_ + start, taken);
}

KorString KorString::tail(int32_t start) const {
  return substring(start, length());
}

KorString KorString::splice(int32_t start, int32_t end,
                            const KorString &insert) const {
  std::u16string_view text = view();
  size_t head = size_t(std::clamp(start, 0, int32_t(text.size())));
  size_t rest = size_t(std::clamp(end, int32_t(head), int32_t(text.size())));
  std::u16string out(text.substr(0, head));
  out.append(insert.view());
  out.append(text.substr(rest));
  return KorString(std::u16string_view(out));
}

void KorString::substituteArgs(const KorString *const *args, int32_t count) {
  // The scan never goes beyond the owned buffer, so a borrowed text
  // (capacity 0) is never changed.
  int32_t limit = capacity_ > 0 ? capacity_ / 2 : 0;
  std::u16string out;
  bool replaced = false;
  for (int32_t i = 0; i < limit && data_[i];) {
    KorWChar c = data_[i];
    if (c == u'%' && i + 1 < limit && data_[i + 1] >= u'1' &&
        data_[i + 1] <= u'9') {
      int index = data_[i + 1] - u'1';
      bool present = args && (count < 0 || index < count);
      if (const KorString *arg = present ? args[index] : nullptr)
        out.append(arg->view());
      replaced = true;
      i += 2;
      continue;
    }
    out.push_back(c);
    ++i;
  }
  if (!replaced)
    return;
  int32_t capacity = 0;
  int32_t size = int32_t(out.size());
  auto *buffer = static_cast<KorWChar *>(
      kor_str::allocate((size + 1) * 2, &capacity));
  std::memcpy(buffer, out.data(), size_t(size) * 2);
  buffer[size] = 0;
  dropNarrowLiteral();
  adoptBuffer(buffer, capacity);
}

//===----------------------------------------------------------------------===//
// Numbers
//===----------------------------------------------------------------------===//

KorString KorString::number(uint32_t value) {
  return widened(kor_str::printfText("%d", int(value)));
}

KorString KorString::number(int32_t value) {
  return widened(kor_str::printfText("%d", value));
}

KorString KorString::number(int32_t value, const char *flags) {
  std::string format = std::string("%") + (flags ? flags : "") + "d";
  return widened(kor_str::printfText(format.c_str(), value));
}

KorString KorString::number(long value, const char *flags) {
  std::string format = std::string("%") + (flags ? flags : "") + "ld";
  return widened(kor_str::printfText(format.c_str(), value));
}

KorString KorString::number(long long value, const char *flags) {
  std::string format = std::string("%") + (flags ? flags : "") + "lld";
  return widened(kor_str::printfText(format.c_str(), value));
}

KorString KorString::number(double value) {
  return widened(
      kor_str::printfText(std::fabs(value) > 1e10 ? "%e" : "%f", value));
}

KorString KorString::number(double value, const KorNumberFormat &format) {
  const char *conversion =
      !format.scientific ? "f" : (format.exactScientific ? "e" : "g");
  std::string text =
      std::string("%") + (format.flags ? format.flags : "") + conversion;
  return widened(kor_str::printfText(text.c_str(), value));
}

KorString KorString::character(KorWChar c) { return KorString(&c, 1); }

double KorString::toDouble(bool *ok) const {
  double value = 0;
  bool read = data_ && std::sscanf(scanText(data_).c_str(), "%lf", &value) > 0;
  if (ok)
    *ok = read;
  return read ? value : 0.0;
}

int32_t KorString::toInt(bool *ok) const {
  int value = 0;
  bool read = data_ && std::sscanf(scanText(data_).c_str(), "%i", &value) > 0;
  if (ok)
    *ok = read;
  return read ? value : 0;
}

//===----------------------------------------------------------------------===//
// Locale-dependent transforms
//===----------------------------------------------------------------------===//

KorString KorString::withWhiteSpaceReplaced(KorWChar c) const {
  IKorStrSupport *support = korStrSupport();
  if (!support)
    return *this;
  KorString copy(view());
  support->Normalize(copy);
  if (c == u' ')
    return copy;
  copy.makeOwned();
  for (int32_t i = 0; copy.data_ && copy.data_[i]; ++i)
    if (support->IsSpace(copy.data_[i]))
      copy.data_[i] = c;
  return copy;
}

void KorString::toLower() {
  makeOwned();
  if (IKorStrSupport *support = korStrSupport()) {
    support->ToLower(*this);
    return;
  }
  for (int32_t i = 0; data_ && data_[i]; ++i)
    if (data_[i] < 128)
      data_[i] = KorWChar(std::tolower(data_[i]));
}

void KorString::toUpper() {
  makeOwned();
  if (IKorStrSupport *support = korStrSupport()) {
    support->ToUpper(*this);
    return;
  }
  for (int32_t i = 0; data_ && data_[i]; ++i)
    if (data_[i] < 128)
      data_[i] = KorWChar(std::toupper(data_[i]));
}

void KorString::normalize() {
  makeOwned();
  if (IKorStrSupport *support = korStrSupport())
    support->Normalize(*this);
}

void KorString::foldCase() {
  makeOwned();
  if (IKorStrSupport *support = korStrSupport()) {
    support->FoldCase(*this);
    return;
  }
  toLower();
}
