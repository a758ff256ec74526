#include "platform/picture.h"

#include <wincodec.h>

#include <algorithm>
#include <limits>
#include <memory>

#include "core/picture_pixels.h"
#include "platform/files.h"
#include "platform/system_dll.h"

namespace mirel {

void Picture::Draw(HDC dc, int x, int y) const {
  if (empty()) return;
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  if (!memory) return;
  SelectedObject selected(memory.get(), bitmap_.get());
  BitBlt(dc, x, y, width_, height_, memory.get(), 0, 0, SRCCOPY);
}

std::optional<PixelRows> Picture::Rows() const {
  if (empty() || !bits_) return std::nullopt;
  GdiFlush();  // whatever GDI still owes the pixels
  return PixelRows{bits_, width_, height_, static_cast<std::size_t>(width_) * 4};
}

bool SaveBitmapFile(const Picture& picture, const std::wstring& path) {
  const auto rows = picture.Rows();
  if (!rows) return false;
  const auto bytes = EncodeBmp24(*rows);
  return bytes && ReplaceFileContents(path, *bytes);
}

void EnsureComOnThisThread(bool multithreaded) {
  // COM comes up with the first picture or dialog, not at start-up: the main window
  // shows sooner. It stays up until the thread ends.
  thread_local const HRESULT initialised = sys::CoInitializeEx(
      nullptr, (multithreaded ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED) | COINIT_DISABLE_OLE1DDE);
  (void)initialised;
}

FileStamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) return {};
  return {(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
          (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime};
}

void PreparedPicture::DrawAndExclude(HDC dc, int originX, int originY) const {
  for (const auto& piece : pieces) {
    const int x = piece.at.left - originX;
    const int y = piece.at.top - originY;
    piece.pixels->Draw(dc, x, y);
    ExcludeClipRect(dc, x, y, x + piece.pixels->width(), y + piece.pixels->height());
  }
}

std::size_t PreparedPicture::bytes() const {
  std::size_t total = 0;
  const Picture* last = nullptr;
  for (const auto& piece : pieces) {
    if (piece.pixels.get() == last) continue;  // shared with the place before
    last = piece.pixels.get();
    total += static_cast<std::size_t>(last->width()) * static_cast<std::size_t>(last->height()) * 4;
  }
  return total;
}

namespace {

// A picture whose file declares more pixels than this is refused before anything is
// decoded: the largest camera pictures have about 100 million, and a decoder may hold the
// whole picture while it works (400 MB at 4 bytes a pixel), which even the i686 build can
// afford once. A small file that declares more is a decompression bomb.
constexpr unsigned long long kMaxDeclaredPixels = 100'000'000ULL;
// What is kept of a picture at its natural size: nothing beyond the largest screen (an 8K
// monitor, or the whole desktop where that is larger) is ever seen. At most 133 MB, and
// what Mirel holds at a time (the main window's picture, the cover's, the next cover's)
// stays within the i686 build's address space. A scaled picture is never larger than the
// places it is seen at.
constexpr int kKeptWidth = 7680;
constexpr int kKeptHeight = 4320;
// Windows 10's high-quality scaler; earlier systems and Wine refuse it and get Fant's.
constexpr auto kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);
// Rows copied at a time: a decode that must stop (the cover wants its picture) stops within
// a band, however large the picture.
constexpr int kBandRows = 16;
// An Exif block is at most 64 KB, and a camera writes it first.
constexpr DWORD kOrientationBytes = 70 * 1024;

// The orientation a JPEG's camera recorded, read from the file's first bytes; the file is
// left at its beginning for the decoder. Read here for every system alike: some WIC
// versions answer no metadata query for it.
int OrientationOf(HANDLE file) {
  std::vector<std::uint8_t> head(kOrientationBytes);
  DWORD read = 0;
  const bool ok = ReadFile(file, head.data(), kOrientationBytes, &read, nullptr) != 0;
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  return ok ? JpegExifOrientation(head.data(), read) : 1;
}

// A 32-bit top-down DIB section of the given size.
std::optional<Picture> NewPicture(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like WIC's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return std::nullopt;
  return Picture(std::move(bitmap), width, height, bits);
}

// Copies `rect` of `source` to `into` (rows of `stride` bytes) in bands of rows; false when
// it fails or `cancelled` is set meanwhile.
bool CopyInBands(IWICBitmapSource* source, const WICRect& rect, UINT stride, BYTE* into,
                 const std::atomic<bool>* cancelled) {
  for (int top = 0; top < rect.Height; top += kBandRows) {
    if (cancelled && cancelled->load()) return false;
    const WICRect band{rect.X, rect.Y + top, rect.Width, std::min(kBandRows, rect.Height - top)};
    if (FAILED(source->CopyPixels(&band, stride, stride * static_cast<UINT>(band.Height),
                                  into + static_cast<std::size_t>(top) * stride)))
      return false;
  }
  return true;
}

// The picture at `place`'s size, turned upright, its seen part cut out and laid over the
// background. `source`: the decoded picture as stored, with premultiplied alpha.
std::optional<Picture> Piece(IWICImagingFactory* factory, IWICBitmapSource* source, int orientation, int width,
                             int height, const PicturePlace& place, std::uint32_t background, bool& transparent,
                             const std::atomic<bool>* cancelled) {
  const int targetWidth = place.target.right - place.target.left;
  const int targetHeight = place.target.bottom - place.target.top;
  const ScreenRect cut{place.visible.left - place.target.left, place.visible.top - place.target.top,
                       place.visible.right - place.target.left, place.visible.bottom - place.target.top};
  const int cutWidth = cut.right - cut.left;
  const int cutHeight = cut.bottom - cut.top;
  if (targetWidth <= 0 || targetHeight <= 0 || cutWidth <= 0 || cutHeight <= 0) return std::nullopt;
  ComPtr<IWICBitmapScaler> scaler;
  IWICBitmapSource* sized = source;
  if (targetWidth != width || targetHeight != height) {
    // Scaled as stored, turned afterwards: only the seen part is ever turned.
    const bool sideways = TurnsSideways(orientation);
    const auto storedWidth = static_cast<UINT>(sideways ? targetHeight : targetWidth);
    const auto storedHeight = static_cast<UINT>(sideways ? targetWidth : targetHeight);
    if (FAILED(factory->CreateBitmapScaler(scaler.put()))) return std::nullopt;
    if (FAILED(scaler->Initialize(source, storedWidth, storedHeight, kHighQualityCubic)) &&
        FAILED(scaler->Initialize(source, storedWidth, storedHeight, WICBitmapInterpolationModeFant)))
      return std::nullopt;
    sized = scaler.get();
  }
  auto picture = NewPicture(cutWidth, cutHeight);
  if (!picture) return std::nullopt;
  auto* bits = static_cast<std::uint32_t*>(picture->bits());
  const ScreenRect from = StoredRect(cut, targetWidth, targetHeight, orientation);
  const WICRect rect{from.left, from.top, from.right - from.left, from.bottom - from.top};
  const auto stride = static_cast<UINT>(rect.Width) * 4;
  const std::size_t pixels = static_cast<std::size_t>(cutWidth) * static_cast<std::size_t>(cutHeight);
  if (orientation == 1) {
    if (!CopyInBands(sized, rect, stride, reinterpret_cast<BYTE*>(bits), cancelled)) return std::nullopt;
  } else {
    std::vector<std::uint32_t> stored(pixels);
    if (!CopyInBands(sized, rect, stride, reinterpret_cast<BYTE*>(stored.data()), cancelled)) return std::nullopt;
    CopyUpright(stored.data(), cut, targetWidth, targetHeight, orientation, bits);
  }
  if (ComposeOver(bits, pixels, background)) transparent = true;
  GdiFlush();
  return picture;
}

}  // namespace

PictureLoad PreparePictureFile(const PictureRequest& request, PreparedPicture& picture,
                               const std::atomic<bool>* cancelled) {
  picture = PreparedPicture();
  const auto stopped = [cancelled] { return cancelled && cancelled->load(); };
  const std::wstring& path = request.path;
  if (path.empty() || IsDirectory(path)) return PictureLoad::kMissing;
  const FileStamp stamp = StampOf(path);
  if (request.unlessStamp && *request.unlessStamp == stamp) return PictureLoad::kUnchanged;
  // Opened here, so that only a file on a disk is ever decoded: a device name (CON, a
  // pipe) would have the decoder wait for input that never comes.
  const UniqueHandle file = AdoptFileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PictureLoad::kMissing
                                                                          : PictureLoad::kUndecodable;
  }
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return PictureLoad::kUndecodable;
  const int orientation = OrientationOf(file.get());

  ComPtr<IWICImagingFactory> factory;
  if (FAILED(sys::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(factory.put()))))
    return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.get()), nullptr,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put())))
    return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) return PictureLoad::kUndecodable;
  UINT storedWidth = 0;
  UINT storedHeight = 0;
  if (FAILED(frame->GetSize(&storedWidth, &storedHeight)) || storedWidth == 0 || storedHeight == 0)
    return PictureLoad::kUndecodable;
  if (static_cast<unsigned long long>(storedWidth) * storedHeight > kMaxDeclaredPixels)
    return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(sys::WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), converted.put())))
    return PictureLoad::kUndecodable;
  const bool sideways = TurnsSideways(orientation);
  const int width = static_cast<int>(sideways ? storedHeight : storedWidth);
  const int height = static_cast<int>(sideways ? storedWidth : storedHeight);

  std::vector<PicturePlace> places;
  if (request.places) {
    places = request.places(width, height);
  } else {
    const int keptWidth = std::min(width, std::max(kKeptWidth, GetSystemMetrics(SM_CXVIRTUALSCREEN)));
    const int keptHeight = std::min(height, std::max(kKeptHeight, GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    places.push_back({{0, 0, width, height}, {0, 0, keptWidth, keptHeight}});
  }
  PreparedPicture prepared;
  prepared.width = width;
  prepared.height = height;
  prepared.stamp = stamp;
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (stopped()) return PictureLoad::kUndecodable;
    const PicturePlace& place = places[i];
    const ScreenRect& at = place.visible;
    if (at.right <= at.left || at.bottom <= at.top) continue;
    // A place of the same size and cut as one before shares its pixels.
    std::shared_ptr<Picture> pixels;
    for (std::size_t j = 0; j < i && !pixels; ++j) {
      const PicturePlace& other = places[j];
      const auto same = [](const ScreenRect& a, const ScreenRect& b, const ScreenRect& c, const ScreenRect& d) {
        return a.right - a.left == c.right - c.left && a.bottom - a.top == c.bottom - c.top &&
               b.left - a.left == d.left - c.left && b.top - a.top == d.top - c.top &&
               b.right - b.left == d.right - d.left && b.bottom - b.top == d.bottom - d.top;
      };
      if (same(place.target, place.visible, other.target, other.visible)) {
        for (const auto& piece : prepared.pieces)
          if (piece.at == other.visible) pixels = piece.pixels;
      }
    }
    if (!pixels) {
      auto piece = Piece(factory.get(), converted.get(), orientation, width, height, place, request.background,
                         prepared.transparent, cancelled);
      if (!piece) return PictureLoad::kUndecodable;
      pixels = std::make_shared<Picture>(std::move(*piece));
    }
    prepared.pieces.push_back({std::move(pixels), at});
  }
  picture = std::move(prepared);
  return PictureLoad::kOk;
}

PictureLoad LoadPicture(const std::wstring& path, Picture& picture, std::uint32_t background, bool* transparent) {
  picture.reset();
  EnsureComOnThisThread();
  PictureRequest request;
  request.path = path;
  request.background = background;
  PreparedPicture prepared;
  const PictureLoad result = PreparePictureFile(request, prepared);
  if (transparent) *transparent = prepared.transparent;
  if (result != PictureLoad::kOk) return result;
  if (prepared.pieces.empty()) return PictureLoad::kUndecodable;
  picture = std::move(*prepared.pieces.front().pixels);  // the only piece, held by nothing else
  return PictureLoad::kOk;
}

}  // namespace mirel
