//===- korcstring.cpp - Narrow (8-bit) string of the core library ---------===//
#include "KorBasicTypes/korcstring.h"
#include "component/korassert.h"
#include "KorBasicTypes/strbuffer.h"
#include "KorBasicTypes/strnumber.h"
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {
constexpr const char *kUnit = "KorBasicTypes/korcstring";
// Lines under which the unit reports its two misuse checks.
constexpr int kFindStartLine = 671;
constexpr int kAbbreviateModeLine = 871;

int32_t textLength(const char *text) {
  return text ? int32_t(std::strlen(text)) : 0;
}

char *allocateText(int32_t length, int32_t *capacity) {
  return static_cast<char *>(kor_str::allocate(length + 1, capacity));
}
} // namespace

//===----------------------------------------------------------------------===//
// Construction and assignment
//===----------------------------------------------------------------------===//

KorCString::KorCString(const char *text) {
  if (text)
    setOwnedCopy(text, textLength(text));
}

KorCString::KorCString(const char *text, int32_t maxLength) {
  if (!text)
    return;
  int32_t length = 0;
  while (length < maxLength && text[length])
    ++length;
  setOwnedCopy(text, length);
}

KorCString::KorCString(const char *a, const char *b) {
  const char *texts[] = {a, b};
  setConcat(texts, 2);
}

KorCString::KorCString(const char *a, const char *b, const char *c) {
  const char *texts[] = {a, b, c};
  setConcat(texts, 3);
}

KorCString::KorCString(char c) {
  char text[2] = {c, 0};
  setOwnedCopy(text, 1);
}

KorCString::KorCString(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  setOwnedCopy(text, textLength(text));
}

KorCString::KorCString(float value, bool shortest) {
  if (shortest) {
    std::string text = kor_str::shortestText(value);
    setOwnedCopy(text.c_str(), int32_t(text.size()));
    return;
  }
  *this = KorCString(double(value));
}

KorCString::KorCString(double value, bool shortest) {
  std::string text = shortest ? kor_str::shortestText(value)
                              : kor_str::printfText("%f", value);
  setOwnedCopy(text.c_str(), int32_t(text.size()));
}

KorCString::KorCString(const KorWChar *text, int32_t length) {
  assign(text, length);
}

KorCString KorCString::concat(const char *const *texts) {
  KorCString result;
  int count = 0;
  while (texts && texts[count])
    ++count;
  result.setConcat(texts, count);
  return result;
}

KorCString KorCString::borrowed(const char *text) {
  KorCString result;
  result.data_ = const_cast<char *>(text);
  return result;
}

KorCString KorCString::adopted(char *text) { return refer(text, true); }

KorCString KorCString::refer(char *text, bool adopt) {
  KorCString result;
  result.data_ = text;
  if (adopt && text)
    result.capacity_ = textLength(text) + 1;
  return result;
}

KorCString::KorCString(const KorCString &other) {
  if (other.capacity_ > 0)
    setOwnedCopy(other.data_, other.length());
  else
    data_ = other.data_;
}

KorCString::KorCString(KorCString &&other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)) {}

KorCString &KorCString::operator=(const KorCString &other) {
  if (this != &other)
    *this = KorCString(other);
  return *this;
}

KorCString &KorCString::operator=(KorCString &&other) noexcept {
  if (this != &other) {
    reset();
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

KorCString &KorCString::operator=(const char *text) {
  return *this = KorCString(text);
}

KorCString &KorCString::operator=(const KorWChar *text) {
  assign(text, -1);
  return *this;
}

KorCString::~KorCString() { reset(); }

void KorCString::assign(const KorWChar *text, int32_t length) {
  if (!text) {
    reset();
    return;
  }
  if (length < 0)
    length = int32_t(std::char_traits<KorWChar>::length(text));
  if (capacity_ <= length) {
    reset();
    data_ = allocateText(length, &capacity_);
  }
  // Each code unit keeps its low byte.
  for (int32_t i = 0; i < length; ++i)
    data_[i] = char(text[i] & 0xFF);
  data_[length] = 0;
}

void KorCString::reset() {
  kor_str::release(data_, capacity_);
  data_ = nullptr;
  capacity_ = 0;
}

void KorCString::setOwnedCopy(const char *text, int32_t length) {
  int32_t capacity = 0;
  char *buffer = allocateText(length, &capacity);
  if (length > 0)
    std::memcpy(buffer, text, size_t(length));
  buffer[length] = 0;
  reset();
  data_ = buffer;
  capacity_ = capacity;
}

void KorCString::setConcat(const char *const *texts, int count) {
  int32_t total = 0;
  for (int i = 0; i < count; ++i)
    total += textLength(texts[i]);
  reset();
  if (total == 0)
    return;
  data_ = allocateText(total, &capacity_);
  char *out = data_;
  for (int i = 0; i < count; ++i) {
    int32_t part = textLength(texts[i]);
    if (part > 0)
      std::memcpy(out, texts[i], size_t(part));
    out += part;
  }
  *out = 0;
}

void KorCString::makeOwned() {
  if (data_ && capacity_ <= 0)
    setOwnedCopy(data_, length());
}

char *KorCString::release(int32_t *capacity) {
  *capacity = std::exchange(capacity_, 0);
  return std::exchange(data_, nullptr);
}

//===----------------------------------------------------------------------===//
// Queries
//===----------------------------------------------------------------------===//

int32_t KorCString::length() const { return textLength(data_); }

int KorCString::compare(const char *a, const char *b) {
  if (!a || !b)
    return a == b ? 0 : (a ? 1 : -1);
  int order = std::strcmp(a, b); // strcmp compares as unsigned char
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int KorCString::compare(const char *other) const {
  return compare(data_, other);
}

int32_t KorCString::find(char c, int32_t start) const {
  int32_t size = length();
  if (size == 0 || start < 0 || start >= size || c == 0)
    return -1;
  const char *hit = std::strchr(data_ + start, c);
  return hit ? int32_t(hit - data_) : -1;
}

int32_t KorCString::find(const char *text, int32_t start) const {
  int32_t size = length();
  int32_t textSize = textLength(text);
  if (textSize > size)
    return -1;
  if (textSize == 0)
    return 0;
  if (start < 0) {
    Assert_basic("start >= 0", kUnit, kFindStartLine);
    return -1;
  }
  if (start >= size || start > size - textSize)
    return -1;
  const char *hit = std::strstr(data_ + start, text);
  return hit ? int32_t(hit - data_) : -1;
}

int32_t KorCString::rfind(char c) const {
  if (!data_ || !*data_ || c == 0)
    return -1;
  const char *hit = std::strrchr(data_, c);
  return hit ? int32_t(hit - data_) : -1;
}

int32_t KorCString::rfind(const char *text) const {
  int32_t size = length();
  int32_t textSize = textLength(text);
  if (textSize > size)
    return -1;
  if (textSize == 0)
    return size;
  for (int32_t pos = size - textSize; pos >= 0; --pos)
    if (std::memcmp(data_ + pos, text, size_t(textSize)) == 0)
      return pos;
  return -1;
}

//===----------------------------------------------------------------------===//
// In-place changes
//===----------------------------------------------------------------------===//

void KorCString::replace(int32_t pos, int32_t count, const char *text) {
  int32_t size = length();
  if (pos < 0 || count < 0 || pos > size)
    return;
  if (count > size - pos)
    count = size - pos;
  int32_t textSize = textLength(text);
  if (textSize == count) {
    makeOwned();
    if (data_ && count > 0)
      std::memcpy(data_ + pos, text, size_t(count));
    return;
  }
  int32_t newSize = size - count + textSize;
  int32_t capacity = 0;
  char *buffer = allocateText(newSize, &capacity);
  const char *old = c_str();
  std::memcpy(buffer, old, size_t(pos));
  std::memcpy(buffer + pos, text ? text : "", size_t(textSize));
  std::memcpy(buffer + pos + textSize, old + pos + count,
              size_t(size - pos - count));
  buffer[newSize] = 0;
  reset();
  data_ = buffer;
  capacity_ = capacity;
}

void KorCString::replaceAll(const char *from, const char *to) {
  if (!from || !to || !*from || std::strcmp(from, to) == 0 || isEmpty())
    return;
  int32_t fromSize = textLength(from);
  int32_t toSize = textLength(to);
  int32_t pos = find(from, 0);
  while (pos >= 0) {
    replace(pos, fromSize, to);
    int32_t next = pos + toSize;
    if (next >= length())
      break;
    pos = find(from, next);
  }
}

void KorCString::append(const char *text) {
  int32_t textSize = textLength(text);
  if (textSize == 0)
    return;
  replace(length(), 0, text);
}

void KorCString::append(char c) {
  char text[2] = {c, 0};
  append(text);
}

void KorCString::toLower() {
  makeOwned();
  for (char *p = data_; p && *p; ++p)
    *p = char(std::tolower(static_cast<unsigned char>(*p)));
}

void KorCString::toUpper() {
  makeOwned();
  for (char *p = data_; p && *p; ++p)
    *p = char(std::toupper(static_cast<unsigned char>(*p)));
}

void KorCString::reverse() {
  makeOwned();
  int32_t size = length();
  for (int32_t i = 0, j = size - 1; i < j; ++i, --j)
    std::swap(data_[i], data_[j]);
}

//===----------------------------------------------------------------------===//
// Derived texts and numbers
//===----------------------------------------------------------------------===//

KorCString KorCString::simplifyWhiteSpace(char separator) const {
  if (!data_)
    return borrowed("");
  std::string out;
  bool pendingSeparator = false;
  for (const char *p = data_; *p; ++p) {
    if (std::isspace(static_cast<unsigned char>(*p))) {
      pendingSeparator = !out.empty();
      continue;
    }
    if (pendingSeparator)
      out += separator;
    pendingSeparator = false;
    out += *p;
  }
  KorCString result;
  result.setOwnedCopy(out.c_str(), int32_t(out.size()));
  return result;
}

KorCString KorCString::abbreviate(int32_t maxLength, int32_t dots,
                                  int32_t mode) const {
  if (maxLength <= dots)
    return KorCString(std::string(size_t(std::max(maxLength, 0)), '.').c_str());
  int32_t size = length();
  if (size <= maxLength)
    return *this;
  int32_t kept = maxLength - dots;
  std::string dotText(size_t(dots), '.');
  std::string text(data_, size_t(size));
  switch (mode) {
  case 0:
    return KorCString((text.substr(0, size_t(kept)) + dotText).c_str());
  case 1:
    return KorCString((dotText + text.substr(size_t(size - kept))).c_str());
  case 2: {
    int32_t head = kept / 2;
    int32_t tailSize = kept - head;
    return KorCString((text.substr(0, size_t(head)) + dotText +
                       text.substr(size_t(size - tailSize)))
                          .c_str());
  }
  default:
    Assert_basic("0", kUnit, kAbbreviateModeLine);
    return *this;
  }
}

float KorCString::toFloat() const {
  return data_ ? kor_str::parseFloat(data_) : 0.0f;
}

double KorCString::toDouble() const {
  return data_ ? kor_str::parseDouble(data_) : 0.0;
}
