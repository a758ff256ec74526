// The rules of the program's own controls that need no window: what a digits-only box
// takes, where a control grows to show its caption, and how a colour swatch is framed.
// Portable.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mirel {

// True for the characters a digits-only box takes from the keyboard: digits and
// Backspace. (Ctrl+A, C, V, X and Z are the box's own, and what a paste brings is
// filtered on its own.)
bool DigitKeyAccepted(wchar_t typed);

// The digits of pasted text, in order; everything else is left out.
std::wstring DigitsOnly(const std::wstring& text);

// A control's place on its page, in pixels.
struct RowBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool frame = false;  // a group box: it holds controls, it does not stand beside them
};

struct Widened {
  int left = 0;
  int width = 0;
  bool rightAligned = false;
};

// Where a label, check box or option button at `place` goes to show a caption `needed`
// pixels wide: to the right up to the next control on its row (or the page's right
// edge); where that is too close, a label grows to the left instead (not past
// `minimumLeft`) and is aligned right, and another control takes the room there is.
// Nothing when the caption fits already: nothing ever shrinks.
std::optional<Widened> WidenForCaption(const RowBox& place, int needed, const std::vector<RowBox>& others,
                                       int pageRight, int minimumLeft, bool label);

// The system colours a swatch's frame is drawn in (GetSysColor's COLOR_ values).
enum class FrameColor { kWindowText, kHighlight };

// How a colour swatch (a button or a box that shows a colour) is framed. In a high-contrast
// theme the colour alone says nothing of the control's edge: a line in the theme's text
// colour (its highlight colour while focused or pressed) goes round it, with a ring of the
// theme's window colour between it and the colour. The focus rectangle shows while the
// button has the focus, unless Windows hides the keyboard cues (never in high contrast,
// where the user must see it).
struct SwatchFrame {
  bool themed = false;  // the line and the ring are drawn
  FrameColor line = FrameColor::kWindowText;
  bool focusRectangle = false;
};
SwatchFrame SwatchFrameFor(bool highContrast, bool focused, bool pressed, bool focusCuesHidden);

}  // namespace mirel
