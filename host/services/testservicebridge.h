//===- testservicebridge.h - Services that loaded components provide ------===//
//
// korhost cannot link a component's classes, so it asks each loaded
// component to create them (IKorComponent slot 2) and registers the
// answers under their service names.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kortypes.h"

class HostComponentManager;

/// Class identifier of the test service singleton of a test component.
constexpr KorGuid kTestServiceClassId = korGuid(
    0x2E445454, 0xC63B, 0x4970, 0xBA, 0xAC, 0x0A, 0xAA, 0x40, 0x17, 0x7E, 0x07);

/// Registers "IKorTestService": the test service created by the first
/// loaded component that knows its class. Returns true when one did.
bool registerComponentServices(HostComponentManager &manager);
