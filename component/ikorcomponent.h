//===- ikorcomponent.h - What a loaded component offers its host ----------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"

class IKorComponentManager;
class IKorTestService;

/// The component object EntryPoint returns.
class IKorComponent : public virtual IKorUnknown {
  KOR_INTERFACE(IKorComponent)
  /// Slot 0: the host hands over its component manager.
  virtual bool SetComponentManager(IKorComponentManager *manager) = 0;
  /// Slot 1: forwarded to the customizer's second operation.
  virtual bool Customize() = 0;
  /// Slot 2: creates a registered class; returns the creation kind (0 when
  /// the identifier is unknown).
  virtual int CreateObject(const KorGuid &classId, IKorUnknown **object) = 0;
  /// Slot 3: reserved, 0.
  virtual int Reserved3() = 0;
  /// Slot 4: a process-wide constant object the host may keep.
  virtual const void *HostConstant() = 0;
  /// Slot 5: reserved, false.
  virtual bool Reserved5() = 0;
};

/// The component's internal face: identity, classes and tests.
class IKorCompInternal : public virtual IKorUnknown {
  KOR_INTERFACE(IKorCompInternal)
  virtual void Reserved0() = 0;
  virtual void Reserved1() = 0;
  /// Slot 2: the component identifier.
  virtual const KorGuid *ComponentId() = 0;
  /// Slot 3: the component name.
  virtual const char *ComponentName() = 0;
  /// Slot 4: reserved, 0.
  virtual int Reserved4() = 0;
  /// Slots 5-8: the class factory's count, first, next and class name.
  virtual int ClassCount() = 0;
  virtual bool FirstClassId(KorGuid *id) = 0;
  virtual bool NextClassId(KorGuid *id) = 0;
  virtual const char *ClassNameOf(const KorGuid &id) = 0;
  /// Slot 9: whether the component offers tests.
  virtual bool OffersTests() = 0;
  /// Slot 10: passes every test of the component to the sink's AddTest.
  virtual void RegisterTests(IKorTestService *sink) = 0;
  /// Slots 11, 12: the instance name the host assigns.
  virtual void SetInstanceName(const char *name) = 0;
  virtual const char *InstanceName() = 0;
  /// Slots 13, 14: the break-enabled flag of the assertion machinery.
  virtual void SetBreakEnabled(uint8_t enabled) = 0;
  virtual uint8_t BreakEnabled() = 0;
};
