#include "forms/tray/edge_watch.h"

#include <gtest/gtest.h>

namespace mirel {
namespace {

constexpr int kRight = 1023;
constexpr int kBottom = 767;

TEST(EdgeBits, EachEdgeAndCorners) {
  EXPECT_EQ(EdgeBits(500, 0, kRight, kBottom), kEdgeTop);
  EXPECT_EQ(EdgeBits(500, kBottom, kRight, kBottom), kEdgeBottom);
  EXPECT_EQ(EdgeBits(0, 300, kRight, kBottom), kEdgeLeft);
  EXPECT_EQ(EdgeBits(kRight, 300, kRight, kBottom), kEdgeRight);
  EXPECT_EQ(EdgeBits(0, 0, kRight, kBottom), kEdgeTop | kEdgeLeft);
  EXPECT_EQ(EdgeBits(kRight, kBottom, kRight, kBottom), kEdgeBottom | kEdgeRight);
}

TEST(EdgeBits, OnePixelOffIsNoEdge) {
  EXPECT_EQ(EdgeBits(1, 1, kRight, kBottom), 0);
  EXPECT_EQ(EdgeBits(kRight - 1, kBottom - 1, kRight, kBottom), 0);
  // Beyond the primary screen (another monitor) never matches.
  EXPECT_EQ(EdgeBits(kRight + 1, 300, kRight, kBottom), 0);
  EXPECT_EQ(EdgeBits(-1, 300, kRight, kBottom), 0);
}

TEST(EdgeTouched, OnlyWatchedEdgesCount) {
  EXPECT_TRUE(EdgeTouched(kEdgeTop, 15));
  EXPECT_TRUE(EdgeTouched(kEdgeTop, 1));
  EXPECT_FALSE(EdgeTouched(kEdgeBottom, 1));
  EXPECT_FALSE(EdgeTouched(kEdgeTop | kEdgeLeft | kEdgeRight | kEdgeBottom, 0));
  EXPECT_TRUE(EdgeTouched(kEdgeTop | kEdgeLeft, kEdgeLeft));  // a corner: either bit is enough
}

TEST(EdgeTouched, BitsAboveTheFourthAreIgnored) {
  EXPECT_FALSE(EdgeTouched(kEdgeTop, 0x10));
  EXPECT_FALSE(EdgeTouched(kEdgeTop, static_cast<std::int16_t>(0x7FF0)));
  EXPECT_TRUE(EdgeTouched(kEdgeRight, 0x18));
  EXPECT_TRUE(EdgeTouched(kEdgeBottom, static_cast<std::int16_t>(-1)));
}

TEST(EffectiveCheckInterval, OutOfRangeIsTheDefault) {
  EXPECT_EQ(EffectiveCheckInterval(100), 100u);
  EXPECT_EQ(EffectiveCheckInterval(1), 1u);
  EXPECT_EQ(EffectiveCheckInterval(65535), 65535u);
  EXPECT_EQ(EffectiveCheckInterval(0), 100u);
  EXPECT_EQ(EffectiveCheckInterval(-5), 100u);
  EXPECT_EQ(EffectiveCheckInterval(65536), 100u);
}

TEST(EdgeTick, AfterAReturnTheEdgeMustBeLeftFirst) {
  bool armed = false;  // just returned, the pointer still on the top edge
  EXPECT_FALSE(EdgeTick(armed, kEdgeTop, 15));
  EXPECT_FALSE(EdgeTick(armed, kEdgeTop, 15));
  EXPECT_FALSE(EdgeTick(armed, kEdgeRight, 1));  // an unwatched edge counts as left
  EXPECT_TRUE(armed);
  EXPECT_TRUE(EdgeTick(armed, kEdgeTop, 15));
  EXPECT_FALSE(EdgeTick(armed, 0, 15));
}

}  // namespace
}  // namespace mirel
