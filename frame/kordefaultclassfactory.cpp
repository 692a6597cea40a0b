//===- kordefaultclassfactory.cpp - The process-wide class factory --------===//
#include "frame/kordefaultclassfactory.h"

KorDefaultClassFactory &KorDefaultClassFactory::instance() {
  static KorDefaultClassFactory *factory = new KorDefaultClassFactory;
  return *factory;
}

void KorDefaultClassFactory::registerItem(KorItemFactory *item) {
  owned_.emplace_back(item);
  map_.insert(item->classId(), item);
}

int KorDefaultClassFactory::Create(const KorGuid &classId,
                                   IKorUnknown **object) {
  KorItemFactory **item = map_.find(classId);
  if (!item)
    return 0;
  int kind = 0;
  *object = (*item)->Create(&kind);
  return kind;
}

int KorDefaultClassFactory::Count() { return static_cast<int>(map_.size()); }

bool KorDefaultClassFactory::First(KorGuid *id) {
  walk_.clear();
  map_.forEach([this](const KorGuid &key, KorItemFactory *) {
    walk_.push_back(key);
  });
  walkPos_ = 0;
  return Next(id);
}

bool KorDefaultClassFactory::Next(KorGuid *id) {
  if (walkPos_ >= walk_.size())
    return false;
  *id = walk_[walkPos_++];
  return true;
}

const char *KorDefaultClassFactory::ClassNameOf(const KorGuid &id) {
  KorItemFactory **item = map_.find(id);
  return item ? (*item)->ClassName() : nullptr;
}
