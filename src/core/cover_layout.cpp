#include "core/cover_layout.h"

#include <algorithm>

namespace mirel {

namespace {

int Width(const ScreenRect& r) {
  return r.right - r.left;
}
int Height(const ScreenRect& r) {
  return r.bottom - r.top;
}

// `numerator * scale / denominator`, rounded, never below one pixel.
int Scaled(int length, int scale, int denominator) {
  const long long product = static_cast<long long>(length) * scale;
  return static_cast<int>(std::max<long long>(1, (product + denominator / 2) / denominator));
}

ScreenRect Centred(int width, int height, const ScreenRect& monitor) {
  // Halves rounded towards the top-left: an odd overflow is cut one pixel more at the right
  // and the bottom, wherever the monitor lies.
  const int left = monitor.left + (Width(monitor) - width) / 2;
  const int top = monitor.top + (Height(monitor) - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace

DummyFit DummyFitFromStored(std::int32_t stored) {
  return stored >= 0 && stored <= static_cast<std::int32_t>(DummyFit::kCenter) ? static_cast<DummyFit>(stored)
                                                                               : DummyFit::kNatural;
}

ScreenRect PlaceOnMonitor(int pictureWidth, int pictureHeight, const ScreenRect& monitor, DummyFit fit) {
  const int mw = Width(monitor);
  const int mh = Height(monitor);
  switch (fit) {
    case DummyFit::kStretch: return monitor;
    case DummyFit::kCenter: return Centred(pictureWidth, pictureHeight, monitor);
    case DummyFit::kFit:
    case DummyFit::kFill: {
      // The picture relatively taller than the monitor fits by its height and fills by its
      // width; a relatively wider one the other way round.
      const bool taller = static_cast<long long>(pictureWidth) * mh <= static_cast<long long>(pictureHeight) * mw;
      const bool byHeight = (fit == DummyFit::kFit) == taller;
      const int width = byHeight ? Scaled(pictureWidth, mh, pictureHeight) : mw;
      const int height = byHeight ? mh : Scaled(pictureHeight, mw, pictureWidth);
      return Centred(width, height, monitor);
    }
    case DummyFit::kNatural: break;
  }
  return {monitor.left, monitor.top, monitor.left + pictureWidth, monitor.top + pictureHeight};
}

ScreenRect CoverTile::Visible() const {
  const ScreenRect seen{std::max(target.left, clip.left), std::max(target.top, clip.top),
                        std::min(target.right, clip.right), std::min(target.bottom, clip.bottom)};
  if (seen.left >= seen.right || seen.top >= seen.bottom) return {};
  return seen;
}

std::vector<CoverTile> CoverTiles(int pictureWidth, int pictureHeight, const std::vector<ScreenRect>& monitors,
                                  const ScreenRect& virtualScreen, DummyFit fit, bool everyMonitor) {
  std::vector<CoverTile> tiles;
  if (pictureWidth <= 0 || pictureHeight <= 0 || monitors.empty()) return tiles;
  if (pictureWidth == Width(virtualScreen) && pictureHeight == Height(virtualScreen)) {
    tiles.push_back({virtualScreen, virtualScreen});
    return tiles;
  }
  const std::size_t count = everyMonitor ? monitors.size() : 1;
  for (std::size_t i = 0; i < count; ++i) {
    const ScreenRect& monitor = monitors[i];
    const bool spills = fit == DummyFit::kNatural && !everyMonitor;
    tiles.push_back({PlaceOnMonitor(pictureWidth, pictureHeight, monitor, fit), spills ? virtualScreen : monitor});
  }
  return tiles;
}

}  // namespace mirel
