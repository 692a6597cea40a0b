//===- progressforwarder.h - Progress reports of a test into its record ---===//
//
// The test service registers one forwarder with the host's global progress
// object; while a test runs, every progress report reaches the running
// test's status record as a global fraction. Between tests the forwarder
// has no record and reports are dropped.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iptr.h"

class IKorProgress;
class IKorTestStatus;
class NyrGlobalCallbackProgress;

/// Forwards the global progress object's reports to one status record.
class KorTestProgressForwarder {
public:
  /// Looks up "IKorProgress", asks it for "NyrGlobalCallbackProgress" and,
  /// when the host offers one, registers the forwarding callback there.
  KorTestProgressForwarder();
  /// Removes the callback if the one registered is still this forwarder's.
  ~KorTestProgressForwarder();
  KorTestProgressForwarder(const KorTestProgressForwarder &) = delete;
  KorTestProgressForwarder &
  operator=(const KorTestProgressForwarder &) = delete;

  /// The record that receives reports; null between tests.
  void setStatus(IKorTestStatus *status) { status_ = status; }
  IKorTestStatus *status() const { return status_; }
  /// The global progress object, null when the host offers none.
  NyrGlobalCallbackProgress *progress() const { return progress_; }

  /// The registered callback: maps `fraction` through the progress
  /// object's current range and hands it to the running test's record.
  /// False without a forwarder; true otherwise.
  static int forward(IKorProgress *progress, void *context, float fraction);

private:
  IPtr<IKorProgress> service_; // keeps the progress object alive
  NyrGlobalCallbackProgress *progress_ = nullptr;
  IKorTestStatus *status_ = nullptr;
};
