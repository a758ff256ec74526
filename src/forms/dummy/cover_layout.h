// Where the cover puts its picture. Portable.
#pragma once

#include "platform/screen_box.h"

namespace mirel {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// The picture's top-left corner in screen coordinates. A picture exactly the size of the
// whole desktop (a desktop capture) goes back where it was taken, at the virtual screen's
// top-left, which lies left of or above the primary monitor when a monitor sits there;
// every other picture sits at the primary monitor's top-left.
ScreenPoint CoverPictureOrigin(int pictureWidth, int pictureHeight, const ScreenRect& virtualScreen);

}  // namespace mirel
