//===- genfileresultsrouter.cpp - Writes a formatter's text to a file -----===//
#include "genfileresultsrouter.h"
#include "ikorerrorservice.h"
#include "iptr.h"
#include "results/ikortestresultsformatter.h"
#include "results/resultpath.h"
#include "translate.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {
/// Tells the user that `path` could not be written and why.
void reportUnwritable(const KorString &path, const std::string &reason) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  KorString text =
      path.isEmpty()
          ? korTranslate("Unable to write the results: the file name is empty.")
          : korTranslate("Unable to write the results to %1: %2", path,
                         KorString::fromUtf8(reason.c_str()));
  errors->Report(text.data(), 1, "");
}

/// Writes `bytes` whole to a new or truncated file; returns the system's
/// reason when it could not, an empty text when it did.
std::string writeWhole(const char *path, const char *bytes) {
  FILE *file = std::fopen(path, "w");
  if (!file)
    return std::strerror(errno);
  size_t size = std::strlen(bytes);
  bool written = std::fwrite(bytes, 1, size, file) == size;
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
  if (!formatter)
    return;
  std::u16string name = korpath::normalise(fileName_.view());
  KorString path(name);
  if (name.empty()) {
    reportUnwritable(path, "");
    return;
  }
  std::u16string directory = korpath::directoryPart<char16_t>(name);
  std::error_code error;
  std::filesystem::create_directories(KorString(directory).utf8(), error);
  if (error) {
    reportUnwritable(path, error.message());
    return;
  }
  std::string reason = writeWhole(path.utf8(), formatter->GetOutput().utf8());
  if (!reason.empty()) {
    reportUnwritable(path, reason);
    return;
  }
  delivered_ = true;
}
