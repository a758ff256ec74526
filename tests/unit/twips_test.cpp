#include "core/twips.h"

#include <gtest/gtest.h>

namespace mirel {
namespace {

TEST(Twips, FifteenTwipsAPixelAt96Dpi) {
  EXPECT_EQ(TwipsToPixels(15, 96), 1);
  EXPECT_EQ(TwipsToPixels(5000, 96), 333);
  EXPECT_EQ(TwipsToPixels(3000, 96), 200);
  EXPECT_EQ(TwipsToPixels(4995, 96), 333);
  EXPECT_DOUBLE_EQ(PixelsToTwips(333, 96), 4995.0);
}

TEST(Twips, FollowTheWindowDpi) {
  EXPECT_EQ(TwipsToPixels(1440, 144), 144);
  EXPECT_EQ(TwipsToPixels(5000, 192), 667);
  EXPECT_DOUBLE_EQ(PixelsToTwips(144, 144), 1440.0);
  EXPECT_EQ(TwipsToPixels(-1500, 96), -100);
  EXPECT_EQ(TwipsToPixels(1440, 0), 96);  // an unknown DPI counts as 96
}

TEST(Twips, RoundTripKeepsWholePixels) {
  for (unsigned dpi : {96u, 120u, 144u, 192u})
    for (int px = -50; px <= 2000; px += 7) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << dpi;
}

}  // namespace
}  // namespace mirel
