//===- iptr.h - Smart pointers that own one reference on an interface -----===//
//
// IPtr<I> holds an interface pointer and the same object's IKorUnknown,
// through which it owns one reference. A query adds no reference; filling
// an IPtr from a query does. SPtr<I> is filled by asking the host for the
// service named after I.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/servicelookup.h"
#include <type_traits>
#include <utility>

/// Owns one reference on the object behind an interface pointer.
template <class I, class U = IKorUnknown> class IPtr {
public:
  IPtr() = default;
  /// Takes a reference on p (which may be null).
  explicit IPtr(I *p) { attach(p); }
  /// Queries obj for I by name and takes a reference on the answer.
  template <class T>
    requires(!std::is_same_v<T, I>)
  explicit IPtr(T *obj) {
    fromQuery(obj);
  }
  IPtr(const IPtr &other) { attach(other.interface_); }
  IPtr(IPtr &&other) noexcept
      : interface_(std::exchange(other.interface_, nullptr)),
        owner_(std::exchange(other.owner_, nullptr)) {}
  IPtr &operator=(const IPtr &other) {
    if (this != &other) {
      IPtr copy(other);
      *this = std::move(copy);
    }
    return *this;
  }
  IPtr &operator=(IPtr &&other) noexcept {
    if (this != &other) {
      reset();
      interface_ = std::exchange(other.interface_, nullptr);
      owner_ = std::exchange(other.owner_, nullptr);
    }
    return *this;
  }
  virtual ~IPtr() { reset(); }

  /// Replaces the held interface with the answer of a query on obj.
  template <class T> void fromQuery(T *obj) {
    void *result = nullptr;
    if (obj)
      static_cast<IKorUnknown *>(obj)->QueryInterface(korNameOf<I>(), &result,
                                                      0);
    reset();
    attach(static_cast<I *>(result));
  }
  /// Releases the owned reference, if any.
  void reset() {
    if (owner_) {
      U *owner = owner_;
      interface_ = nullptr;
      owner_ = nullptr;
      owner->Release();
    }
  }
  I *get() const { return interface_; }
  I *operator->() const { return interface_; }
  I &operator*() const { return *interface_; }
  explicit operator bool() const { return interface_ != nullptr; }

protected:
  void attach(I *p) {
    reset();
    if (!p)
      return;
    interface_ = p;
    owner_ = static_cast<U *>(p);
    owner_->AddRef();
  }

  I *interface_ = nullptr;
  U *owner_ = nullptr;
};

/// An IPtr filled by looking up the host service named after I.
template <class I, class U = IKorUnknown> class SPtr : public IPtr<I, U> {
public:
  SPtr() {
    void *result = nullptr;
    if (korLookupService(korNameOf<I>(), &result) == 1 && result)
      this->attach(static_cast<I *>(result));
  }
};
