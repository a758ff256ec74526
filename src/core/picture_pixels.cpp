#include "core/picture_pixels.h"

#include <algorithm>
#include <cstring>

namespace mirel {

namespace {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size, bool bigEndian) : data_(data), size_(size), big_(bigEndian) {}
  bool Has(std::size_t at, std::size_t length) const { return at <= size_ && length <= size_ - at; }
  std::uint16_t U16(std::size_t at) const {
    return big_ ? static_cast<std::uint16_t>(data_[at] << 8 | data_[at + 1])
                : static_cast<std::uint16_t>(data_[at + 1] << 8 | data_[at]);
  }
  std::uint32_t U32(std::size_t at) const {
    return big_ ? static_cast<std::uint32_t>(U16(at)) << 16 | U16(at + 2)
                : static_cast<std::uint32_t>(U16(at + 2)) << 16 | U16(at);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  bool big_;
};

// The orientation tag of a TIFF structure (an Exif block after its "Exif\0\0").
int TiffOrientation(const std::uint8_t* tiff, std::size_t size) {
  if (size < 8) return 1;
  const bool big = tiff[0] == 'M' && tiff[1] == 'M';
  if (!big && !(tiff[0] == 'I' && tiff[1] == 'I')) return 1;
  const Reader r(tiff, size, big);
  if (r.U16(2) != 42) return 1;
  const std::size_t ifd = r.U32(4);
  if (!r.Has(ifd, 2)) return 1;
  const std::size_t count = r.U16(ifd);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = ifd + 2 + i * 12;
    if (!r.Has(entry, 12)) return 1;
    if (r.U16(entry) != 0x0112) continue;
    // A SHORT of count one, held in the entry itself.
    if (r.U16(entry + 2) != 3 || r.U32(entry + 4) != 1) return 1;
    const int orientation = r.U16(entry + 8);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
  }
  return 1;
}

}  // namespace

int JpegExifOrientation(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
  std::size_t at = 2;
  while (at + 4 <= size) {
    if (data[at] != 0xFF) return 1;
    const std::uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill bytes before a marker
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 1;  // the picture itself begins, or ends
    const std::size_t length = static_cast<std::size_t>(data[at + 2]) << 8 | data[at + 3];
    if (length < 2 || length > size - at - 2) return 1;
    const std::uint8_t* body = data + at + 4;
    const std::size_t bodySize = length - 2;
    if (marker == 0xE1 && bodySize >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0)
      return TiffOrientation(body + 6, bodySize - 6);
    at += 2 + length;
  }
  return 1;
}

namespace {

// The stored pixel shown at (x, y) of the upright picture.
struct Point {
  int x;
  int y;
};
Point StoredPixel(int x, int y, int width, int height, int orientation) {
  switch (orientation) {
    case 2: return {width - 1 - x, y};
    case 3: return {width - 1 - x, height - 1 - y};
    case 4: return {x, height - 1 - y};
    case 5: return {y, x};
    case 6: return {y, width - 1 - x};
    case 7: return {height - 1 - y, width - 1 - x};
    case 8: return {height - 1 - y, x};
    default: return {x, y};
  }
}

}  // namespace

ScreenRect StoredRect(const ScreenRect& upright, int width, int height, int orientation) {
  if (upright.right <= upright.left || upright.bottom <= upright.top) return {};
  const Point a = StoredPixel(upright.left, upright.top, width, height, orientation);
  const Point b = StoredPixel(upright.right - 1, upright.bottom - 1, width, height, orientation);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

void CopyUpright(const std::uint32_t* stored, const ScreenRect& upright, int width, int height, int orientation,
                 std::uint32_t* out) {
  const ScreenRect from = StoredRect(upright, width, height, orientation);
  const auto storedStride = static_cast<std::size_t>(from.right - from.left);
  for (int y = upright.top; y < upright.bottom; ++y) {
    for (int x = upright.left; x < upright.right; ++x) {
      const Point p = StoredPixel(x, y, width, height, orientation);
      *out++ =
          stored[static_cast<std::size_t>(p.y - from.top) * storedStride + static_cast<std::size_t>(p.x - from.left)];
    }
  }
}

bool ComposeOver(std::uint32_t* pixels, std::size_t count, std::uint32_t background) {
  // The background's channels in the pixels' order (blue lowest).
  const std::uint32_t backBlue = (background >> 16) & 0xFF;
  const std::uint32_t backGreen = (background >> 8) & 0xFF;
  const std::uint32_t backRed = background & 0xFF;
  bool transparent = false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    const std::uint32_t alpha = p >> 24;
    if (alpha == 255) continue;
    transparent = true;
    const std::uint32_t rest = 255 - alpha;
    const auto over = [rest](std::uint32_t channel, std::uint32_t back) {
      return std::min<std::uint32_t>(255, channel + (back * rest + 127) / 255);
    };
    pixels[i] = 0xFF000000u | over((p >> 16) & 0xFF, backRed) << 16 | over((p >> 8) & 0xFF, backGreen) << 8 |
                over(p & 0xFF, backBlue);
  }
  return transparent;
}

}  // namespace mirel
