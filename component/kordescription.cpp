//===- kordescription.cpp - Record filled by description-mode queries -----===//
#include "component/kordescription.h"
#include "component/korcomponentstate.h"

uint32_t KorSeenSet::djb2(const char *text) {
  uint32_t hash = 5381;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
       *p; ++p)
    hash = hash * 33 + *p;
  return hash;
}

void KorSeenSet::insert(const char *name) {
  if (!contains(name))
    buckets_[djb2(name) % buckets_.size()].emplace_back(name);
}

bool KorSeenSet::contains(const char *name) const {
  for (const std::string &seen : buckets_[djb2(name) % buckets_.size()])
    if (seen == name)
      return true;
  return false;
}

static void clearLists(KorDescriptionRecord *record) {
  record->classes.clear();
  record->entries.clear();
}

void korDescribeStep(KorDescriptionRecord *record, const char *name, int flag) {
  if (record->identity) {
    if (record->identity->name.empty()) {
      record->identity->name = korComponentName();
      record->identity->instanceName = korInstanceName();
      record->identity->id = korComponentId();
    }
    return;
  }
  if (record->stop || record->seen.contains(name)) {
    record->stop = true;
    clearLists(record);
    return;
  }
  KorDescriptionEntry entry{name, flag, {}};
  if (!record->classes.empty())
    entry.owner = record->classes.back();
  if (flag == 1)
    record->classes.emplace_back(name);
  record->entries.push_back(std::move(entry));
}

void korDescribeEnd(KorDescriptionRecord *record) {
  if (record->identity)
    return;
  if (record->stop) {
    clearLists(record);
    return;
  }
  if (!record->classes.empty())
    record->classes.pop_back();
}
