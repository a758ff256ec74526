#include "core/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace mirel {
namespace {

// An independent reader: the headers and pixels as the format defines them.
std::uint32_t Le32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t Le16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// (x, y) from the top-left, as blue, green, red.
std::uint32_t ReadPixel(const std::string& file, int x, int y) {
  const auto width = static_cast<std::int32_t>(Le32(file, 18));
  const auto height = static_cast<std::int32_t>(Le32(file, 22));
  const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t at =
      Le32(file, 10) + row * static_cast<std::size_t>(height - 1 - y) + static_cast<std::size_t>(x) * 3;
  return static_cast<unsigned char>(file[at]) | static_cast<unsigned char>(file[at + 1]) << 8 |
         static_cast<unsigned char>(file[at + 2]) << 16;
}

// A picture whose every pixel tells where it is: blue = x, green = y, red = 0x5A.
std::vector<std::uint8_t> Pattern(int width, int height, std::size_t stride) {
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(height), 0xEE);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      auto* p = &bits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4];
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = 0x5A;
      p[3] = 0xFF;
    }
  return bits;
}

TEST(EncodeBmp24, HeadersPaddingAndBottomUpRowsForWidthsOneToFive) {
  for (int width = 1; width <= 5; ++width) {
    SCOPED_TRACE(width);
    const int height = 3;
    const std::size_t stride = static_cast<std::size_t>(width) * 4 + 8;  // rows with room after them
    const auto bits = Pattern(width, height, stride);
    const auto file = EncodeBmp24({bits.data(), width, height, stride});
    ASSERT_TRUE(file);
    const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(file->size(), 54 + row * height);
    EXPECT_EQ(file->substr(0, 2), "BM");
    EXPECT_EQ(Le32(*file, 2), file->size());
    EXPECT_EQ(Le32(*file, 10), 54u);
    EXPECT_EQ(Le32(*file, 14), 40u);
    EXPECT_EQ(static_cast<int>(Le32(*file, 18)), width);
    EXPECT_EQ(static_cast<int>(Le32(*file, 22)), height);  // positive: stored bottom-up
    EXPECT_EQ(Le16(*file, 26), 1);
    EXPECT_EQ(Le16(*file, 28), 24);
    EXPECT_EQ(Le32(*file, 30), 0u);  // uncompressed
    EXPECT_EQ(Le32(*file, 34), row * height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(ReadPixel(*file, x, y), 0x5A0000u | static_cast<unsigned>(y) << 8 | static_cast<unsigned>(x));
    // The padding bytes are zero, not whatever followed the source row.
    for (int y = 0; y < height; ++y)
      for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < row; ++pad)
        EXPECT_EQ((*file)[54 + row * static_cast<std::size_t>(y) + pad], '\0');
  }
}

TEST(EncodeBmp24, RefusesWhatItCannotWrite) {
  const auto bits = Pattern(4, 4, 16);
  EXPECT_FALSE(EncodeBmp24({nullptr, 4, 4, 16}));
  EXPECT_FALSE(EncodeBmp24({bits.data(), 0, 4, 16}));
  EXPECT_FALSE(EncodeBmp24({bits.data(), 4, 0, 16}));
  EXPECT_FALSE(EncodeBmp24({bits.data(), -4, 4, 16}));
  EXPECT_FALSE(EncodeBmp24({bits.data(), 4, 4, 12}));  // rows shorter than the width
  // Past the format's 4 GB: refused before anything is read.
  EXPECT_FALSE(EncodeBmp24({bits.data(), 40000, 40000, 160000}));
}

}  // namespace
}  // namespace mirel
