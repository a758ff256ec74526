// Where the preview's scroll bars and status bar go, and how far the picture scrolls.
// Pixels throughout; no 16-bit limits. Portable.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace mirel {

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct PreviewLayout {
  Box vertical;       // hugs the right edge, above the horizontal bar
  Box horizontal;     // hugs the bottom edge, above the status bar
  Box status;         // along the bottom edge
  int viewWidth = 0;  // what is left for the picture
  int viewHeight = 0;
  int maxLeft = 0;  // the furthest scroll positions; 0 when the picture fits
  int maxTop = 0;
};

// The client area, the bars' thickness and the status bar's height give the layout; no
// size is ever negative, however small the window.
PreviewLayout LayOutPreview(int clientWidth, int clientHeight, int barWidth, int barHeight, int statusHeight,
                            int pictureWidth, int pictureHeight);

// A scroll position kept within 0 and the maximum.
int ClampScroll(int position, int maximum);

// The pixels one wheel message scrolls, for a wheel that scrolls `pixelsPerNotch` a notch
// (a delta of 120). Precision touchpads and smooth wheels send a small delta many times:
// what a message leaves over is kept in `remainder` for the next one, and dropped when
// the wheel turns the other way. Positive for a wheel turned away from the user.
int WheelPixels(int& remainder, int delta, int pixelsPerNotch);

// CAPT000.BMP to CAPT998.BMP: 999 names.
inline constexpr int kCaptureNames = 999;
std::wstring CaptureFileName(int number);

// The first number whose name is not taken, or nothing when all 999 are.
std::optional<int> FirstFreeCaptureNumber(const std::function<bool(int)>& taken);

// The name a save writes: ".bmp" added unless the last four characters, lower-cased,
// already are ".bmp".
std::wstring WithBitmapExtension(const std::wstring& path);

}  // namespace mirel
