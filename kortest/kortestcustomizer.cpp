//===- kortestcustomizer.cpp - Late registrations of the kortest component ===//
#include "kortest/kortestcustomizer.h"
#include "include/test/builtinsuites.h"
#include "frame/korcomponentdef.h"
#include "frame/koritemfactory.h"
#include "results/genfileresultsrouter.h"
#include "results/genjunitresultsformatter.h"
#include "results/genxmlresultsformatter.h"
#include "testservice/gentestservice.h"
#include "testservice/testassertcb.h"

// The kortest component: name, identifier and entry.
KOR_DEFINE_COMPONENT("kortest", korTestInternalComponentCustomizer, 0x74372F72,
                     0xBA35, 0x4766, 0xA9, 0x53, 0x74, 0x13, 0x03, 0xA2, 0x38,
                     0x51)

bool korTestInternalComponentCustomizer::OnManagerHandedOver(
    IKorComponentManager *) {
  static const bool classesRegistered = [] {
    korRegisterSingletonClass<GenTestService>(
        korGuid(0x2E445454, 0xC63B, 0x4970, 0xBA, 0xAC, 0x0A, 0xAA, 0x40, 0x17,
                0x7E, 0x07));
    korRegisterClass<TestAssertCB>(korGuid(0x8F3277E8, 0x07A0, 0x42AA, 0xAF,
                                           0x39, 0xBE, 0x1A, 0xAB, 0xEA, 0xDD,
                                           0x82));
    korRegisterClass<GenXmlResultsFormatter>(korGuid(
        0xAC90EA56, 0xA33C, 0x4EC4, 0xAA, 0x4E, 0xED, 0x0A, 0xFB, 0x98, 0x34,
        0x1F));
    korRegisterClass<GenJUnitResultsFormatter>(korGuid(
        0x1CEB1D5B, 0x2E8C, 0x4A5E, 0xB5, 0x85, 0x82, 0x72, 0x5E, 0x04, 0x95,
        0xB3));
    korRegisterClass<GenFileResultsRouter>(korGuid(
        0xF4BED228, 0x33FA, 0x421F, 0xB1, 0xE1, 0x28, 0x05, 0x50, 0xE5, 0xA4,
        0x9C));
    return true;
  }();
  static const bool suitesCreated = [] {
    korCreateBuiltInSuites();
    return true;
  }();
  (void)classesRegistered;
  (void)suitesCreated;
  return true;
}
