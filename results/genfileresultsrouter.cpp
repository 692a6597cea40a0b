//===- genfileresultsrouter.cpp - Writes a formatter's text to a file -----===//
#include "results/genfileresultsrouter.h"
#include "KorBasicTypes/binfile.h"
#include "results/ikortestresultsformatter.h"
#include "results/resultpath.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {
/// Code units converted and written at a time: a large report never needs
/// a second whole copy of itself.
constexpr int32_t kPieceUnits = 1 << 16;

/// Writes the UTF-8 form of `text` (KorString::utf8, unit by unit) whole
/// to a new or truncated file; returns the system's reason when it could
/// not, an empty text when it did.
std::string writeWhole(const char *path, const KorString &text) {
  FILE *file = std::fopen(path, "w");
  if (!file)
    return std::strerror(errno);
  bool written = true;
  const int32_t length = text.length();
  for (int32_t at = 0; written && at < length; at += kPieceUnits) {
    KorString piece(text.data() + at, std::min(kPieceUnits, length - at));
    const char *bytes = piece.utf8();
    size_t size = std::strlen(bytes);
    written = std::fwrite(bytes, 1, size, file) == size;
  }
  int failure = written ? 0 : errno;
  // Buffered bytes may only fail to reach the file when it is closed.
  if (std::fclose(file) != 0 && written) {
    written = false;
    failure = errno;
  }
  if (written)
    return {};
  return std::strerror(failure ? failure : EIO);
}
} // namespace

GenFileResultsRouter::GenFileResultsRouter()
    : fileName_(KorString::borrowed(u"test_results.xml")) {}

void GenFileResultsRouter::Route(IKorTestResultsFormatter *formatter) {
  delivered_ = false;
  failure_.clear();
  if (!formatter)
    return;
  std::u16string name = korpath::normalise(fileName_.view());
  if (name.empty()) {
    failure_ = "the file name is empty";
    return;
  }
  // File names take UTF-8 with surrogate pairs combined, so a name outside
  // the Basic Multilingual Plane reaches the file system as it was given.
  std::u16string directory = korpath::directoryPart<char16_t>(name);
  std::error_code error;
  std::filesystem::create_directories(
      binPathToUtf8(KorString(directory).data()), error);
  if (error) {
    failure_ = error.message();
    return;
  }
  failure_ = writeWhole(binPathToUtf8(KorString(name).data()).c_str(),
                        formatter->GetOutput());
  delivered_ = failure_.empty();
}
