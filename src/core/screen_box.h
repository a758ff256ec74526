// Rectangles on the screen and the rules that keep windows where a user can reach them. Portable.
#pragma once

namespace mirel {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// `window` where it is when it lies wholly inside `area`, otherwise moved the least distance
// that brings it inside (its top-left corner first when it is larger than the area).
ScreenRect KeepInside(const ScreenRect& window, const ScreenRect& area);

// A window placement's normal position is given in work-area coordinates: where a taskbar
// lies at the left or top of the monitor, they differ from screen coordinates by its size.
ScreenRect WorkAreaToScreen(const ScreenRect& placement, const ScreenRect& workArea, const ScreenRect& monitor);

}  // namespace mirel
