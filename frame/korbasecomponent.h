//===- korbasecomponent.h - The component object EntryPoint hands out -----===//
#pragma once
#include "component/ikorcomponent.h"

/// A component's object: its IKorComponent and IKorCompInternal faces.
class KorBaseComponent : public IKorComponent, public IKorCompInternal {
public:
  static constexpr const char *kClassName = "KorBaseComponent";
  const char *ClassName() override { return kClassName; }
  /// Answers its own name and its two interfaces; a null name (description
  /// mode) is answered with nothing.
  void QueryInterface(const char *name, void **result, int = 0) override;

  bool SetComponentManager(IKorComponentManager *manager) override;
  bool Customize() override;
  int CreateObject(const KorGuid &classId, IKorUnknown **object) override;
  int Reserved3() override { return 0; }
  const void *HostConstant() override;
  bool Reserved5() override { return false; }

  void Reserved0() override {}
  void Reserved1() override {}
  const KorGuid *ComponentId() override;
  const char *ComponentName() override;
  int Reserved4() override { return 0; }
  int ClassCount() override;
  bool FirstClassId(KorGuid *id) override;
  bool NextClassId(KorGuid *id) override;
  const char *ClassNameOf(const KorGuid &id) override;
  bool OffersTests() override { return true; }
  void RegisterTests(IKorTestService *sink) override;
  void SetInstanceName(const char *name) override;
  const char *InstanceName() override;
  void SetBreakEnabled(uint8_t enabled) override;
  uint8_t BreakEnabled() override;
};

/// The component object of a test component.
class TestComponent : public KorBaseComponent {};
