// Unit tests of KorArray, the 1-based growable array of the core library,
// against a std::vector holding the same entries.
#include "KorBasicTypes/korarray.h"
#include <gtest/gtest.h>
#include <vector>

TEST(KorArray, KeepsItsEntriesThroughGrowthCopiesAndRemoval) {
  KorArray<int> array;
  std::vector<int> model;
  auto same = [](const KorArray<int> &a, const std::vector<int> &m) {
    return std::vector<int>(a.begin(), a.end()) == m && a.count() == m.size() &&
           (m.empty() || a[a.count()] == m.back());
  };
  for (int i = 1; i <= 100; ++i) {
    array.append(i * 10);
    model.push_back(i * 10);
  }
  EXPECT_TRUE(same(array, model));
  KorArray<int> copy(array);
  array.removeLast();
  model.pop_back();
  EXPECT_TRUE(same(array, model));
  EXPECT_EQ(copy.count(), 100u) << "copies share nothing";
  copy = array;
  copy = copy;
  EXPECT_TRUE(same(copy, model));
  uint32_t capacity = array.capacity();
  array.clear();
  array.removeLast();
  EXPECT_TRUE(array.empty());
  EXPECT_EQ(array.capacity(), capacity) << "clear keeps the room";
  EXPECT_TRUE(same(array, {}));
}
