// Unit tests of the shard index and count check shared by korhost's options
// and the kortest command's settings.
#include "KorBasicTypes/shardchoice.h"
#include <gtest/gtest.h>

namespace {
std::string check(const std::string &index, const std::string &count) {
  int32_t indexValue = -1, countValue = -1;
  return korCheckShard(index, count, "I", "N", indexValue, countValue);
}
} // namespace

TEST(ShardChoice, AcceptsOnlyAnIndexBelowAPositiveCount) {
  int32_t index = -1, count = -1;
  EXPECT_EQ(korCheckShard("2", "3", "I", "N", index, count), "");
  EXPECT_EQ(index, 2);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(check("0", "1"), "");
  EXPECT_EQ(check("3", "3"), "I must be a whole number from 0 to 2, not \"3\"");
  EXPECT_EQ(check(" 1", "3"),
            "I must be a whole number from 0 to 2, not \" 1\"");
  EXPECT_EQ(check("0", "-3"),
            "N must be a whole number of at least 1, not \"-3\"");
  EXPECT_EQ(check("0", "99999999999"),
            "N must be a whole number of at least 1, not \"99999999999\"");
}
