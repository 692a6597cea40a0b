//===- ikortest.h - One programmer test as the runner sees it -------------===//
#pragma once
#include "frame/ikortestmetadata.h"
#include "component/korclass.h"

class KorCString;
class IKorTestStatus;
class IKorTestSuite;

/// A programmer test: identity, declaration site, metadata and its run.
class IKorTest : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTest)
  /// Slot 0: the number the test service gave the test, -1 before.
  virtual int TestNumber() = 0;
  /// Slot 1: the run wrapper: runs the body against status and checks the
  /// declared expectations afterwards. Never throws.
  virtual void Run(IKorTestStatus *status) = 0;
  /// Slot 2: fills out with the description and returns it.
  virtual KorCString &Description(KorCString &out) = 0;
  /// Slot 3: the test's own metadata list.
  virtual KorMetadataList &Metadata() = 0;
  /// Slot 4: clears out, then appends every item of the test's list.
  virtual void CopyMetadata(KorMetadataList &out) = 0;
  /// Slot 5: whether the test is enabled.
  virtual bool Enabled() = 0;
  /// Slot 6: why the test is disabled; "" when it is enabled.
  virtual const char *DisabledReason() = 0;
  /// Slot 7: the source file that declares the test.
  virtual const char *SourceFile() = 0;
  /// Slot 8: the line of the test's declaration in that file.
  virtual int DeclarationLine() = 0;
  /// Slot 9: called by the suite when the test is added to it.
  virtual void SetSuite(IKorTestSuite *suite) = 0;
  /// Slot 10: the suite given to SetSuite, null before.
  virtual IKorTestSuite *Suite() = 0;
  /// Slot 11: whether a failing check ends the process through abort.
  virtual bool BreakOnFailure() = 0;
  /// Slot 12: sets the break-on-failure flag (the runner, for one run).
  virtual void SetBreakOnFailure(bool enabled) = 0;
};
