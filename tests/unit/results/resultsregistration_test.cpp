// The formatters and the file router that the class factory creates by
// identifier once the host has handed over its manager.
#include "component/ikorclassfactory.h"
#include "frame/kordefaultclassfactory.h"
#include "frame/korcomponentdef.h"
#include "component/korcomponentstate.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {
const char *createdClassName(const KorGuid &id) {
  IKorUnknown *object = nullptr;
  if (KorDefaultClassFactory::instance().Create(id, &object) != 1 || !object)
    return "";
  const char *name = object->ClassName();
  void *face = nullptr;
  object->QueryInterface(std::strstr(name, "Router") ? "IKorTestResultsRouter"
                                                     : "IKorTestResultsFormatter",
                         &face, 0);
  object->AddRef();
  object->Release();
  return face ? name : "no results interface";
}
} // namespace

TEST(ResultsRegistration, HandOverRegistersTwoFormattersAndTheFileRouter) {
  ASSERT_NE(korComponentCustomizer(), nullptr);
  korComponentCustomizer()->OnManagerHandedOver(korComponentManager());
  EXPECT_STREQ(createdClassName(korGuid(0xAC90EA56, 0xA33C, 0x4EC4, 0xAA, 0x4E,
                                        0xED, 0x0A, 0xFB, 0x98, 0x34, 0x1F)),
               "GenXmlResultsFormatter");
  EXPECT_STREQ(createdClassName(korGuid(0x1CEB1D5B, 0x2E8C, 0x4A5E, 0xB5, 0x85,
                                        0x82, 0x72, 0x5E, 0x04, 0x95, 0xB3)),
               "GenJUnitResultsFormatter");
  EXPECT_STREQ(createdClassName(korGuid(0xF4BED228, 0x33FA, 0x421F, 0xB1, 0xE1,
                                        0x28, 0x05, 0x50, 0xE5, 0xA4, 0x9C)),
               "GenFileResultsRouter");
}
