// Pictures as users' folders hold them: odd but valid bitmaps load, damaged files and
// decompression bombs are refused, and nothing hangs or takes unbounded memory.
#include "platform/picture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "test_support.h"

namespace mirel {
namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A BMP with the given header fields, palette and pixel bytes, sizes filled in.
std::string Bmp(int width, int height, int bitCount, int compression, const std::string& palette,
                const std::string& pixels) {
  std::string out = "BM";
  Put(out, static_cast<std::uint32_t>(14 + 40 + palette.size() + pixels.size()), 4);
  Put(out, 0, 4);
  Put(out, static_cast<std::uint32_t>(14 + 40 + palette.size()), 4);
  Put(out, 40, 4);
  Put(out, static_cast<std::uint32_t>(width), 4);
  Put(out, static_cast<std::uint32_t>(height), 4);
  Put(out, 1, 2);
  Put(out, static_cast<std::uint32_t>(bitCount), 2);
  Put(out, static_cast<std::uint32_t>(compression), 4);
  Put(out, static_cast<std::uint32_t>(pixels.size()), 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  return out + palette + pixels;
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

std::string BigEndian(std::uint32_t value) {
  std::string out;
  for (int i = 3; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A PNG signature and a well-formed header chunk declaring the size; no image data.
std::string PngHeader(std::uint32_t width, std::uint32_t height) {
  std::string chunk = "IHDR" + BigEndian(width) + BigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian(13) + chunk + BigEndian(Crc32(chunk));
}

TEST(Pictures, OddButValidBitmapsLoad) {
  test::ScratchFolder dir;
  struct Case {
    const wchar_t* name;
    std::string bytes;
    int width, height;
  };
  const std::string gray(4, '\x80');
  const Case cases[] = {
      {L"topdown.bmp", Bmp(2, -3, 24, 0, "", std::string(3 * 8, '\x40')), 2, 3},
      {L"mono.bmp", Bmp(8, 2, 1, 0, std::string("\0\0\0\0\xff\xff\xff\0", 8), std::string("\xaa\0\0\0\x55\0\0\0", 8)),
       8, 2},
      {L"sixteen.bmp", Bmp(4, 2, 4, 0, std::string(64, '\x20'), std::string("\x01\x23\0\0\x45\x67\0\0", 8)), 4, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    test::WriteBytes(dir / c.name, c.bytes);
    Picture picture;
    ASSERT_EQ(LoadPicture(dir / c.name, picture), PictureLoad::kOk);
    EXPECT_EQ(picture.width(), c.width);
    EXPECT_EQ(picture.height(), c.height);
  }
  // Wider than any screen: only what can be seen is kept.
  test::WriteBitmap(dir / L"wide.bmp", 9000, 2, RGB(1, 2, 3));
  Picture wide;
  ASSERT_EQ(LoadPicture(dir / L"wide.bmp", wide), PictureLoad::kOk);
  EXPECT_EQ(wide.width(), std::max(7680, GetSystemMetrics(SM_CXVIRTUALSCREEN)));
  EXPECT_EQ(wide.height(), 2);
}

TEST(Pictures, DamagedFilesBombsFoldersAndDevicesAreRefusedWithoutHarm) {
  test::ScratchFolder dir;
  const std::string bmp24 = Bmp(100, 100, 24, 0, "", std::string(30000, '\x10'));
  struct Case {
    const wchar_t* name;
    std::string bytes;
  };
  const Case cases[] = {
      {L"empty.bmp", ""},
      {L"header-only.bmp", bmp24.substr(0, 54)},
      {L"zero-size.bmp", Bmp(0, 0, 24, 0, "", "")},
      {L"bomb.bmp", Bmp(30000, 30000, 24, 0, "", "")},
      {L"bomb.png", PngHeader(30000, 30000)},
      {L"cut.png", PngHeader(4, 4).substr(0, 20)},
      {L"cut.jpg", std::string("\xff\xd8\xff\xe0\x00\x10JFIF\0", 11)},
      {L"cut.gif", "GIF89a\x04\x00"},
      {L"noise.bmp", "BM" + std::string(200, '\xee')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    test::WriteBytes(dir / c.name, c.bytes);
    Picture picture;
    EXPECT_EQ(LoadPicture(dir / c.name, picture), PictureLoad::kUndecodable);
    EXPECT_TRUE(picture.empty());
  }
  // A run-length coded bitmap is the decoder's to take or refuse, never a crash.
  test::WriteBytes(dir / L"rle.bmp",
                   Bmp(4, 2, 8, 1, std::string(1024, '\x30'), std::string("\x04\x01\x00\x00\x04\x02\x00\x01", 8)));
  Picture rle;
  const auto rleResult = LoadPicture(dir / L"rle.bmp", rle);
  EXPECT_TRUE(rleResult == PictureLoad::kOk || rleResult == PictureLoad::kUndecodable);
  // A folder, a missing file and devices: refused at once, nothing read from a device.
  Picture none;
  EXPECT_EQ(LoadPicture(dir.path(), none), PictureLoad::kMissing);
  EXPECT_EQ(LoadPicture(dir / L"gone.bmp", none), PictureLoad::kMissing);
  for (const wchar_t* device : {L"NUL", L"CON", L"\\\\.\\NUL", L"COM1"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(device)));
    EXPECT_NE(LoadPicture(device, none), PictureLoad::kOk);
  }
}

}  // namespace
}  // namespace mirel
