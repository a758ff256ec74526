// BMP files as Mirel writes them: 24 bits a pixel, rows bottom-up, each padded to four
// bytes, no colour table. Any Windows program and every picture viewer reads them. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace mirel {

// 32-bit pixels as a DIB section holds them: blue, green, red, unused; rows top-down,
// `stride` bytes apart.
struct PixelRows {
  const std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

// The whole file, or nothing when the picture is empty, the rows are too short for the
// width, or the file would pass the format's 4 GB limit.
std::optional<std::string> EncodeBmp24(const PixelRows& rows);

}  // namespace mirel
