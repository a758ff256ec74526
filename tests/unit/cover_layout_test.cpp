#include "forms/dummy/cover_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "monitor_layouts.h"

namespace mirel {
namespace {

ScreenRect VirtualScreen(const std::vector<MonitorArea>& monitors) {
  ScreenRect box{monitors[0].left, monitors[0].top, monitors[0].right, monitors[0].bottom};
  for (const auto& m : monitors)
    box = {std::min(box.left, m.left), std::min(box.top, m.top), std::max(box.right, m.right),
           std::max(box.bottom, m.bottom)};
  return box;
}

TEST(CoverPictureOrigin, ADesktopCaptureGoesBackWhereItWasTakenAndOtherPicturesToThePrimary) {
  using namespace monitor_layouts;
  struct Case {
    const char* layout;
    const std::vector<MonitorArea>& monitors;
    ScreenPoint captureOrigin;
  };
  const Case cases[] = {
      {"one", one, {0, 0}},
      {"side by side", sideBySide, {0, 0}},
      {"stacked", stacked, {0, -1080}},  // the capture starts on the monitor above
      {"offset", offset, {-1280, 0}},
      {"grid", grid, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    const ScreenRect desktop = VirtualScreen(c.monitors);
    const int width = desktop.right - desktop.left;
    const int height = desktop.bottom - desktop.top;
    EXPECT_EQ(CoverPictureOrigin(width, height, desktop), c.captureOrigin);
    // One pixel off in either direction is not the desktop: the primary's top-left.
    EXPECT_EQ(CoverPictureOrigin(width - 1, height, desktop), (ScreenPoint{0, 0}));
    EXPECT_EQ(CoverPictureOrigin(width, height + 1, desktop), (ScreenPoint{0, 0}));
    EXPECT_EQ(CoverPictureOrigin(640, 480, desktop), (ScreenPoint{0, 0}));
  }
}

}  // namespace
}  // namespace mirel
