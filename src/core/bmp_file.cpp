#include "core/bmp_file.h"

namespace mirel {

namespace {

void Put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 DPI

}  // namespace

std::optional<std::string> EncodeBmp24(const PixelRows& rows) {
  if (!rows.bits || rows.width <= 0 || rows.height <= 0) return std::nullopt;
  const std::uint64_t width = static_cast<std::uint64_t>(rows.width);
  if (rows.stride < width * 4) return std::nullopt;
  const std::uint64_t rowBytes = (width * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageBytes = rowBytes * static_cast<std::uint64_t>(rows.height);
  const std::uint64_t fileBytes = kFileHeaderSize + kInfoHeaderSize + imageBytes;
  if (fileBytes > 0xFFFFFFFFull) return std::nullopt;

  std::string out;
  out.reserve(static_cast<std::size_t>(fileBytes));
  out += "BM";
  Put32(out, static_cast<std::uint32_t>(fileBytes));
  Put32(out, 0);  // reserved
  Put32(out, kFileHeaderSize + kInfoHeaderSize);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(rows.width));
  Put32(out, static_cast<std::uint32_t>(rows.height));  // positive: bottom-up
  Put16(out, 1);                                        // planes
  Put16(out, 24);                                       // bits a pixel
  Put32(out, 0);                                        // BI_RGB
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // colours important

  // Written through a pointer into the sized string: a 4K capture is 25 MB.
  const std::size_t headers = out.size();
  out.resize(static_cast<std::size_t>(fileBytes), '\0');  // the row padding stays zero
  char* row = out.data() + headers;
  for (int y = rows.height - 1; y >= 0; --y, row += rowBytes) {
    const std::uint8_t* pixel = rows.bits + static_cast<std::size_t>(y) * rows.stride;
    char* target = row;
    for (int x = 0; x < rows.width; ++x, pixel += 4, target += 3) {
      target[0] = static_cast<char>(pixel[0]);
      target[1] = static_cast<char>(pixel[1]);
      target[2] = static_cast<char>(pixel[2]);
    }
  }
  return out;
}

}  // namespace mirel
