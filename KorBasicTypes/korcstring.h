//===- korcstring.h - Narrow (8-bit) string of the core library -----------===//
//
// KorCString keeps a zero-terminated 8-bit text. A positive capacity means
// the buffer is owned (it came from bucketAlloc and holds capacity bytes);
// zero or less means the text is borrowed (a literal) and never freed.
// Copying a borrowed string shares the pointer; every in-place change first
// makes the text owned (copy-on-write).
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kortypes.h"
#include <compare>
#include <cstdint>

/// A narrow string that owns its buffer or borrows a literal.
class KorCString {
public:
  /// The null string.
  KorCString() = default;
  /// An owned copy of `text` (null stays null).
  KorCString(const char *text);
  /// An owned copy of the first min(maxLength, length) characters.
  KorCString(const char *text, int32_t maxLength);
  /// The owned concatenation of two or three texts; null parts count as
  /// empty and an all-empty result stays null.
  KorCString(const char *a, const char *b);
  KorCString(const char *a, const char *b, const char *c);
  /// An owned one-character text.
  explicit KorCString(char c);
  /// The integer in "%d".
  explicit KorCString(int32_t value);
  /// The value in "%f", or with `shortest` the shortest text that reads
  /// back as the same float. Throws std::invalid_argument or
  /// std::out_of_range when the text cannot be read back.
  explicit KorCString(float value, bool shortest = false);
  /// The value in "%f", or with `shortest` the shortest text that reads
  /// back as the same double.
  explicit KorCString(double value, bool shortest = false);
  /// The low bytes of the code units of a wide text (length -1: up to the
  /// terminator).
  explicit KorCString(const KorWChar *text, int32_t length = -1);

  /// The owned concatenation of a null-terminated list of texts.
  static KorCString concat(const char *const *texts);
  /// Refers to `text` without copying; it is never freed.
  static KorCString borrowed(const char *text);
  /// Takes over `text`, a bucketAlloc block of at least length + 1 bytes,
  /// which is given back with bucketFree(length + 1, text).
  static KorCString adopted(char *text);
  /// Refers to `text`; with `adopt` the buffer is treated as owned.
  static KorCString refer(char *text, bool adopt);

  KorCString(const KorCString &other);
  KorCString(KorCString &&other) noexcept;
  KorCString &operator=(const KorCString &other);
  KorCString &operator=(KorCString &&other) noexcept;
  KorCString &operator=(const char *text);
  /// Assigns the low bytes of a wide text (see assign).
  KorCString &operator=(const KorWChar *text);
  ~KorCString();

  /// Assigns the low bytes of `length` code units (-1: up to the
  /// terminator); the owned buffer is reused when it is large enough.
  void assign(const KorWChar *text, int32_t length = -1);

  /// The text, or null for the null string.
  const char *data() const { return data_; }
  /// The text, "" for the null string.
  const char *c_str() const { return data_ ? data_ : ""; }
  /// The C string length, 0 for null.
  int32_t length() const;
  /// Bytes of the owned buffer; 0 or less for a borrowed text.
  int32_t capacity() const { return capacity_; }
  bool isNull() const { return data_ == nullptr; }
  bool isEmpty() const { return !data_ || !*data_; }
  bool isOwned() const { return capacity_ > 0; }
  /// The byte at `pos` (no range check).
  char operator[](int32_t pos) const { return data_[pos]; }

  /// Byte-wise unsigned comparison: -1, 0 or 1; null is below every
  /// non-null text, the empty one included.
  int compare(const char *other) const;
  int compare(const KorCString &other) const { return compare(other.data_); }
  static int compare(const char *a, const char *b);

  /// First position of `c` at or after `start`, or -1.
  int32_t find(char c, int32_t start = 0) const;
  /// First position of `text` at or after `start`, or -1; 0 for an empty
  /// text. A negative start is reported as "start >= 0".
  int32_t find(const char *text, int32_t start = 0) const;
  /// Last position of `c`, or -1.
  int32_t rfind(char c) const;
  /// Last position of `text`, or -1; the length for an empty text.
  int32_t rfind(const char *text) const;

  /// Replaces `count` characters at `pos` by `text`.
  void replace(int32_t pos, int32_t count, const char *text);
  /// Replaces every match of `from`, left to right, by `to`.
  void replaceAll(const char *from, const char *to);
  /// Appends a text or one character.
  void append(const char *text);
  void append(char c);
  KorCString &operator+=(const char *text) {
    append(text);
    return *this;
  }
  KorCString &operator+=(char c) {
    append(c);
    return *this;
  }

  /// In-place byte-wise tolower / toupper.
  void toLower();
  void toUpper();
  /// Reverses the bytes in place.
  void reverse();
  /// Gives a borrowed text its own buffer (copy-on-write).
  void makeOwned();

  /// Leading white space dropped, inner runs replaced by one `separator`,
  /// trailing white space dropped.
  KorCString simplifyWhiteSpace(char separator = ' ') const;
  /// The text cut to `maxLength` characters with `dots` dots: mode 0 keeps
  /// the head, 1 the tail, 2 head and tail.
  KorCString abbreviate(int32_t maxLength, int32_t dots, int32_t mode) const;
  /// The text read with strtof; 0 for null. Throws
  /// std::invalid_argument("invalid stof argument") or
  /// std::out_of_range("stof argument out of range").
  float toFloat() const;
  /// The text read with strtod; 0 for null. Throws
  /// std::invalid_argument("invalid stod argument") or
  /// std::out_of_range("stod argument out of range").
  double toDouble() const;

  /// Hands the buffer to the caller and leaves the string null; the
  /// capacity (0 or less: borrowed) goes to *capacity.
  char *release(int32_t *capacity);

  friend bool operator==(const KorCString &a, const KorCString &b) {
    return a.compare(b) == 0;
  }
  friend bool operator==(const KorCString &a, const char *b) {
    return a.compare(b) == 0;
  }
  friend std::strong_ordering operator<=>(const KorCString &a,
                                          const KorCString &b) {
    return a.compare(b) <=> 0;
  }
  friend std::strong_ordering operator<=>(const KorCString &a,
                                          const char *b) {
    return a.compare(b) <=> 0;
  }

private:
  void reset();
  void setOwnedCopy(const char *text, int32_t length);
  void setConcat(const char *const *texts, int count);

  char *data_ = nullptr;
  int32_t capacity_ = 0;
};
