//===- korstring.cpp - Wide (UTF-16) string: storage and assignment -------===//
//
// Buffers, copying, the narrow and UTF-8 forms and UTF-8 decoding. Search,
// pieces, numbers and the locale-dependent operations are in
// korstringops.cpp.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korstring.h"
#include "component/ikorstrsupport.h"
#include "KorBasicTypes/korstrsupport.h"
#include "KorBasicTypes/strbuffer.h"
#include <cstring>
#include <string>
#include <utility>

namespace {
const KorWChar kEmptyText[1] = {0};

int32_t unitCount(const KorWChar *text) {
  return text ? int32_t(std::char_traits<KorWChar>::length(text)) : 0;
}

KorWChar *allocateUnits(int32_t length, int32_t *capacity) {
  return static_cast<KorWChar *>(
      kor_str::allocate((length + 1) * 2, capacity));
}

/// A byte widened as a signed 8-bit value (0xE9 becomes 0xFFE9).
KorWChar widen(char c) { return KorWChar(static_cast<signed char>(c)); }
} // namespace

//===----------------------------------------------------------------------===//
// Construction, copying and assignment
//===----------------------------------------------------------------------===//

KorString::KorString(const KorWChar *text) {
  if (text)
    assignUnits(text, unitCount(text));
}

KorString::KorString(const KorWChar *text, int32_t length) {
  assign(text, length);
}

KorString::KorString(const KorWChar *wideLiteral, const char *narrowLiteral)
    : data_(const_cast<KorWChar *>(wideLiteral)) {
  narrow_.data = const_cast<char *>(narrowLiteral);
}

KorString::KorString(const char *text) { assign(text); }

KorString::KorString(const KorCString &text) { assign(text.data()); }

KorString::KorString(std::u16string_view text) {
  assignUnits(text.data(), int32_t(text.size()));
}

const KorString &KorString::emptyString() {
  static const KorString empty = borrowed(kEmptyText);
  return empty;
}

KorString::KorString(const KorString &other) {
  if (other.capacity_ > 0) {
    assignUnits(other.data_, other.length());
    return;
  }
  data_ = other.data_;
  if (other.narrow_.capacity <= 0)
    narrow_.data = other.narrow_.data;
}

KorString::KorString(KorString &&other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      narrow_(std::exchange(other.narrow_, Cache())),
      utf8_(std::exchange(other.utf8_, Cache())) {}

KorString &KorString::operator=(const KorString &other) {
  if (this == &other)
    return *this;
  if (other.capacity_ > 0) {
    assignUnits(other.data_, other.length());
    return *this;
  }
  reset();
  data_ = other.data_;
  if (other.narrow_.capacity <= 0 && other.narrow_.data) {
    releaseCache(narrow_);
    narrow_.data = other.narrow_.data;
  }
  return *this;
}

KorString &KorString::operator=(KorString &&other) noexcept {
  if (this != &other) {
    reset();
    releaseCache(narrow_);
    releaseCache(utf8_);
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    narrow_ = std::exchange(other.narrow_, Cache());
    utf8_ = std::exchange(other.utf8_, Cache());
  }
  return *this;
}

KorString &KorString::operator=(const KorWChar *text) {
  assign(text, -1);
  return *this;
}

KorString &KorString::operator=(const char *text) {
  assign(text);
  return *this;
}

KorString::~KorString() {
  reset();
  releaseCache(narrow_);
  releaseCache(utf8_);
}

void KorString::assign(const KorWChar *text, int32_t length) {
  if (!text) {
    reset();
    return;
  }
  if (length == 0) {
    // An explicit length of 0 borrows the text (a literal) instead of
    // copying it.
    reset();
    data_ = const_cast<KorWChar *>(text);
    return;
  }
  assignUnits(text, length < 0 ? unitCount(text) : length);
}

void KorString::assign(const char *text) {
  if (!text) {
    reset();
    return;
  }
  int32_t length = int32_t(std::strlen(text));
  dropNarrowLiteral();
  if (capacity_ < 2 * length + 2) {
    int32_t capacity = 0;
    KorWChar *buffer = allocateUnits(length, &capacity);
    adoptBuffer(buffer, capacity);
  }
  for (int32_t i = 0; i < length; ++i)
    data_[i] = widen(text[i]);
  data_[length] = 0;
}

KorWChar *KorString::bufferForOverwrite(int32_t length) {
  dropNarrowLiteral();
  if (capacity_ < 2 * length + 2) {
    int32_t capacity = 0;
    KorWChar *buffer = allocateUnits(length, &capacity);
    adoptBuffer(buffer, capacity);
  }
  data_[length] = 0;
  return data_;
}

void KorString::assignUnits(const KorWChar *text, int32_t length) {
  dropNarrowLiteral();
  if (capacity_ >= 2 * length + 2) {
    // The owned buffer is large enough; the text may lie inside it.
    if (length > 0)
      std::memmove(data_, text, size_t(length) * 2);
    data_[length] = 0;
    return;
  }
  int32_t capacity = 0;
  KorWChar *buffer = allocateUnits(length, &capacity);
  if (length > 0)
    std::memcpy(buffer, text, size_t(length) * 2);
  buffer[length] = 0;
  adoptBuffer(buffer, capacity);
}

void KorString::adoptBuffer(KorWChar *buffer, int32_t capacity) {
  kor_str::release(data_, capacity_);
  data_ = buffer;
  capacity_ = capacity;
}

void KorString::reset() {
  adoptBuffer(nullptr, 0);
  dropNarrowLiteral();
}

void KorString::dropNarrowLiteral() {
  if (narrow_.capacity <= 0)
    narrow_.data = nullptr;
}

void KorString::makeOwned() {
  if (data_ && capacity_ <= 0)
    assignUnits(data_, length());
}

//===----------------------------------------------------------------------===//
// Plain queries
//===----------------------------------------------------------------------===//

const KorWChar *KorString::data() const { return data_ ? data_ : kEmptyText; }

int32_t KorString::length() const { return unitCount(data_); }

bool operator==(const KorString &a, const KorString &b) {
  return a.view() == b.view();
}

bool operator==(const KorString &a, const KorWChar *b) {
  return a.view() == std::u16string_view(b ? b : kEmptyText);
}

bool operator==(const KorString &a, const char *b) {
  const KorWChar *text = a.data();
  if (!b)
    return *text == 0;
  for (; *text && *b; ++text, ++b)
    if (*text != widen(*b))
      return false;
  return *text == 0 && *b == 0;
}

//===----------------------------------------------------------------------===//
// Derived forms
//===----------------------------------------------------------------------===//

char *KorString::cacheBuffer(Cache &cache, int32_t bytes) const {
  if (cache.capacity < bytes) {
    releaseCache(cache);
    cache.data = static_cast<char *>(kor_str::allocate(bytes, &cache.capacity));
  }
  return cache.data;
}

void KorString::releaseCache(Cache &cache) {
  kor_str::release(cache.data, cache.capacity);
  cache = Cache();
}

const char *KorString::narrow() const {
  if (narrow_.data && narrow_.capacity <= 0)
    return narrow_.data; // the narrow literal given with the wide one
  const KorWChar *text = data();
  if (IKorStrSupport *support = korStrSupport()) {
    KorCString form;
    support->NarrowForm(text, form);
    int32_t capacity = 0;
    char *buffer = form.release(&capacity);
    if (capacity > 0) {
      releaseCache(narrow_);
      narrow_ = {buffer, capacity};
      return buffer;
    }
    int32_t size = buffer ? int32_t(std::strlen(buffer)) : 0;
    char *out = cacheBuffer(narrow_, size + 1);
    std::memcpy(out, buffer ? buffer : "", size_t(size) + 1);
    return out;
  }
  // Without the service only the ASCII code units are kept.
  char *out = cacheBuffer(narrow_, length() + 1);
  char *end = out;
  for (; *text; ++text)
    if (*text < 128)
      *end++ = char(*text);
  *end = 0;
  return out;
}

const char *KorString::utf8() const {
  const KorWChar *text = data();
  unsigned char *out = reinterpret_cast<unsigned char *>(
      cacheBuffer(utf8_, 4 * length() + 1));
  unsigned char *end = out;
  // Each code unit is encoded on its own; surrogates are not combined.
  for (; *text; ++text) {
    unsigned unit = *text;
    if (unit < 0x80) {
      *end++ = static_cast<unsigned char>(unit);
    } else if (unit < 0x800) {
      *end++ = static_cast<unsigned char>(0xC0 | (unit >> 6));
      *end++ = static_cast<unsigned char>(0x80 | (unit & 0x3F));
    } else {
      *end++ = static_cast<unsigned char>(0xE0 | (unit >> 12));
      *end++ = static_cast<unsigned char>(0x80 | ((unit >> 6) & 0x3F));
      *end++ = static_cast<unsigned char>(0x80 | (unit & 0x3F));
    }
  }
  *end = 0;
  return reinterpret_cast<const char *>(out);
}

namespace {
/// Decodes one to three bytes per code unit; false for a lead byte of a
/// longer sequence, a sequence cut short or an overlong form.
bool decodeUtf8(const unsigned char *in, std::u16string &out) {
  while (*in) {
    unsigned lead = *in++;
    int follow = 0;
    unsigned unit = lead & 0x7F;
    if ((lead & 0xE0) == 0xC0) {
      follow = 1;
      unit = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      follow = 2;
      unit = lead & 0x0F;
    } else if ((lead & 0xF0) == 0xF0) {
      return false;
    }
    for (int i = 0; i < follow; ++i) {
      if (!*in)
        return false;
      unit = (unit << 6) | (*in++ & 0x3F);
    }
    if ((follow == 1 && unit < 0x80) || (follow == 2 && unit < 0x800))
      return false;
    out.push_back(KorWChar(unit));
  }
  return true;
}
} // namespace

KorString KorString::fromUtf8(const char *text) {
  std::u16string units;
  if (!text || !*text ||
      !decodeUtf8(reinterpret_cast<const unsigned char *>(text), units))
    return emptyString();
  return KorString(std::u16string_view(units));
}
