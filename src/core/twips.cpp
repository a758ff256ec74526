#include "core/twips.h"

#include "core/registry_value.h"

namespace mirel {

std::int32_t TwipsToPixels(double twips, unsigned dpi) {
  if (dpi == 0) dpi = 96;
  return RoundHalfEven(twips * dpi / kTwipsPerInch);
}

double PixelsToTwips(std::int32_t pixels, unsigned dpi) {
  if (dpi == 0) dpi = 96;
  return static_cast<double>(pixels) * kTwipsPerInch / dpi;
}

}  // namespace mirel
