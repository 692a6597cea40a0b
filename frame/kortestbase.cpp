//===- kortestbase.cpp - Base class of every programmer test --------------===//
#include "frame/kortestbase.h"

KorTestBase::KorTestBase(KorMetadataArgs metadata) {
  korBuildMetadataList(metadata_, metadata);
}

KorTestBase::~KorTestBase() { korDestroyMetadataList(metadata_); }

void KorTestBase::CopyMetadata(KorMetadataList &out) {
  out.clear();
  out.insert(out.end(), metadata_.begin(), metadata_.end());
}

IKorTestStatus *KorTestBase::exchangeCurrentStatus(IKorTestStatus *status) {
  IKorTestStatus *previous = status_;
  status_ = status;
  return previous;
}
