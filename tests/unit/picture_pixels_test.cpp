#include "core/picture_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirel {
namespace {

// A JPEG's first segments: an APP0, then an APP1 Exif block whose IFD0 holds `entries`.
std::vector<std::uint8_t> JpegWithExif(bool bigEndian, std::uint16_t orientation, std::uint16_t type = 3) {
  std::vector<std::uint8_t> tiff;
  const auto u16 = [&](std::uint16_t v) {
    if (bigEndian)
      tiff.insert(tiff.end(), {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
    else
      tiff.insert(tiff.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
  };
  const auto u32 = [&](std::uint32_t v) {
    if (bigEndian) {
      u16(static_cast<std::uint16_t>(v >> 16));
      u16(static_cast<std::uint16_t>(v));
    } else {
      u16(static_cast<std::uint16_t>(v));
      u16(static_cast<std::uint16_t>(v >> 16));
    }
  };
  tiff.insert(tiff.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                    : std::initializer_list<std::uint8_t>{'I', 'I'});
  u16(42);
  u32(8);
  u16(2);  // two entries: the picture's width, then the orientation
  u16(0x0100);
  u16(4);
  u32(1);
  u32(640);
  u16(0x0112);
  u16(type);
  u32(1);
  u16(orientation);
  u16(0);
  u32(0);
  std::vector<std::uint8_t> file{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J', 'F'};
  const std::size_t length = 2 + 6 + tiff.size();
  file.insert(file.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
  file.insert(file.end(), {'E', 'x', 'i', 'f', 0, 0});
  file.insert(file.end(), tiff.begin(), tiff.end());
  file.insert(file.end(), {0xFF, 0xDA, 0x00, 0x02});
  return file;
}

TEST(JpegExifOrientation, ReadInEitherByteOrderAndOneWhenAbsentOrDamaged) {
  for (const bool big : {false, true}) {
    for (std::uint16_t o = 1; o <= 8; ++o) {
      const auto file = JpegWithExif(big, o);
      EXPECT_EQ(JpegExifOrientation(file.data(), file.size()), o);
    }
  }
  auto file = JpegWithExif(false, 6);
  EXPECT_EQ(JpegExifOrientation(file.data(), file.size() - 20), 1);  // cut inside the block
  const auto wrongType = JpegWithExif(true, 6, 4);
  EXPECT_EQ(JpegExifOrientation(wrongType.data(), wrongType.size()), 1);
  const auto outOfRange = JpegWithExif(true, 9);
  EXPECT_EQ(JpegExifOrientation(outOfRange.data(), outOfRange.size()), 1);
  file[1] = 0xD9;  // not a JPEG
  EXPECT_EQ(JpegExifOrientation(file.data(), file.size()), 1);
}

TEST(CopyUpright, EachOrientationShowsTheCameraPictureUprightWholeAndInPart) {
  // The picture as stored, 3 x 2:  a b c / d e f.
  const std::vector<std::uint32_t> stored{'a', 'b', 'c', 'd', 'e', 'f'};
  const std::string upright[9] = {"", "abcdef", "cbafed", "fedcba", "defabc", "adbecf", "daebfc", "fcebda", "cfbead"};
  for (int o = 1; o <= 8; ++o) {
    SCOPED_TRACE(o);
    const int width = TurnsSideways(o) ? 2 : 3;
    const int height = TurnsSideways(o) ? 3 : 2;
    EXPECT_EQ(StoredRect({0, 0, width, height}, width, height, o), (ScreenRect{0, 0, 3, 2}));
    std::vector<std::uint32_t> out(6);
    CopyUpright(stored.data(), {0, 0, width, height}, width, height, o, out.data());
    EXPECT_EQ(std::string(out.begin(), out.end()), upright[o]);
  }
  // The bottom row of the turned picture (6: d a / e b / f c) comes from the stored column c f.
  const ScreenRect part{0, 2, 2, 3};
  const ScreenRect from = StoredRect(part, 2, 3, 6);
  EXPECT_EQ(from, (ScreenRect{2, 0, 3, 2}));
  const std::vector<std::uint32_t> column{'c', 'f'};
  std::vector<std::uint32_t> out(2);
  CopyUpright(column.data(), part, 2, 3, 6, out.data());
  EXPECT_EQ(std::string(out.begin(), out.end()), "fc");
}

TEST(ComposeOver, TransparentPixelsTakeTheBackgroundAndOpaqueOnesStay) {
  // Premultiplied: opaque red, half-transparent green (0x80 of 0xFF), wholly transparent.
  std::vector<std::uint32_t> pixels{0xFFFF0000u, 0x80008000u, 0x00000000u};
  EXPECT_TRUE(ComposeOver(pixels.data(), pixels.size(), 0x00FF0000u));  // a blue background (0x00BBGGRR)
  EXPECT_EQ(pixels[0], 0xFFFF0000u);
  EXPECT_EQ(pixels[1], 0xFF00807Fu);
  EXPECT_EQ(pixels[2], 0xFF0000FFu);
  std::vector<std::uint32_t> opaque{0xFF123456u};
  EXPECT_FALSE(ComposeOver(opaque.data(), opaque.size(), 0));
  EXPECT_EQ(opaque[0], 0xFF123456u);
}

}  // namespace
}  // namespace mirel
