//===- kordescription.h - Record filled by QueryInterface's description mode ===//
//
// A null name asks a class to describe itself: it reports its own name
// (flag 1) and its interfaces (flag 0), then its base implementation classes
// the same way, each base closed by an end step.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kortypes.h"
#include <string>
#include <vector>

/// One reported name with its flag and the class being described.
struct KorDescriptionEntry {
  std::string name;
  int flag = 0; ///< 1 class, 0 interface.
  std::string owner;
};

/// The identity of the component that answers a description.
struct KorComponentIdentity {
  std::string name;
  std::string instanceName;
  KorGuid id;
};

/// Set of names keyed by the djb2 hash.
class KorSeenSet {
public:
  explicit KorSeenSet(unsigned buckets = 37) : buckets_(buckets) {}
  /// djb2: start at 5381, multiply by 33 and add each byte, 32-bit.
  static uint32_t djb2(const char *text);
  void insert(const char *name);
  bool contains(const char *name) const;

private:
  std::vector<std::vector<std::string>> buckets_;
};

/// Collects what a description-mode query reports.
struct KorDescriptionRecord {
  std::vector<std::string> classes; ///< Stack of classes being described.
  std::vector<KorDescriptionEntry> entries;
  KorSeenSet seen;
  KorComponentIdentity *identity = nullptr; ///< Optional identity block.
  bool stop = false;
};

/// Reports one name to the record.
void korDescribeStep(KorDescriptionRecord *record, const char *name, int flag);
/// Closes a base implementation class.
void korDescribeEnd(KorDescriptionRecord *record);
