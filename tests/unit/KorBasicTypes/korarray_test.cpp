// Unit tests of KorArray, the 1-based growable array of the core library.
#include "KorBasicTypes/korarray.h"
#include <gtest/gtest.h>
#include <numeric>

TEST(KorArray, StartsWithRoomFor21AndDoubles) {
  KorArray<int> array;
  EXPECT_TRUE(array.empty());
  EXPECT_EQ(array.capacity(), 21u) << "positions 0 to 20";
  for (int i = 1; i <= 20; ++i)
    array.append(i * 10);
  EXPECT_EQ(array.capacity(), 21u);
  array.append(210);
  EXPECT_EQ(array.capacity(), 42u);
  for (int i = 22; i <= 42; ++i)
    array.append(i * 10);
  EXPECT_EQ(array.capacity(), 84u);
  EXPECT_EQ(array.count(), 42u);
  for (uint32_t i = 1; i <= array.count(); ++i)
    ASSERT_EQ(array[i], int(i) * 10) << "kept across growth at " << i;
  EXPECT_EQ(std::accumulate(array.begin(), array.end(), 0), 10 * 42 * 43 / 2);
}

TEST(KorArray, CopiesClearsAndRemoves) {
  KorArray<double> array;
  for (int i = 1; i <= 30; ++i)
    array.append(i + 0.5);
  KorArray<double> copy(array);
  EXPECT_EQ(copy.count(), 30u);
  EXPECT_EQ(copy[30], 30.5);
  array.removeLast();
  EXPECT_EQ(array.count(), 29u);
  copy = array;
  EXPECT_EQ(copy.count(), 29u);
  copy = copy;
  EXPECT_EQ(copy[29], 29.5);
  uint32_t capacity = array.capacity();
  array.clear();
  EXPECT_TRUE(array.empty());
  EXPECT_EQ(array.capacity(), capacity) << "clear keeps the room";
  array.removeLast();
  EXPECT_EQ(array.count(), 0u);
  EXPECT_EQ(array.begin(), array.end());
}
