//===- genfileresultsrouter.h - Writes a formatter's text to a file -------===//
#pragma once
#include "korstring.h"
#include "results/ikortestresultsrouter.h"

/// Writes the whole output, as UTF-8, to one file that each Route replaces.
class GenFileResultsRouter : public virtual IKorTestResultsRouter {
public:
  KOR_CLASS(GenFileResultsRouter, IKorTestResultsRouter)
  GenFileResultsRouter();

  /// Creates the file's missing directories from the root down, then
  /// truncates the file and writes the text in one write. When the file
  /// cannot be written, tells the user the path and the system's reason
  /// through the host error service.
  void Route(IKorTestResultsFormatter *formatter) override;

  /// Replaces the file name ("/" or "\" separators).
  void SetFileName(const KorString &fileName) { fileName_ = fileName; }
  const KorString &fileName() const { return fileName_; }
  /// Whether the last Route wrote the whole file.
  bool delivered() const { return delivered_; }

private:
  KorString fileName_;
  bool delivered_ = false;
};
