// Pictures as users' folders hold them: odd but valid bitmaps load, damaged files and
// decompression bombs are refused, and nothing hangs or takes unbounded memory.
#include "platform/picture.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <wincodec.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/cover_layout.h"
#include "platform/picture_worker.h"
#include "platform/system_dll.h"
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

namespace mirel {
namespace {

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  return BigEndian(static_cast<std::uint32_t>(data.size())) + body + BigEndian(Crc32(body));
}

// A whole PNG of the given rows (each with its filter byte), stored without compression.
std::string Png(int width, int height, int bitDepth, int colourType, const std::string& rows,
                const std::string& extraChunks = "") {
  std::string zlib("\x78\x01", 2);
  zlib += '\x01';  // one final stored block
  Put(zlib, static_cast<std::uint32_t>(rows.size()), 2);
  Put(zlib, static_cast<std::uint32_t>(~rows.size()), 2);
  zlib += rows;
  std::uint32_t a = 1, b = 0;
  for (const char c : rows) {
    a = (a + static_cast<std::uint8_t>(c)) % 65521;
    b = (b + a) % 65521;
  }
  zlib += BigEndian(b << 16 | a);
  const std::string header = BigEndian(static_cast<std::uint32_t>(width)) +
                             BigEndian(static_cast<std::uint32_t>(height)) + static_cast<char>(bitDepth) +
                             static_cast<char>(colourType) + std::string(3, '\0');
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + extraChunks + Chunk("IDAT", zlib) +
         Chunk("IEND", "");
}

std::uint32_t PixelAt(const Picture& picture, int x, int y) {
  const auto rows = picture.Rows();
  std::uint32_t value = 0;
  std::memcpy(&value, rows->bits + static_cast<std::size_t>(y) * rows->stride + static_cast<std::size_t>(x) * 4, 4);
  return value & 0xFFFFFF;  // 0xRRGGBB
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 40) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

TEST(Pictures, TransparencyLiesOverTheWindowsColour) {
  test::ScratchFolder dir;
  const COLORREF blue = RGB(0, 0, 255);  // the background; 0xRRGGBB 0x0000FF in the pixels
  // Red wholly transparent, green half, then opaque white.
  const std::string rgba(
      "\0"
      "\xff\0\0\0"
      "\0\xff\0\x80"
      "\xff\xff\xff\xff",
      13);
  // Two palette entries, the first transparent.
  const std::string palette = Chunk("PLTE", std::string("\xff\0\0\xff\xff\0", 6)) + Chunk("tRNS", std::string(1, '\0'));
  // Sixteen bits a channel: transparent red, opaque green.
  const std::string rgba16(
      "\0"
      "\xff\xff\0\0\0\0\0\0"
      "\0\0\xff\xff\0\0\xff\xff",
      17);
  test::WriteBytes(dir / L"alpha.png", Png(3, 1, 8, 6, rgba));
  test::WriteBytes(dir / L"palette.png", Png(2, 1, 8, 3, std::string("\0\0\x01", 3), palette));
  test::WriteBytes(dir / L"deep.png", Png(2, 1, 16, 6, rgba16));
  Picture picture;
  bool transparent = false;
  ASSERT_EQ(LoadPicture(dir / L"alpha.png", picture, blue, &transparent), PictureLoad::kOk);
  EXPECT_TRUE(transparent);
  EXPECT_EQ(PixelAt(picture, 0, 0), 0x0000FFu);
  EXPECT_TRUE(Near(PixelAt(picture, 1, 0), 0x00807F, 2));
  EXPECT_EQ(PixelAt(picture, 2, 0), 0xFFFFFFu);
  ASSERT_EQ(LoadPicture(dir / L"palette.png", picture, blue, &transparent), PictureLoad::kOk);
  EXPECT_TRUE(transparent);
  EXPECT_EQ(PixelAt(picture, 0, 0), 0x0000FFu);
  EXPECT_EQ(PixelAt(picture, 1, 0), 0xFFFF00u);
  ASSERT_EQ(LoadPicture(dir / L"deep.png", picture, blue, &transparent), PictureLoad::kOk);
  EXPECT_EQ(PixelAt(picture, 0, 0), 0x0000FFu);
  EXPECT_EQ(PixelAt(picture, 1, 0), 0x00FF00u);
  // An opaque picture is not transparent: a change of colour needs no new decode.
  test::WriteBitmap(dir / L"opaque.bmp", 2, 2, RGB(9, 9, 9));
  ASSERT_EQ(LoadPicture(dir / L"opaque.bmp", picture, blue, &transparent), PictureLoad::kOk);
  EXPECT_FALSE(transparent);
}

// A 64 x 32 JPEG of four coloured quarters (red, green / blue, white) with the given Exif
// orientation, encoded by WIC.
std::string OrientedJpeg(const std::wstring& scratch, int orientation) {
  ComPtr<IWICImagingFactory> factory;
  EXPECT_TRUE(SUCCEEDED(sys::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))));
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  factory->CreateStream(stream.put());
  stream->InitializeFromFilename(scratch.c_str(), GENERIC_WRITE);
  factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.put());
  encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
  encoder->CreateNewFrame(frame.put(), nullptr);
  frame->Initialize(nullptr);
  frame->SetSize(64, 32);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  frame->SetPixelFormat(&format);
  std::string pixels;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) {
      const std::uint32_t rgb = y < 16 ? (x < 32 ? 0xFF0000 : 0x00FF00) : (x < 32 ? 0x0000FF : 0xFFFFFF);
      pixels += {static_cast<char>(rgb & 0xFF), static_cast<char>(rgb >> 8 & 0xFF), static_cast<char>(rgb >> 16)};
    }
  frame->WritePixels(32, 64 * 3, static_cast<UINT>(pixels.size()), reinterpret_cast<BYTE*>(pixels.data()));
  frame->Commit();
  encoder->Commit();
  stream.reset();
  // The Exif block right after the start-of-image marker, as a camera writes it.
  std::string tiff("MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 26);
  tiff[19] = static_cast<char>(orientation);
  const std::string app1 = std::string("Exif\0\0", 6) + tiff;
  std::string segment("\xff\xe1", 2);
  segment += BigEndian(static_cast<std::uint32_t>(app1.size() + 2)).substr(2);
  const std::string jpeg = test::ReadBytes(scratch);
  return jpeg.substr(0, 2) + segment + app1 + jpeg.substr(2);
}

TEST(Pictures, EveryExifOrientationShowsUpright) {
  test::ScratchFolder dir;
  EnsureComOnThisThread();
  // The quarters as seen upright: top-left, top-right, bottom-left, bottom-right.
  constexpr std::uint32_t r = 0xFF0000, g = 0x00FF00, b = 0x0000FF, w = 0xFFFFFF;
  const std::uint32_t upright[9][4] = {{},           {r, g, b, w}, {g, r, w, b}, {w, b, g, r}, {b, w, r, g},
                                       {r, b, g, w}, {b, r, w, g}, {w, g, b, r}, {g, w, r, b}};
  for (int o = 1; o <= 8; ++o) {
    SCOPED_TRACE(o);
    const std::wstring path = dir / (L"photo" + std::to_wstring(o) + L".jpg");
    test::WriteBytes(path, OrientedJpeg(dir / L"plain.jpg", o));
    Picture picture;
    ASSERT_EQ(LoadPicture(path, picture), PictureLoad::kOk);
    const bool sideways = o >= 5;
    ASSERT_EQ(picture.width(), sideways ? 32 : 64);
    ASSERT_EQ(picture.height(), sideways ? 64 : 32);
    const int right = picture.width() - 4;
    const int bottom = picture.height() - 4;
    EXPECT_TRUE(Near(PixelAt(picture, 3, 3), upright[o][0]));
    EXPECT_TRUE(Near(PixelAt(picture, right, 3), upright[o][1]));
    EXPECT_TRUE(Near(PixelAt(picture, 3, bottom), upright[o][2]));
    EXPECT_TRUE(Near(PixelAt(picture, right, bottom), upright[o][3]));
  }
}

TEST(Pictures, EachFitScalesAndCutsForTwoMonitorSizes) {
  test::ScratchFolder dir;
  // 40 x 20: the left half red, the right half blue.
  std::string rows;
  for (int y = 0; y < 20; ++y) {
    rows += '\0';
    for (int x = 0; x < 40; ++x) rows += x < 20 ? std::string("\xff\0\0", 3) : std::string("\0\0\xff", 3);
  }
  test::WriteBytes(dir / L"halves.png", Png(40, 20, 8, 2, rows));
  struct Case {
    DummyFit fit;
    ScreenRect monitor;
    ScreenRect seen;  // where the picture shows
  };
  const Case cases[] = {
      {DummyFit::kFit, {0, 0, 200, 200}, {0, 50, 200, 150}},
      {DummyFit::kFit, {-300, 0, 0, 60}, {-210, 0, -90, 60}},
      {DummyFit::kFill, {0, 0, 200, 200}, {0, 0, 200, 200}},  // 400 x 200, cut evenly
      {DummyFit::kFill, {-300, 0, 0, 60}, {-300, 0, 0, 60}},
      {DummyFit::kStretch, {0, 0, 200, 200}, {0, 0, 200, 200}},
      {DummyFit::kCenter, {0, 0, 200, 200}, {80, 90, 120, 110}},
      {DummyFit::kNatural, {-300, 0, 0, 60}, {-300, 0, -260, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fit));
    PictureRequest request;
    request.path = dir / L"halves.png";
    request.places = [&c](int width, int height) {
      const auto tiles = CoverTiles(width, height, {c.monitor}, {-1000, -1000, 1000, 1000}, c.fit, true);
      return std::vector<PicturePlace>{{tiles[0].target, tiles[0].Visible()}};
    };
    PreparedPicture prepared;
    ASSERT_EQ(PreparePictureFile(request, prepared), PictureLoad::kOk);
    ASSERT_EQ(prepared.pieces.size(), 1u);
    const auto& piece = prepared.pieces[0];
    EXPECT_EQ(piece.at, c.seen);
    const Picture& pixels = *piece.pixels;
    ASSERT_EQ(pixels.width(), c.seen.right - c.seen.left);
    ASSERT_EQ(pixels.height(), c.seen.bottom - c.seen.top);
    // Red at the left, blue at the right, whatever was cut.
    EXPECT_TRUE(Near(PixelAt(pixels, 1, pixels.height() / 2), 0xFF0000));
    EXPECT_TRUE(Near(PixelAt(pixels, pixels.width() - 2, pixels.height() / 2), 0x0000FF));
  }
}

}  // namespace
}  // namespace mirel

namespace mirel {
namespace {

// The worker's answers to a window of its own, as they come.
class Answers {
 public:
  static constexpr UINT kDone = WM_APP + 9;
  Answers() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~Answers() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  // Use and ticket of each answer in `milliseconds`, or until `count` have come and time
  // enough for a wrong one after them; `firstAt`: when the first came.
  std::vector<std::pair<WPARAM, LPARAM>> Wait(unsigned milliseconds, std::size_t count = 1,
                                              ULONGLONG* firstAt = nullptr) {
    std::vector<std::pair<WPARAM, LPARAM>> seen;
    ULONGLONG until = GetTickCount64() + milliseconds;
    MSG msg;
    while (GetTickCount64() < until) {
      while (PeekMessageW(&msg, window_, kDone, kDone, PM_REMOVE)) {
        seen.emplace_back(msg.wParam, msg.lParam);
        if (firstAt && seen.size() == 1) *firstAt = GetTickCount64();
        if (seen.size() == count) until = GetTickCount64() + 500;
      }
      Sleep(10);
    }
    return seen;
  }

 private:
  HWND window_;
};

TEST(PictureWorker, OnlyTheLatestRequestOfAUseIsEverDelivered) {
  test::ScratchFolder dir;
  test::WriteBitmap(dir / L"old.bmp", 3000, 2000, RGB(200, 0, 0));
  test::WriteBitmap(dir / L"new.bmp", 30, 20, RGB(0, 200, 0));
  Answers answers;
  PictureWorker worker;
  const auto ask = [&](PictureWorker::Use use, const wchar_t* name) {
    PictureRequest request;
    request.path = dir / name;
    return worker.Request(use, std::move(request), answers.window(), Answers::kDone);
  };
  // The list changed while the first picture was on its way: only the second one comes.
  const auto first = ask(PictureWorker::kNextCover, L"old.bmp");
  const auto second = ask(PictureWorker::kNextCover, L"new.bmp");
  auto seen = answers.Wait(3000);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(static_cast<std::uint32_t>(seen[0].second), second);
  EXPECT_FALSE(worker.Take(PictureWorker::kNextCover, first));
  auto result = worker.Take(PictureWorker::kNextCover, second);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->picture.width, 30);
  EXPECT_FALSE(worker.Take(PictureWorker::kNextCover, second));  // handed out once
  // The cover went away: nothing of its request is delivered; the other uses go on.
  ask(PictureWorker::kCover, L"old.bmp");
  const auto main = ask(PictureWorker::kMainWindow, L"new.bmp");
  worker.Cancel(PictureWorker::kCover);
  seen = answers.Wait(3000);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, static_cast<WPARAM>(PictureWorker::kMainWindow));
  EXPECT_TRUE(worker.Take(PictureWorker::kMainWindow, main));
}

// A 64-grey JPEG of any size, written at once: every 8 x 8 block is flat, so after the first
// group of blocks each one codes as zero bits (a zero difference, then the end of the block).
std::string FlatJpeg(int width, int height) {
  const auto segment = [](int marker, const std::string& data) {
    return std::string{'\xff', static_cast<char>(marker)} +
           BigEndian(static_cast<std::uint32_t>(data.size() + 2)).substr(2) + data;
  };
  const auto two = [](int value) { return BigEndian(static_cast<std::uint32_t>(value)).substr(2); };
  std::string out("\xff\xd8", 2);
  out += segment(0xDB, std::string(1, '\0') + std::string(64, '\1'));  // no quantisation
  out += segment(0xC0, "\x08" + two(height) + two(width) + std::string("\x03\x01\x11\0\x02\x11\0\x03\x11\0", 10));
  out += segment(0xC4, std::string("\0\0\x02", 3) + std::string(14, '\0') + std::string("\0\x0a", 2));  // 00, 01
  out += segment(0xC4, std::string("\x10\x01", 2) + std::string(15, '\0') + std::string(1, '\0'));      // 0: end
  out += segment(0xDA, std::string("\x03\x01\0\x02\0\x03\0\0\x3f\0", 10));
  // The first group of blocks: "01", the luminance's level 8 x (64 - 128) coded as 511 and
  // an end of block, then zero differences and ends for the chrominances; padded with ones.
  const std::uint64_t bits = 19 + 9 * (static_cast<std::uint64_t>((width + 7) / 8) * ((height + 7) / 8) - 1);
  std::string scan = "\x5f\xe0" + std::string(static_cast<std::size_t>((bits + 7) / 8 - 2), '\0');
  scan.back() = static_cast<char>(scan.back() | ((1 << ((8 - bits % 8) % 8)) - 1));
  return out + scan + "\xff\xd9";
}

TEST(PictureWorker, AThrowingRequestIsUndecodableTheCoverGoesFirstAndExitWaitsLittle) {
  test::ScratchFolder dir;
  test::WriteBytes(dir / L"large.jpg", FlatJpeg(8000, 6000));
  test::WriteBitmap(dir / L"small.bmp", 30, 20, RGB(0, 200, 0));
  Answers answers;
  ULONGLONG exitStarted = 0;
  {
    PictureWorker worker;
    const auto ask = [&](PictureWorker::Use use, const std::wstring& path, PictureRequest request = {}) {
      request.path = path;
      return worker.Request(use, std::move(request), answers.window(), Answers::kDone);
    };
    // A request that throws (out of memory, say) could not be decoded; the next one is served.
    PictureRequest throwing;
    throwing.places = [](int, int) -> std::vector<PicturePlace> { throw std::bad_alloc(); };
    const auto thrown = ask(PictureWorker::kCover, dir / L"small.bmp", throwing);
    ASSERT_EQ(answers.Wait(5000).size(), 1u);
    auto result = worker.Take(PictureWorker::kCover, thrown);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->load, PictureLoad::kUndecodable);
    EXPECT_TRUE(result->picture.empty());

    // A main-window decode in progress, in a single piece, gives way to the cover's request
    // at once, and is done again afterwards.
    std::atomic<bool> begun{false};
    PictureRequest scaled;
    scaled.places = [&begun](int width, int height) {
      begun = true;
      const ScreenRect place{0, 0, width / 8, height / 8};
      return std::vector<PicturePlace>{{place, place}};
    };
    ULONGLONG started = GetTickCount64();
    ask(PictureWorker::kMainWindow, dir / L"large.jpg", scaled);
    ASSERT_EQ(answers.Wait(60000).size(), 1u);
    const ULONGLONG whole = GetTickCount64() - started;
    begun = false;
    // Asked as soon as the decode has begun: a second decode of the same file (its bytes
    // cached now) can be done before any fixed share of the first one's time.
    const auto main = ask(PictureWorker::kMainWindow, dir / L"large.jpg", scaled);
    while (!begun) Sleep(1);
    started = GetTickCount64();
    ask(PictureWorker::kCover, dir / L"small.bmp");
    ULONGLONG firstAt = 0;
    const auto seen = answers.Wait(60000, 2, &firstAt);
    std::printf("a main-window decode takes %llu ms; the first answer came %llu ms after the cover's request\n", whole,
                firstAt - started);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, static_cast<WPARAM>(PictureWorker::kCover))
        << "a decode of " << whole << " ms held up the cover's";
    EXPECT_EQ(seen[1].first, static_cast<WPARAM>(PictureWorker::kMainWindow));
    result = worker.Take(PictureWorker::kMainWindow, main);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->load, PictureLoad::kOk);
    EXPECT_EQ(result->picture.width, 8000);

    // At exit a decode that hangs (a share that does not answer) is waited for 200 ms at most.
    PictureRequest hanging;
    hanging.places = [](int, int) {
      Sleep(1000);
      return std::vector<PicturePlace>{};
    };
    ask(PictureWorker::kCover, dir / L"small.bmp", hanging);
    Sleep(100);
    exitStarted = GetTickCount64();
  }
  EXPECT_LT(GetTickCount64() - exitStarted, 300u);
  Sleep(1000);  // the hanging decode lets go of its file before the folder goes
}

}  // namespace
}  // namespace mirel
