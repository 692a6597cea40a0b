// Unit tests of the registry value reader: eleven "%x" fields, at most 150
// characters, reading stops at the first missing or unreadable part.
#include "testservice/registryvalue.h"
#include <gtest/gtest.h>
#include <string>

TEST(RegistryValue, CompleteValueGivesAllFields) {
  KorGuid id;
  EXPECT_EQ(parseRegistryComponentId(
                "74372F72,BA35,4766,A9,53,74,13,03,A2,38,51", id),
            11);
  EXPECT_EQ(id, korGuid(0x74372F72, 0xBA35, 0x4766, 0xA9, 0x53, 0x74, 0x13,
                        0x03, 0xA2, 0x38, 0x51));
}

TEST(RegistryValue, ScanfHexForms) {
  KorGuid id;
  EXPECT_EQ(parseRegistryComponentId(" 0x1a,  +ff, 10,1,2,3,4,5,6,7,8", id),
            11);
  EXPECT_EQ(id, korGuid(0x1a, 0xff, 0x10, 1, 2, 3, 4, 5, 6, 7, 8));
}

TEST(RegistryValue, WideNumbersAreCutToTheirField) {
  KorGuid id;
  EXPECT_EQ(parseRegistryComponentId("1,12345,abcde,1ff", id), 4);
  EXPECT_EQ(id.data2, 0x2345);
  EXPECT_EQ(id.data3, 0xbcde);
  EXPECT_EQ(id.data4[0], 0xff);
}

TEST(RegistryValue, StopsAtFirstMissingOrUnreadablePart) {
  KorGuid id;
  EXPECT_EQ(parseRegistryComponentId("1,2,3", id), 3);
  EXPECT_EQ(id, korGuid(1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(parseRegistryComponentId("1,2,,4,5,6,7,8,9,a,b", id), 2);
  EXPECT_EQ(id, korGuid(1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(parseRegistryComponentId("1,zz,3", id), 1);
  EXPECT_EQ(parseRegistryComponentId("not a component", id), 0);
  EXPECT_EQ(id, KorGuid{});
  EXPECT_EQ(parseRegistryComponentId("", id), 0);
  EXPECT_EQ(parseRegistryComponentId(nullptr, id), 0);
}

TEST(RegistryValue, ExtraPartsAreIgnored) {
  KorGuid id;
  EXPECT_EQ(parseRegistryComponentId("1,2,3,4,5,6,7,8,9,a,b,c,d", id), 11);
  EXPECT_EQ(id.data4[7], 0xb);
}

TEST(RegistryValue, OnlyTheFirst150CharactersAreRead) {
  // Ten fields padded with blanks so that the eleventh starts at 149.
  std::string value = "1,2,3,4,5,6,7,8,9,a,";
  value.append(149 - value.size(), ' ');
  KorGuid id;
  EXPECT_EQ(parseRegistryComponentId((value + "b").c_str(), id), 11);
  EXPECT_EQ(id.data4[7], 0xb);
  EXPECT_EQ(parseRegistryComponentId((value + "12").c_str(), id), 11);
  EXPECT_EQ(id.data4[7], 0x1); // the "2" is character 151
  EXPECT_EQ(parseRegistryComponentId((value + " b").c_str(), id), 10);
}
