//===- ikorclassfactory.h - Item factories and the class factory ----------===//
#pragma once
#include "component/korobject.h"
#include "component/kortypes.h"

/// Creates the objects of one class. Not reference counted.
class KorItemFactory : public KorObject {
public:
  KorItemFactory(const char *className, const KorGuid &classId)
      : className_(className), classId_(classId) {}
  /// Slot 1: a new (or the shared) object; *kind is 1 new, 2 singleton.
  virtual IKorUnknown *Create(int *kind) = 0;
  /// Slot 2: the class name.
  virtual const char *ClassName() const { return className_; }
  /// Slot 3: the second name (null for every class here).
  virtual const char *SecondName() const { return secondName_; }
  const KorGuid &classId() const { return classId_; }

private:
  const char *className_;
  const char *secondName_ = nullptr;
  KorGuid classId_;
};

/// Maps class identifiers to item factories.
class IKorClassFactory : public KorObject {
public:
  /// Slot 1: creation kind (0 unknown, *object untouched).
  virtual int Create(const KorGuid &classId, IKorUnknown **object) = 0;
  /// Slot 2: number of registered classes.
  virtual int Count() = 0;
  /// Slot 3: starts a walk; false when empty.
  virtual bool First(KorGuid *id) = 0;
  /// Slot 4: next identifier; false after the last one.
  virtual bool Next(KorGuid *id) = 0;
  /// Slot 5: the class name of an identifier, or null.
  virtual const char *ClassNameOf(const KorGuid &id) = 0;
};

class IKorComponentManager;
/// Performs a component's late registrations. Not reference counted.
class IKorComponentCustomizer : public KorObject {
public:
  /// Slot 1: at manager hand-over, with the manager just stored.
  virtual bool OnManagerHandedOver(IKorComponentManager *manager) = 0;
  /// Slot 2.
  virtual bool Customize() = 0;
};

class IKorComponent;
/// Creates component objects for EntryPoint. Not reference counted.
class IKorComponentFactory : public KorObject {
public:
  /// Slot 1: a new component object (count 0).
  virtual IKorComponent *CreateComponent() = 0;
};
