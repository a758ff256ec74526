#include "core/cover_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "monitor_layouts.h"

namespace mirel {
namespace {

std::vector<ScreenRect> Rects(const std::vector<MonitorArea>& monitors) {
  std::vector<ScreenRect> rects;
  rects.reserve(monitors.size());
  for (const auto& m : monitors) rects.push_back({m.left, m.top, m.right, m.bottom});
  return rects;
}

ScreenRect VirtualScreen(const std::vector<MonitorArea>& monitors) {
  ScreenRect box{monitors[0].left, monitors[0].top, monitors[0].right, monitors[0].bottom};
  for (const auto& m : monitors)
    box = {std::min(box.left, m.left), std::min(box.top, m.top), std::max(box.right, m.right),
           std::max(box.bottom, m.bottom)};
  return box;
}

TEST(CoverTiles, ADesktopCaptureGoesBackWhereItWasTakenWhateverTheFit) {
  using namespace monitor_layouts;
  for (const auto* monitors : {&kOne, &kSideBySide, &kStacked, &kOffset, &kGrid}) {
    const ScreenRect desktop = VirtualScreen(*monitors);
    const int width = desktop.right - desktop.left;
    const int height = desktop.bottom - desktop.top;
    for (const auto fit : {DummyFit::kNatural, DummyFit::kFit, DummyFit::kFill, DummyFit::kStretch}) {
      const auto tiles = CoverTiles(width, height, Rects(*monitors), desktop, fit, true);
      ASSERT_EQ(tiles.size(), 1u);
      EXPECT_EQ(tiles[0].target, desktop);
    }
    // One pixel off is not the desktop: at its natural size it sits at the primary's top-left.
    const auto near = CoverTiles(width - 1, height, Rects(*monitors), desktop, DummyFit::kNatural, false);
    ASSERT_EQ(near.size(), 1u);
    EXPECT_EQ(near[0].target, (ScreenRect{0, 0, width - 1, height}));
  }
}

TEST(CoverTiles, EachFitAtTwoMonitorSizes) {
  struct Case {
    DummyFit fit;
    ScreenRect onFullHd;    // 1920 x 1080 at (0, 0)
    ScreenRect onPortrait;  // 768 x 1024 at (-768, -100)
  };
  // A 1000 x 500 picture.
  const Case cases[] = {
      {DummyFit::kNatural, {0, 0, 1000, 500}, {-768, -100, 232, 400}},
      {DummyFit::kFit, {0, 60, 1920, 1020}, {-768, 220, 0, 604}},
      {DummyFit::kFill, {-120, 0, 2040, 1080}, {-1408, -100, 640, 924}},
      {DummyFit::kStretch, {0, 0, 1920, 1080}, {-768, -100, 0, 924}},
      {DummyFit::kCenter, {460, 290, 1460, 790}, {-884, 162, 116, 662}},
  };
  const ScreenRect fullHd{0, 0, 1920, 1080};
  const ScreenRect portrait{-768, -100, 0, 924};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fit));
    EXPECT_EQ(PlaceOnMonitor(1000, 500, fullHd, c.fit), c.onFullHd);
    EXPECT_EQ(PlaceOnMonitor(1000, 500, portrait, c.fit), c.onPortrait);
  }
  // A picture of the monitor's own proportions fits and fills alike, and never rounds to nothing.
  EXPECT_EQ(PlaceOnMonitor(192, 108, fullHd, DummyFit::kFit), fullHd);
  EXPECT_EQ(PlaceOnMonitor(192, 108, fullHd, DummyFit::kFill), fullHd);
  EXPECT_EQ(PlaceOnMonitor(100000, 1, fullHd, DummyFit::kFit), (ScreenRect{0, 539, 1920, 540}));
}

TEST(CoverTiles, ThePrimaryAloneOrEveryMonitorEachWithinItsOwn) {
  using namespace monitor_layouts;
  const auto monitors = Rects(kOffset);  // 2560 x 1440 primary, 1280 x 1024 left of it
  const ScreenRect desktop = VirtualScreen(kOffset);
  // The first release's way: a large picture goes on over the other monitors.
  const auto natural = CoverTiles(3000, 2000, monitors, desktop, DummyFit::kNatural, false);
  ASSERT_EQ(natural.size(), 1u);
  EXPECT_EQ(natural[0].Visible(), (ScreenRect{0, 0, 2560, 1440}));  // the desktop ends there
  const auto centred = CoverTiles(3000, 2000, monitors, desktop, DummyFit::kCenter, false);
  ASSERT_EQ(centred.size(), 1u);
  EXPECT_EQ(centred[0].Visible(), monitors[0]);

  const auto every = CoverTiles(640, 480, monitors, desktop, DummyFit::kFit, true);
  ASSERT_EQ(every.size(), 2u);
  EXPECT_EQ(every[0].target, (ScreenRect{320, 0, 2240, 1440}));
  EXPECT_EQ(every[1].target, (ScreenRect{-1280, 432, 0, 1392}));
  // At its natural size on each monitor, a picture larger than the small one is cut at its edge.
  const auto cut = CoverTiles(2000, 1200, monitors, desktop, DummyFit::kNatural, true);
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[1].Visible(), monitors[1]);

  EXPECT_EQ(DummyFitFromStored(2), DummyFit::kFill);
  EXPECT_EQ(DummyFitFromStored(5), DummyFit::kNatural);
  EXPECT_EQ(DummyFitFromStored(-1), DummyFit::kNatural);
  EXPECT_TRUE(CoverTiles(0, 480, monitors, desktop, DummyFit::kFit, true).empty());
}

}  // namespace
}  // namespace mirel
