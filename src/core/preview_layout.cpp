#include "core/preview_layout.h"

#include <algorithm>
#include <cwchar>

#include "core/bitmap_name.h"

namespace mirel {

PreviewLayout LayOutPreview(int clientWidth, int clientHeight, int barWidth, int barHeight, int statusHeight,
                            int pictureWidth, int pictureHeight) {
  clientWidth = std::max(clientWidth, 0);
  clientHeight = std::max(clientHeight, 0);
  PreviewLayout layout;
  const int statusTop = std::max(clientHeight - statusHeight, 0);
  layout.status = {0, statusTop, clientWidth, clientHeight - statusTop};
  const int horizontalTop = std::max(statusTop - barHeight, 0);
  const int verticalLeft = std::max(clientWidth - barWidth, 0);
  layout.vertical = {verticalLeft, 0, clientWidth - verticalLeft, horizontalTop};
  layout.horizontal = {0, horizontalTop, verticalLeft, statusTop - horizontalTop};
  layout.viewWidth = verticalLeft;
  layout.viewHeight = horizontalTop;
  layout.maxLeft = std::max(pictureWidth - layout.viewWidth, 0);
  layout.maxTop = std::max(pictureHeight - layout.viewHeight, 0);
  return layout;
}

int ClampScroll(int position, int maximum) {
  return std::clamp(position, 0, std::max(maximum, 0));
}

int WheelPixels(int& remainder, int delta, int pixelsPerNotch) {
  constexpr long long kNotch = 120;
  if ((remainder < 0 && delta > 0) || (remainder > 0 && delta < 0)) remainder = 0;
  // In 1/120 of a pixel, so that nothing is lost to rounding.
  const long long total = static_cast<long long>(remainder) + static_cast<long long>(delta) * pixelsPerNotch;
  const long long pixels = total / kNotch;
  remainder = static_cast<int>(total - pixels * kNotch);
  return static_cast<int>(pixels);
}

std::wstring CaptureFileName(int number) {
  wchar_t name[16];
  std::swprintf(name, 16, L"CAPT%03d.BMP", number);
  return name;
}

std::optional<int> FirstFreeCaptureNumber(const std::function<bool(int)>& taken) {
  for (int number = 0; number < kCaptureNames; ++number)
    if (!taken(number)) return number;
  return std::nullopt;
}

std::wstring WithBitmapExtension(const std::wstring& path) {
  return HasBitmapExtension(path) ? path : path + L".bmp";
}

}  // namespace mirel
