#include "core/edge_watch.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "monitor_layouts.h"

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

TEST(OuterEdgeBits, OnlyTheDesktopsOuterEdgesCount) {
  struct Case {
    const char* layout;
    std::vector<MonitorArea> monitors;
    std::int32_t x, y, bits;
  };
  using namespace monitor_layouts;
  const Case cases[] = {
      {"one", kOne, 0, 300, kEdgeLeft},
      {"one", kOne, 1023, 767, kEdgeRight | kEdgeBottom},
      {"one", kOne, 512, 384, 0},
      {"one", kOne, 1024, 300, 0},                  // off every monitor
      {"side by side", kSideBySide, 1919, 500, 0},  // the shared edge, from the left monitor
      {"side by side", kSideBySide, 1920, 500, 0},  // and from the right one
      {"side by side", kSideBySide, 3839, 500, kEdgeRight},
      {"side by side", kSideBySide, 0, 0, kEdgeLeft | kEdgeTop},
      {"stacked", kStacked, 500, 0, 0},
      {"stacked", kStacked, 500, -1080, kEdgeTop},
      {"stacked", kStacked, 500, 1079, kEdgeBottom},
      {"offset", kOffset, 0, 300, kEdgeLeft},  // above the smaller monitor: an outer edge
      {"offset", kOffset, 0, 800, 0},          // beside it: shared
      {"offset", kOffset, -1, 800, 0},
      {"offset", kOffset, -1280, 800, kEdgeLeft},
      {"offset", kOffset, -640, 400, kEdgeTop},
      {"offset", kOffset, -640, 1423, kEdgeBottom},
      {"offset", kOffset, 100, 1439, kEdgeBottom},
      {"grid", kGrid, 100, 100, 0},
      {"grid", kGrid, 99, 0, kEdgeTop},
      {"grid", kGrid, 199, 199, kEdgeRight | kEdgeBottom},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.layout << " at " << c.x << "," << c.y);
    EXPECT_EQ(OuterEdgeBits(c.x, c.y, c.monitors), c.bits);
  }
  // One monitor: the same as the primary screen's edges.
  for (const auto& [x, y] : {std::pair{0, 0}, {1023, 5}, {7, 767}, {500, 500}})
    EXPECT_EQ(OuterEdgeBits(x, y, kOne), EdgeBits(x, y, 1023, 767));
}

TEST(DwellReached, ACoverOnlyAfterTheStay) {
  std::int64_t since = -1;
  EXPECT_TRUE(DwellReached(since, true, 1000, 0));  // no dwell: at once
  since = -1;
  EXPECT_FALSE(DwellReached(since, true, 1000, 300));
  EXPECT_FALSE(DwellReached(since, true, 1200, 300));
  EXPECT_TRUE(DwellReached(since, true, 1300, 300));
  // Leaving the edge starts the stay over.
  EXPECT_FALSE(DwellReached(since, false, 1350, 300));
  EXPECT_FALSE(DwellReached(since, true, 1400, 300));
  EXPECT_FALSE(DwellReached(since, true, 1699, 300));
  EXPECT_TRUE(DwellReached(since, true, 1700, 300));
}

TEST(HotKeyFromControl, ModifiersMapped) {
  EXPECT_EQ(HotKeyFromControl(0x0000).key, 0u);
  const HotKey ctrlAltP = HotKeyFromControl((0x06u << 8) | 'P');  // HOTKEYF_CONTROL | HOTKEYF_ALT
  EXPECT_EQ(ctrlAltP.key, static_cast<std::uint32_t>('P'));
  EXPECT_EQ(ctrlAltP.modifiers, 0x3u);                                // MOD_CONTROL | MOD_ALT
  EXPECT_EQ(HotKeyFromControl((0x01u << 8) | 0x7B).modifiers, 0x4u);  // Shift+F12: MOD_SHIFT
}

TEST(EdgeTouch, OncePerTouchAndNotWhileAButtonIsHeld) {
  using namespace monitor_layouts;
  const TouchRules rules;
  EdgeTouch touch;
  touch.Disarm();  // the cover came and went with the pointer resting there
  EXPECT_FALSE(touch.Look({0, 300, false}, kOne, rules));
  EXPECT_FALSE(touch.Look({3, 300, false}, kOne, rules));  // not left yet: within the margin
  EXPECT_FALSE(touch.Look({0, 300, false}, kOne, rules));
  EXPECT_FALSE(touch.Look({1023, 300, false}, kOne, {kEdgeTop}));  // an edge not watched counts as left
  EXPECT_TRUE(touch.Look({0, 300, false}, kOne, rules));
  EXPECT_TRUE(touch.Look({0, 301, false}, kOne, rules));  // still the same touch: a dwell waits on it
  // A drag that reaches the edge, and its button let go there.
  EXPECT_FALSE(touch.Look({200, 300, true}, kOne, rules));
  EXPECT_FALSE(touch.Look({0, 300, true}, kOne, rules));
  EXPECT_FALSE(touch.Look({0, 300, false}, kOne, rules));
  EXPECT_FALSE(touch.Look({200, 300, false}, kOne, rules));
  EXPECT_TRUE(touch.Look({0, 300, false}, kOne, rules));
  TouchRules drags = rules;
  drags.ignoreWhileButtonHeld = false;
  EXPECT_FALSE(touch.Look({200, 300, true}, kOne, drags));
  EXPECT_TRUE(touch.Look({0, 300, true}, kOne, drags));
}

TEST(EdgeTouch, CornersOnlyWhereTwoWatchedOuterEdgesMeet) {
  using namespace monitor_layouts;
  struct Case {
    const char* layout;
    std::vector<MonitorArea> monitors;
    std::int32_t x, y;
    std::int16_t flag;
    bool fires;
  };
  const Case cases[] = {
      {"one", kOne, 0, 300, 15, false},
      {"one", kOne, 0, 3, 15, true},  // a few pixels from the corner
      {"one", kOne, 1023, 767, 15, true},
      {"one", kOne, 0, 0, kEdgeTop, false},               // one watched edge is no corner
      {"side by side", kSideBySide, 1919, 0, 15, false},  // the monitors' shared edge
      {"side by side", kSideBySide, 3839, 4, 15, true},
      {"stacked", kStacked, 0, 0, 15, false},
      {"stacked", kStacked, 0, -1080, 15, true},
      {"offset", kOffset, -1280, 400, 15, true},
      {"offset", kOffset, 0, 0, 15, true},  // the smaller monitor starts lower
      {"offset", kOffset, 0, 500, 15, false},
      {"grid", kGrid, 100, 0, 15, false},
      {"grid", kGrid, 199, 199, 15, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.layout << " (" << c.x << ", " << c.y << ")");
    TouchRules rules;
    rules.checkMouseFlag = c.flag;
    rules.cornersOnly = true;
    EdgeTouch touch;
    touch.Look({c.monitors.front().left + 50, c.monitors.front().top + 50, false}, c.monitors, rules);
    EXPECT_EQ(touch.Look({c.x, c.y, false}, c.monitors, rules), c.fires);
  }
}

TEST(IdleWatch, OncePerStretchOfIdlenessOnAClockThatWraps) {
  IdleWatch idle;
  EXPECT_FALSE(idle.Check(3'600'000, 0, 0).due);  // off
  const IdleCheck early = idle.Check(50'000, 0, 1);
  EXPECT_FALSE(early.due);
  EXPECT_EQ(early.nextCheckMs, 10'000u);
  EXPECT_TRUE(idle.Check(60'000, 0, 1).due);
  EXPECT_FALSE(idle.Check(900'000, 0, 1).due);          // the same stretch
  EXPECT_TRUE(idle.Check(1'000'000, 900'000, 1).due);   // input came meanwhile
  EXPECT_TRUE(idle.Check(30'000, 0xFFFF0000u, 1).due);  // 95 s since the input, across the wrap
  EXPECT_EQ(EffectiveIdleMinutes(1440), 1440u);
  EXPECT_EQ(EffectiveIdleMinutes(1441), 0u);
  EXPECT_EQ(EffectiveIdleMinutes(-1), 0u);
}

}  // namespace
}  // namespace mirel
