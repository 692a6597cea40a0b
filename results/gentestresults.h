//===- gentestresults.h - The results of one test run ---------------------===//
#pragma once
#include "component/ikordate.h"
#include "frame/ikortestresults.h"
#include "component/ikortime.h"
#include "component/iptr.h"
#include "KorBasicTypes/korarray.h"

/// The status records of one run, with the date and time of its start.
///
/// Ownership of the records: the collection owns them. AddStatus takes one
/// reference on each record and the destructor releases it, so a record
/// lives at least as long as the collection that lists it (formatters read
/// records through the collection they hold) and none is left behind when
/// the last holder of the collection lets go.
class GenTestResults : public virtual IKorTestResults {
public:
  KOR_CLASS(GenTestResults, IKorTestResults)
  /// Stamps the collection with the host's current date and time; without
  /// the "IKorDate" or "IKorTime" service that stamp stays empty.
  GenTestResults();
  GenTestResults(const GenTestResults &) = delete;
  GenTestResults &operator=(const GenTestResults &) = delete;
  /// Releases the records, then the time and the date.
  ~GenTestResults() override;

  void AddStatus(IKorTestStatus *status) override;
  int GetCount() override { return static_cast<int>(statuses_.count()); }
  IKorTestStatus *GetStatus(uint32_t index) override;
  IKorTestStatus *FindStatus(int testNumber) override;
  bool AllPassed() override;
  IKorDate *GetDate() override { return date_.get(); }
  IKorTime *GetTime() override { return time_.get(); }
  const char *GetHostName() override;
  const char *GetProductInfo() override;

  /// Room of the records array (position 0 included).
  uint32_t capacity() const { return statuses_.capacity(); }

  /// A host-name query in the shape of gethostname.
  using HostNameQuery = int (*)(char *buffer, size_t size);
  /// GetHostName with another query in place of gethostname.
  static const char *hostNameFrom(HostNameQuery query);

private:
  KorArray<IKorTestStatus *> statuses_;
  IPtr<IKorDate> date_;
  IPtr<IKorTime> time_;
};
