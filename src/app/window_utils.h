// The two window utilities every form uses.
#pragma once

#include <windows.h>

namespace mirel {

// Puts the window into the topmost band or takes it out, without moving or sizing it.
void SetTopMost(HWND window, bool onTop);

// Flips the caption and sizing-frame style bits: two calls restore the window.
void ToggleTitleBar(HWND window);

inline constexpr LONG kTitleBarBits = WS_CAPTION | WS_THICKFRAME;  // 0xC40000

}  // namespace mirel
