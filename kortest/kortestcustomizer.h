//===- kortestcustomizer.h - Late registrations of the kortest component --===//
#pragma once
#include "component/ikorclassfactory.h"

/// Registers the classes and built-in suites that need the host's manager.
class korTestInternalComponentCustomizer : public IKorComponentCustomizer {
public:
  /// Each step runs once per process; a repeated hand-over skips it.
  bool OnManagerHandedOver(IKorComponentManager *manager) override;
  bool Customize() override { return true; }
};
