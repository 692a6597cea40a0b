//===- korstring.h - Wide (UTF-16) string of the core library -------------===//
//
// KorString keeps a zero-terminated text of UTF-16 code units with the same
// ownership rule as KorCString (positive capacity: an owned bucketAlloc
// buffer; otherwise a borrowed literal). Two caches of the same kind hold
// the narrow and the UTF-8 form. Locale-sensitive work (ordering, character
// classes, case) goes to the host's "IKorStrSupport" when it is offered.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "KorBasicTypes/korcstring.h"
#include "component/kortypes.h"
#include <cstdint>
#include <string_view>

/// How a double is written: "%" + flags + "f", "e" (scientific and exact
/// scientific) or "g" (scientific only).
struct KorNumberFormat {
  const char *flags = "";
  bool scientific = false;
  bool exactScientific = false;
};

/// A wide string that owns its buffer or borrows a literal.
class KorString {
public:
  /// The null string (reads as empty).
  KorString() = default;
  /// An owned copy of `text` (null stays null).
  KorString(const KorWChar *text);
  /// A copy of `length` code units (-1: up to the terminator); a length of
  /// 0 borrows `text` instead of copying.
  KorString(const KorWChar *text, int32_t length);
  /// Borrows a wide literal together with its narrow form.
  KorString(const KorWChar *wideLiteral, const char *narrowLiteral);
  /// A narrow text widened byte by byte as signed 8-bit values.
  KorString(const char *text);
  explicit KorString(const KorCString &text);
  /// A copy of the code units of `text`.
  explicit KorString(std::u16string_view text);

  /// Borrows `text` without copying.
  static KorString borrowed(const KorWChar *text) { return {text, 0}; }
  /// Decodes UTF-8 (one to three bytes per code unit); malformed input
  /// gives the shared empty string.
  static KorString fromUtf8(const char *text);
  /// "%d" of the value.
  static KorString number(uint32_t value);
  static KorString number(int32_t value);
  /// "%" + flags + "d", "ld" or "lld".
  static KorString number(int32_t value, const char *flags);
  static KorString number(long value, const char *flags);
  static KorString number(long long value, const char *flags);
  /// "%e" when |value| > 1e10, else "%f".
  static KorString number(double value);
  /// The value written by `format`.
  static KorString number(double value, const KorNumberFormat &format);
  /// An owned one-character text.
  static KorString character(KorWChar c);
  /// The process-wide empty string.
  static const KorString &emptyString();

  KorString(const KorString &other);
  KorString(KorString &&other) noexcept;
  KorString &operator=(const KorString &other);
  KorString &operator=(KorString &&other) noexcept;
  KorString &operator=(const KorWChar *text);
  KorString &operator=(const char *text);
  ~KorString();

  /// Assigns `length` code units (-1: up to the terminator; 0 borrows).
  void assign(const KorWChar *text, int32_t length = -1);
  /// Assigns a narrow text widened as signed 8-bit values.
  void assign(const char *text);
  /// Gives the string an owned buffer of `length` code units and a
  /// terminator for the caller to fill; the text ends at its first 0 unit.
  /// Lets a converter write straight into the string, without a copy.
  KorWChar *bufferForOverwrite(int32_t length);

  /// The text; a shared empty text for null.
  const KorWChar *data() const;
  /// The text pointer, null for the null string.
  const KorWChar *rawData() const { return data_; }
  /// Code units before the terminator.
  int32_t length() const;
  /// Bytes of the owned buffer; 0 or less when borrowed.
  int32_t capacity() const { return capacity_; }
  bool isNull() const { return data_ == nullptr; }
  bool isEmpty() const { return !data_ || !*data_; }
  bool isOwned() const { return capacity_ > 0; }
  KorWChar operator[](int32_t pos) const { return data_[pos]; }
  std::u16string_view view() const { return {data(), size_t(length())}; }

  /// The narrow form: the narrow literal given at construction, else
  /// rebuilt by IKorStrSupport or from the code units below 128. Valid
  /// until the string changes or the form is asked for again.
  const char *narrow() const;
  /// The UTF-8 form, each code unit encoded on its own.
  const char *utf8() const;

  /// Locale order through IKorStrSupport (code-unit order without it):
  /// negative, zero or positive.
  int compare(const KorString &other) const;
  bool isDigit(int32_t pos) const;
  bool isSpace(int32_t pos) const;

  /// First position of `text` at or after `start`, or -1; 0 for an empty
  /// text.
  int32_t find(const KorWChar *text, int32_t start = 0) const;
  int32_t find(const KorString &text, int32_t start = 0) const {
    return find(text.data(), start);
  }
  /// First position of `c` at or after `start`, or -1.
  int32_t find(KorWChar c, int32_t start = 0) const;
  /// Last position of `text` not beyond `limit` (when 0 or more), or -1.
  int32_t rfind(const KorWChar *text, int32_t limit = -1) const;
  int32_t rfind(const KorString &text, int32_t limit = -1) const {
    return rfind(text.data(), limit);
  }

  void append(const KorString &other);
  void append(const KorWChar *text, int32_t length = -1);
  void append(KorWChar c);
  KorString &operator+=(const KorString &other) {
    append(other);
    return *this;
  }
  KorString &operator+=(const KorWChar *text) {
    append(text);
    return *this;
  }
  KorString &operator+=(KorWChar c) {
    append(c);
    return *this;
  }
  friend KorString operator+(KorString a, const KorString &b) {
    a.append(b);
    return a;
  }

  /// min(count, length - start) code units from `start`.
  KorString substring(int32_t start, int32_t count) const;
  /// The code units from `start` to the end.
  KorString tail(int32_t start) const;
  /// The code units before `start`, then `insert`, then those from `end`.
  KorString splice(int32_t start, int32_t end, const KorString &insert) const;
  /// Replaces "%1".."%9" by the entries of `args` (a null entry gives
  /// nothing); entries at or beyond `count` (when 0 or more) count as null.
  /// A borrowed text is left unchanged.
  void substituteArgs(const KorString *const *args, int32_t count = -1);

  /// The text scanned with "%lf"; *ok tells whether a field was read.
  double toDouble(bool *ok = nullptr) const;
  /// The text scanned with "%i".
  int32_t toInt(bool *ok = nullptr) const;
  /// A normalised copy with the service's white space replaced by `c`
  /// (a plain copy without the service).
  KorString withWhiteSpaceReplaced(KorWChar c) const;
  /// In-place transforms through IKorStrSupport (ASCII rules without it).
  void toLower();
  void toUpper();
  void normalize();
  void foldCase();
  /// Gives a borrowed text its own buffer.
  void makeOwned();

  friend bool operator==(const KorString &a, const KorString &b);
  friend bool operator==(const KorString &a, const KorWChar *b);
  /// Code unit against signed-widened byte.
  friend bool operator==(const KorString &a, const char *b);
  friend bool operator<(const KorString &a, const KorString &b) {
    return a.compare(b) < 0;
  }
  friend bool operator>(const KorString &a, const KorString &b) {
    return a.compare(b) > 0;
  }
  friend bool operator<=(const KorString &a, const KorString &b) {
    return a.compare(b) <= 0;
  }
  friend bool operator>=(const KorString &a, const KorString &b) {
    return a.compare(b) >= 0;
  }

private:
  /// A buffer of the derived-form caches: pointer and signed capacity.
  struct Cache {
    char *data = nullptr;
    int32_t capacity = 0;
  };
  void reset();
  void dropNarrowLiteral();
  void adoptBuffer(KorWChar *buffer, int32_t capacity);
  void assignUnits(const KorWChar *text, int32_t length);
  char *cacheBuffer(Cache &cache, int32_t bytes) const;
  static void releaseCache(Cache &cache);

  KorWChar *data_ = nullptr;
  int32_t capacity_ = 0;
  mutable Cache narrow_;
  mutable Cache utf8_;
};
