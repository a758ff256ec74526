// Twips (1/1440 inch) and pixels at a given DPI: 15 twips a pixel at 96 DPI. Portable.
#pragma once

#include <cstdint>

namespace mirel {

inline constexpr int kTwipsPerInch = 1440;

std::int32_t TwipsToPixels(double twips, unsigned dpi);
double PixelsToTwips(std::int32_t pixels, unsigned dpi);

}  // namespace mirel
