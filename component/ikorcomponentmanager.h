//===- ikorcomponentmanager.h - The host's component manager contract -----===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"

class IKorComponent;

/// The host's component manager: loading, services and reference counts.
/// Slots the component does not use are reserved and answer 0.
class IKorComponentManager : public virtual IKorUnknown {
  KOR_INTERFACE(IKorComponentManager)
  /// Slot 0: loads the component `id`; non-zero with *component on success.
  virtual int LoadComponent(const KorGuid &id, const char *name,
                            IKorComponent **component) = 0;
  KOR_RESERVED_SLOTS(1, 2)
  /// Slot 3: registers `service` as the process-wide service `name`.
  virtual void RegisterService(const char *name, IKorUnknown *service) = 0;
  KOR_RESERVED_SLOTS(4, 2)
  /// Slot 6: 1 and *result = the interface when service `name` exists.
  virtual int LookupService(const char *name, void **result) = 0;
  KOR_RESERVED_SLOTS(7, 2)
  /// Slot 9: the manager's account of its last failure.
  virtual int LastError() = 0;
  /// Slot 10: adds one to the count.
  virtual void IncrementCount(uint32_t *count) = 0;
  /// Slot 11: subtracts one; true exactly when it reached zero.
  virtual bool DecrementCount(uint32_t *count) = 0;
  /// Slot 12: the host's object for a component instance, or null; its
  /// slot 6 answers service look-ups for that instance.
  virtual IKorComponentManager *GetInstanceObject(const char *instanceName,
                                                  int reserved) = 0;
};
