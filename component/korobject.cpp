//===- korobject.cpp - Root classes of the reference-counted object model -===//
#include "component/korobject.h"
#include "component/korcount.h"

KorObject::~KorObject() = default;

void KorShared::AddRef() { korCountIncrement(&refCount_); }

bool KorShared::dropReference() {
  if (!korCountDecrement(&refCount_))
    return false;
  if (weakRef_) {
    weakRef_->clearTarget();
    weakRef_->Release();
    weakRef_ = nullptr;
  }
  return true;
}

void KorShared::Release() {
  if (dropReference())
    delete this;
}

void KorShared::ReleaseNoDelete() { dropReference(); }

uint32_t KorShared::RefCount() { return refCount_; }

KorWeakRef *KorShared::GetWeakRef() {
  if (!weakRef_) {
    weakRef_ = new KorWeakRef(this);
    weakRef_->AddRef();
  }
  return weakRef_;
}
