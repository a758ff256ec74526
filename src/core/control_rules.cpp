#include "core/control_rules.h"

#include <algorithm>
#include <iterator>

namespace mirel {

bool DigitKeyAccepted(wchar_t typed) {
  return (typed >= L'0' && typed <= L'9') || typed == 8;
}

std::wstring DigitsOnly(const std::wstring& text) {
  std::wstring digits;
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
  return digits;
}

SwatchFrame SwatchFrameFor(bool highContrast, bool focused, bool pressed, bool focusCuesHidden) {
  SwatchFrame frame;
  frame.themed = highContrast;
  frame.line = highContrast && (focused || pressed) ? FrameColor::kHighlight : FrameColor::kWindowText;
  frame.focusRectangle = focused && (highContrast || !focusCuesHidden);
  return frame;
}

std::optional<Widened> WidenForCaption(const RowBox& place, int needed, const std::vector<RowBox>& others,
                                       int pageRight, int minimumLeft, bool label) {
  if (needed <= place.right - place.left) return std::nullopt;
  int limit = pageRight;
  for (const auto& other : others) {
    const bool sameRow = other.top < place.bottom && other.bottom > place.top;
    if (sameRow && !other.frame && other.left >= place.right) limit = std::min(limit, other.left - 2);
  }
  if (place.left + needed <= limit) return Widened{place.left, needed, false};
  if (label) {
    const int left = std::max(minimumLeft, place.right - needed);
    return Widened{left, place.right - left, true};
  }
  return Widened{place.left, limit - place.left, false};
}

}  // namespace mirel
