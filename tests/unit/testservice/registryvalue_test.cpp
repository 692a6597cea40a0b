// Unit tests of the registry value reader: eleven "%x" fields, at most 150
// characters, reading stops at the first missing or unreadable part.
#include "testservice/registryvalue.h"
#include <gtest/gtest.h>
#include <string>

TEST(RegistryValue, ReadsFieldsUntilTheFirstMissingOrUnreadablePart) {
  // Ten fields padded with blanks so that the eleventh starts at 149: of
  // its "12" only the "1" is within the 150 characters read.
  std::string cut = "1,2,3,4,5,6,7,8,9,a,";
  cut.append(149 - cut.size(), ' ').append("12");
  struct Row {
    const char *value;
    int fields;
    KorGuid id;
  } rows[] = {
      {"74372F72,BA35,4766,A9,53,74,13,03,A2,38,51", 11,
       korGuid(0x74372F72, 0xBA35, 0x4766, 0xA9, 0x53, 0x74, 0x13, 0x03, 0xA2,
               0x38, 0x51)},
      {" 0x1a,  +ff, 10,1,2,3,4,5,6,7,8", 11,
       korGuid(0x1a, 0xff, 0x10, 1, 2, 3, 4, 5, 6, 7, 8)},
      // Wide numbers are cut to their field.
      {"1,12345,abcde,1ff", 4,
       korGuid(1, 0x2345, 0xbcde, 0xff, 0, 0, 0, 0, 0, 0, 0)},
      {"1,zz,3", 1, korGuid(1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)},
      {nullptr, 0, KorGuid{}},
      {"1,2,3,4,5,6,7,8,9,a,b,c,d", 11,
       korGuid(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11)},
      {cut.c_str(), 11, korGuid(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1)},
  };
  for (const Row &row : rows) {
    KorGuid id = korGuid(9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9);
    SCOPED_TRACE(row.value ? row.value : "(null)");
    EXPECT_EQ(parseRegistryComponentId(row.value, id), row.fields);
    EXPECT_TRUE(id == row.id);
  }
}
