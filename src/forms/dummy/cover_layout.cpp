#include "forms/dummy/cover_layout.h"

namespace mirel {

ScreenPoint CoverPictureOrigin(int pictureWidth, int pictureHeight, const ScreenRect& virtualScreen) {
  if (pictureWidth == virtualScreen.right - virtualScreen.left &&
      pictureHeight == virtualScreen.bottom - virtualScreen.top)
    return {virtualScreen.left, virtualScreen.top};
  return {0, 0};
}

}  // namespace mirel
