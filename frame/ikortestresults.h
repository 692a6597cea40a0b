//===- ikortestresults.h - The results of one test run --------------------===//
#pragma once
#include "component/korclass.h"
#include <cstdint>

class IKorDate;
class IKorTime;
class IKorTestStatus;

/// The status records of one run in run order, stamped with the date and
/// time the collection was created.
///
/// Ownership: the collection owns the records it is given. AddStatus takes
/// one reference on the record and the collection releases it when it is
/// destroyed, so a runner creates a record (count 0), hands it to AddStatus
/// and keeps only the raw pointer for as long as it holds the collection.
class IKorTestResults : public virtual IKorUnknown {
  KOR_INTERFACE(IKorTestResults)
  /// Slot 0: appends a record at position count + 1.
  virtual void AddStatus(IKorTestStatus *status) = 0;
  /// Slot 1: the number of records.
  virtual int GetCount() = 0;
  /// Slot 2: the record at a 1-based position, null outside 1..count.
  virtual IKorTestStatus *GetStatus(uint32_t index) = 0;
  /// Slot 3: the first record whose test has that test number, or null.
  virtual IKorTestStatus *FindStatus(int testNumber) = 0;
  /// Slot 4: true when every record is Passed (or there is none).
  virtual bool AllPassed() = 0;
  /// Slot 5: the date of the run (no reference added), null without host.
  virtual IKorDate *GetDate() = 0;
  /// Slot 6: the time of the run (no reference added), null without host.
  virtual IKorTime *GetTime() = 0;
  /// Slot 7: this machine's name, or "Error retrieving hostname"; the text
  /// is shared and overwritten by the next call.
  virtual const char *GetHostName() = 0;
  /// Slot 8: the host's product information text ("" without the service);
  /// shared and overwritten by the next call.
  virtual const char *GetProductInfo() = 0;
};
