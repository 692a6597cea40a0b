//===- genfileresultsrouter.h - Writes a formatter's text to a file -------===//
#pragma once
#include "KorBasicTypes/korstring.h"
#include <string>
#include "results/ikortestresultsrouter.h"

/// Writes the whole output, as UTF-8, to one file that each Route replaces.
class GenFileResultsRouter : public virtual IKorTestResultsRouter {
public:
  KOR_CLASS(GenFileResultsRouter, IKorTestResultsRouter)
  GenFileResultsRouter();

  /// Creates the file's missing directories from the root down, then
  /// truncates the file and writes the text in one write. A file that
  /// cannot be written is reported by nobody here; delivered() and
  /// failure() tell the caller.
  void Route(IKorTestResultsFormatter *formatter) override;

  /// Replaces the file name ("/" or "\" separators).
  void SetFileName(const KorString &fileName) { fileName_ = fileName; }
  const KorString &fileName() const { return fileName_; }
  /// Whether the last Route wrote the whole file.
  bool delivered() const { return delivered_; }
  /// Why the last Route did not deliver (the system's reason); empty when
  /// it did or when there was nothing to route.
  const std::string &failure() const { return failure_; }

private:
  KorString fileName_;
  bool delivered_ = false;
  std::string failure_;
};
