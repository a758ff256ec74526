// The first bytes of a picture file as the orientation reader sees them: a damaged Exif
// block must never be read out of bounds, and the answer is always an orientation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/picture_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const int orientation = mirel::JpegExifOrientation(bytes.data(), bytes.size());
  if (orientation < 1 || orientation > 8) std::abort();
  return 0;
}
