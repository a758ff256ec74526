#include "core/picker.h"

#include <gtest/gtest.h>

#include <vector>

namespace mirel {
namespace {

TEST(OrderedPick, RunsThroughTheListAndWraps) {
  std::int16_t index = 0;
  std::vector<int> shown;
  for (int i = 0; i < 7; ++i) {
    shown.push_back(OrderedPick(index, 2));
    index = AdvanceIndex(index);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
}

TEST(OrderedPick, RestartsWhenTheListShrank) {
  std::int16_t index = 5;
  EXPECT_EQ(OrderedPick(index, 2), 0);
  index = AdvanceIndex(index);
  EXPECT_EQ(OrderedPick(index, 2), 1);
  std::int16_t negative = -3;
  EXPECT_EQ(OrderedPick(negative, 2), 0);
}

TEST(AdvanceIndex, NeverOverflows) {
  EXPECT_EQ(AdvanceIndex(32767), 0);
}

TEST(RandomPick, EveryEntryIsReachable) {
  std::mt19937 rng(12345);
  for (int upper : {1, 2, 4}) {
    std::vector<int> seen(static_cast<std::size_t>(upper) + 1, 0);
    for (int i = 0; i < 2000; ++i) {
      const int pick = RandomPick(upper, rng);
      ASSERT_GE(pick, 0);
      ASSERT_LE(pick, upper);
      ++seen[static_cast<std::size_t>(pick)];
    }
    for (int count : seen) EXPECT_GT(count, 2000 / (upper + 1) / 2) << "upper " << upper;
  }
}

TEST(RandomPick, OneEntryIsAlwaysZero) {
  std::mt19937 rng(1);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomPick(0, rng), 0);
}

TEST(ReturnsOnDoubleClick, OnlyOneMeansDoubleClick) {
  EXPECT_FALSE(ReturnsOnDoubleClick(0));
  EXPECT_TRUE(ReturnsOnDoubleClick(1));
  EXPECT_FALSE(ReturnsOnDoubleClick(2));
  EXPECT_FALSE(ReturnsOnDoubleClick(-1));
}

}  // namespace
}  // namespace mirel
