#include "core/preview_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace mirel {
namespace {

TEST(LayOutPreview, BarsHugTheEdgesAboveTheStatusBar) {
  const auto l = LayOutPreview(477, 349, 17, 17, 20, 1024, 768);
  EXPECT_EQ(l.status.top, 329);
  EXPECT_EQ(l.status.height, 20);
  EXPECT_EQ(l.status.width, 477);
  EXPECT_EQ(l.horizontal.top, 312);
  EXPECT_EQ(l.horizontal.height, 17);
  EXPECT_EQ(l.horizontal.width, 460);
  EXPECT_EQ(l.vertical.left, 460);
  EXPECT_EQ(l.vertical.width, 17);
  EXPECT_EQ(l.vertical.height, 312);
  EXPECT_EQ(l.viewWidth, 460);
  EXPECT_EQ(l.viewHeight, 312);
  // At the maximum the picture's far edge meets the inner edge of the other bar.
  EXPECT_EQ(l.maxLeft, 1024 - 460);
  EXPECT_EQ(l.maxTop, 768 - 312);
}

TEST(LayOutPreview, APictureThatFitsDoesNotScroll) {
  const auto l = LayOutPreview(477, 349, 17, 17, 20, 100, 80);
  EXPECT_EQ(l.maxLeft, 0);
  EXPECT_EQ(l.maxTop, 0);
  EXPECT_EQ(ClampScroll(50, l.maxLeft), 0);
  EXPECT_EQ(ClampScroll(-5, l.maxTop), 0);
}

TEST(LayOutPreview, BeyondSixteenBitsAndTinyWindows) {
  // Four 4K monitors side by side.
  const auto wide = LayOutPreview(477, 349, 17, 17, 20, 15360, 2160);
  EXPECT_EQ(wide.maxLeft, 15360 - 460);
  EXPECT_EQ(ClampScroll(40000, wide.maxLeft), 15360 - 460);
  // A client area smaller than the bars: nothing negative anywhere.
  for (int w : {0, 5, 17, 30})
    for (int h : {0, 10, 20, 36}) {
      const auto l = LayOutPreview(w, h, 17, 17, 20, 1024, 768);
      for (const Box& b : {l.vertical, l.horizontal, l.status}) {
        EXPECT_GE(b.left, 0);
        EXPECT_GE(b.top, 0);
        EXPECT_GE(b.width, 0);
        EXPECT_GE(b.height, 0);
      }
      EXPECT_GE(l.viewWidth, 0);
      EXPECT_GE(l.viewHeight, 0);
      EXPECT_LE(l.maxLeft, 1024);
      EXPECT_LE(l.maxTop, 768);
    }
}

TEST(CaptureNames, FirstFreeOfNineHundredNinetyNine) {
  EXPECT_EQ(CaptureFileName(0), L"CAPT000.BMP");
  EXPECT_EQ(CaptureFileName(7), L"CAPT007.BMP");
  EXPECT_EQ(CaptureFileName(998), L"CAPT998.BMP");
  std::set<int> taken{0, 2};
  EXPECT_EQ(FirstFreeCaptureNumber([&](int n) { return taken.count(n) > 0; }), 1);
  EXPECT_EQ(FirstFreeCaptureNumber([](int n) { return n < 998; }), 998);
  int asked = 0;
  EXPECT_FALSE(FirstFreeCaptureNumber([&](int) { return ++asked > 0; }));
  EXPECT_EQ(asked, 999);  // never CAPT999.BMP
}

TEST(WithBitmapExtension, AddedUnlessAlreadyThere) {
  EXPECT_EQ(WithBitmapExtension(L"C:\\shot"), L"C:\\shot.bmp");
  EXPECT_EQ(WithBitmapExtension(L"C:\\SHOT.BMP"), L"C:\\SHOT.BMP");
  EXPECT_EQ(WithBitmapExtension(L"C:\\shot.png"), L"C:\\shot.png.bmp");
  EXPECT_EQ(WithBitmapExtension(L"C:\\a.jpg"), L"C:\\a.jpg.bmp");
}

TEST(WheelPixels, SmallStepsAddUpAndATurnBackDropsTheRest) {
  int remainder = 0;
  // A notch of 120 scrolls the whole step; a precision touchpad's 10s add up to the same.
  EXPECT_EQ(WheelPixels(remainder, 120, 96), 96);
  int total = 0;
  for (int i = 0; i < 12; ++i) total += WheelPixels(remainder, 10, 96);
  EXPECT_EQ(total, 96);
  EXPECT_EQ(remainder, 0);
  EXPECT_EQ(WheelPixels(remainder, 1, 96), 0);
  EXPECT_EQ(WheelPixels(remainder, -1, 96), 0);  // the other way: the leftover goes
  EXPECT_EQ(remainder, -96);
  EXPECT_EQ(WheelPixels(remainder, -240, 96), -192);  // and -0.8 of a pixel kept for the next
}

}  // namespace
}  // namespace mirel
