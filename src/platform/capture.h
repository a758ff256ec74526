// Snapshots of the screen with GDI, and the clipboard's copy of them.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/picture.h"

namespace mirel {

// The whole desktop, every monitor included.
RECT VirtualScreenRect();

// Each monitor's rectangle, the primary monitor first.
std::vector<RECT> MonitorRects();

// The visible frame of the foreground window (without the invisible resize borders that
// current Windows adds), or nothing when no window is in front.
std::optional<RECT> ForegroundWindowRect();

// The part of `area` that lies on the desktop, copied into a 32-bit picture; an empty
// picture when nothing of it is on the desktop or GDI fails.
Picture CaptureScreen(const RECT& area);

// Leaves the picture on the clipboard as a device-independent bitmap, as Print Screen
// would. False when the clipboard could not be had.
bool PutPictureOnClipboard(HWND owner, const Picture& picture);

}  // namespace mirel
