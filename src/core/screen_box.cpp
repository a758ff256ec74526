#include "core/screen_box.h"

namespace mirel {

namespace {

// Moves [low, high) by the least amount that puts it inside [areaLow, areaHigh); its low
// end wins when it is longer than the area.
int Shift(int low, int high, int areaLow, int areaHigh) {
  if (high - low > areaHigh - areaLow || low < areaLow) return areaLow - low;
  if (high > areaHigh) return areaHigh - high;
  return 0;
}

}  // namespace

ScreenRect KeepInside(const ScreenRect& window, const ScreenRect& area) {
  const int dx = Shift(window.left, window.right, area.left, area.right);
  const int dy = Shift(window.top, window.bottom, area.top, area.bottom);
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

ScreenRect WorkAreaToScreen(const ScreenRect& placement, const ScreenRect& workArea, const ScreenRect& monitor) {
  const int dx = workArea.left - monitor.left;
  const int dy = workArea.top - monitor.top;
  return {placement.left + dx, placement.top + dy, placement.right + dx, placement.bottom + dy};
}

}  // namespace mirel
