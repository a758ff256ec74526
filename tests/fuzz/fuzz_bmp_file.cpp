// The BMP writer with every picture shape a capture can give: any width, height and row
// stride over the pixels at hand.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/bmp_file.h"

namespace {

std::uint32_t Get32(const std::string& s, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, s.data() + at, 4);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  mirel::PixelRows rows;
  rows.width = static_cast<std::int8_t>(data[0]) * (data[1] % 8 + 1);  // negative and zero too
  rows.height = static_cast<std::int8_t>(data[2]) * (data[3] % 8 + 1);
  rows.stride = static_cast<std::size_t>(data[4]) * 4 + data[5] % 4;
  const std::uint8_t* pixels = data + 6;
  const std::size_t available = size - 6;
  // The rows must lie inside the pixels at hand, as a DIB section's do.
  if (rows.height > 0 && rows.stride * static_cast<std::size_t>(rows.height) > available) return 0;
  rows.bits = available ? pixels : nullptr;
  const auto file = mirel::EncodeBmp24(rows);
  const bool drawable =
      rows.bits && rows.width > 0 && rows.height > 0 && rows.stride >= static_cast<std::size_t>(rows.width) * 4;
  if (file.has_value() != drawable) std::abort();
  if (!file) return 0;
  const std::size_t rowBytes = (static_cast<std::size_t>(rows.width) * 3 + 3) & ~std::size_t{3};
  if (file->size() != 54 + rowBytes * static_cast<std::size_t>(rows.height)) std::abort();
  if (file->compare(0, 2, "BM") != 0 || Get32(*file, 2) != file->size() || Get32(*file, 10) != 54) std::abort();
  // The bottom row of the file is the top-down picture's last row: its first pixel.
  const std::uint8_t* last = pixels + rows.stride * static_cast<std::size_t>(rows.height - 1);
  if (std::memcmp(file->data() + 54, last, 3) != 0) std::abort();
  return 0;
}
