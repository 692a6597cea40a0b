//===- korcomponentstate.h - Identity and manager of this component -------===//
//
// Each component (and the host) links its own copy of this state: the
// manager pointer that the count service and service lookup read, the
// component name, identifier, customizer and the instance name the host
// assigns.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kortypes.h"
#include <string>

class IKorComponentCustomizer;
class IKorComponentManager;

/// The host's component manager, null until handed over.
IKorComponentManager *korComponentManager();
void korSetComponentManager(IKorComponentManager *manager);

/// The component's name ("kortest" for this component).
const char *korComponentName();
void korSetComponentName(const char *name);

/// The component identifier.
const KorGuid &korComponentId();
void korSetComponentId(const KorGuid &id);

/// The instance name the host assigned, empty until then.
const std::string &korInstanceName();
void korSetInstanceName(const char *name);

/// The customizer of this component, or null before load-time set-up.
IKorComponentCustomizer *korComponentCustomizer();
/// Makes `customizer` the component's customizer; returns the previous one.
IKorComponentCustomizer *
korSetComponentCustomizer(IKorComponentCustomizer *customizer);
