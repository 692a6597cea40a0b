// Unit tests of korhost's query server.
#include "KorBasicTypes/korarray.h"
#include "host/services/queryserver.h"
#include <gtest/gtest.h>

TEST(QueryServer, KeepsTheLastRecordPerName) {
  HostQueryServer server;
  EXPECT_FALSE(server.record("Programmer Tests Results"));
  KorArray<int32_t> counts;
  for (int32_t value : {3, 1, 2})
    counts.append(value);
  server.Publish("Programmer Tests Results", counts);
  counts[2] = 0;
  server.Publish("Programmer Tests Results", counts);
  auto record = server.record("Programmer Tests Results");
  ASSERT_TRUE(record);
  EXPECT_EQ(*record, (std::vector<int32_t>{3, 0, 2}));
  server.clear();
  EXPECT_FALSE(server.record("Programmer Tests Results"));
}
