// Controls of the program's own, not tied to one window: a digits-only edit box, a button
// that shows the colour it chooses, and captions that get the room their font needs.
#pragma once

#include <windows.h>

namespace mirel {

// The edit box takes digits alone, typed or pasted, and no input-method text (which
// would come in past the filter).
void MakeDigitsOnly(HWND edit);

// Widens a label (`label`), a check box or an option button to its caption in its font,
// as WidenForCaption says, among the other controls of its parent.
void WidenToCaption(HWND control, bool label);

// True while a high-contrast theme is on.
bool HighContrastOn();

// Paints an owner-drawn button in the colour it chooses, its caption over it in black or
// white, whichever reads better; an owner-drawn static box, the colour alone. In a
// high-contrast theme both are framed in the theme's colours (SwatchFrameFor).
void DrawSwatchButton(const DRAWITEMSTRUCT& item, COLORREF color, HBRUSH brush, bool highContrast);

}  // namespace mirel
