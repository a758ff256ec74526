// Controls of the program's own, not tied to one window: a digits-only edit box, a button
// that shows the colour it chooses, and captions that get the room their font needs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/handles.h"

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

// An owner-drawn control that shows a colour as the settings keep it (0x00BBGGRR, or a
// system colour, which follows the user's Windows colours): the colour, its brush, and
// its drawing as DrawSwatchButton draws it.
class ColorSwatch {
 public:
  void Attach(HWND control) { control_ = control; }
  HWND control() const { return control_; }
  std::uint32_t color() const { return color_; }
  // Shows `stored` from now on.
  void Set(std::uint32_t stored);
  // The user's Windows colours changed: a system colour is shown in its new look.
  void Refresh() { Set(color_); }
  // Draws the control when `item` is its own; false when it is another's.
  bool Draw(const DRAWITEMSTRUCT& item, bool highContrast) const;

 private:
  HWND control_ = nullptr;
  std::uint32_t color_ = 0;
  UniqueBrush brush_;
};

}  // namespace mirel
