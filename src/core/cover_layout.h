// Where the cover puts its picture, at what size, and on which monitors. Portable.
#pragma once

#include <cstdint>
#include <vector>

#include "core/screen_box.h"

namespace mirel {

// How a picture is placed on a monitor (the stored DummyFit value).
enum class DummyFit : std::int32_t {
  kNatural = 0,  // natural size at the top-left corner (the first release's way)
  kFit = 1,      // as large as the monitor allows, proportions kept, centred
  kFill = 2,     // the monitor filled, proportions kept, the overflow cut evenly
  kStretch = 3,  // stretched to the monitor
  kCenter = 4,   // natural size, centred
};

// A stored value outside the five reads as the natural size.
DummyFit DummyFitFromStored(std::int32_t stored);

// Where the whole picture lands at a monitor, at the size it is drawn (beyond the monitor
// where the picture is larger and not scaled down).
ScreenRect PlaceOnMonitor(int pictureWidth, int pictureHeight, const ScreenRect& monitor, DummyFit fit);

// One place the picture is shown: the whole picture at `target`'s size and place, of which
// the part inside `clip` is seen.
struct CoverTile {
  ScreenRect target;
  ScreenRect clip;
  int width() const { return target.right - target.left; }
  int height() const { return target.bottom - target.top; }
  // What of the picture is seen, in screen coordinates (empty when nothing is).
  ScreenRect Visible() const;
  bool operator==(const CoverTile&) const = default;
};

// Where the cover shows a picture of the given size. `monitors`: the primary monitor first.
// A picture exactly the size of the whole desktop (a desktop capture) goes back where it was
// taken, at its natural size, whatever the fit. Otherwise the picture is placed by `fit` on
// the primary monitor alone or, with `everyMonitor`, on each monitor at that monitor's size.
// At its natural size on the primary alone, a picture larger than the primary monitor goes on
// over the monitors right of and below it, as in the first release; every other placement
// keeps to its monitor.
std::vector<CoverTile> CoverTiles(int pictureWidth, int pictureHeight, const std::vector<ScreenRect>& monitors,
                                  const ScreenRect& virtualScreen, DummyFit fit, bool everyMonitor);

}  // namespace mirel
