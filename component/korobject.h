//===- korobject.h - Root classes of the reference-counted object model ---===//
//
// KorObject, KorShared, KorWeakRef and IKorUnknown. Every interface derives
// from IKorUnknown as a virtual base, so an object has one count however many
// interfaces it implements. Slot order of the virtual operations is fixed.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>

/// Root class: a virtual destructor and nothing else.
class KorObject {
public:
  virtual ~KorObject();
};

class KorWeakRef;

/// Adds a reference count and a lazily created weak reference.
class KorShared : public KorObject {
public:
  /// One more reference, through the count service.
  virtual void AddRef();
  /// One reference less; destroys the object at zero.
  virtual void Release();
  /// One reference less; at zero detaches the weak reference only.
  virtual void ReleaseNoDelete();
  /// The current count.
  virtual uint32_t RefCount();
  /// The object's weak reference, created on first request (no reference
  /// is added for the caller).
  virtual KorWeakRef *GetWeakRef();

protected:
  uint32_t refCount_ = 0;
  KorWeakRef *weakRef_ = nullptr;

private:
  bool dropReference();
};

/// Watches a KorShared object; its target becomes null when that dies.
class KorWeakRef : public KorShared {
public:
  explicit KorWeakRef(KorShared *target) : target_(target) {}
  KorWeakRef *GetWeakRef() override { return this; }
  /// The watched object, or null once it has been destroyed.
  KorShared *target() const { return target_; }
  void clearTarget() { target_ = nullptr; }

private:
  KorShared *target_;
};

/// Root of all interfaces: adds the query by name and the class name.
class IKorUnknown : public KorShared {
public:
  /// Looks up an interface or class by exact name; writes the sub-object
  /// (or null) to *result. A null name selects description mode, where
  /// result points to a KorDescriptionRecord. Adds no reference.
  virtual void QueryInterface(const char *name, void **result,
                              int reserved = 0) = 0;
  /// The class's own name.
  virtual const char *ClassName() = 0;
};
