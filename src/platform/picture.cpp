#include "platform/picture.h"

#include <wincodec.h>

#include <algorithm>
#include <limits>
#include <memory>

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

void EnsureComOnThisThread() {
  // COM comes up with the first picture or dialog, not at start-up: the main window
  // shows sooner. It stays up until the thread ends.
  thread_local const HRESULT initialised =
      sys::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)initialised;
}

namespace {

// A picture whose file declares more pixels than this is refused before anything is
// decoded: the largest camera pictures have about 100 million, and a decoder may hold the
// whole picture while it works (400 MB at 4 bytes a pixel), which even the i686 build can
// afford once. A small file that declares more is a decompression bomb.
constexpr unsigned long long kMaxDeclaredPixels = 100'000'000ULL;
// What is kept of a picture: pictures are drawn at their natural size from the top-left
// corner, so nothing beyond the largest screen (an 8K monitor, or the whole desktop where
// that is larger) is ever seen. At most 133 MB a picture, and the three Mirel holds at a
// time (main window, cover, the next cover) stay within the i686 build's address space.
constexpr UINT kKeptWidth = 7680;
constexpr UINT kKeptHeight = 4320;

}  // namespace

PictureLoad LoadPicture(const std::wstring& path, Picture& picture) {
  picture.reset();
  EnsureComOnThisThread();
  if (path.empty() || IsDirectory(path)) return PictureLoad::kMissing;
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
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return PictureLoad::kUndecodable;
  if (static_cast<unsigned long long>(width) * height > kMaxDeclaredPixels) return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(sys::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.get(), converted.put())))
    return PictureLoad::kUndecodable;
  // Only the part that can ever be seen is kept.
  const UINT keptWidth = std::min(width, std::max<UINT>(kKeptWidth, GetSystemMetrics(SM_CXVIRTUALSCREEN)));
  const UINT keptHeight = std::min(height, std::max<UINT>(kKeptHeight, GetSystemMetrics(SM_CYVIRTUALSCREEN)));

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(keptWidth);
  info.bmiHeader.biHeight = -static_cast<LONG>(keptHeight);  // top-down, like WIC's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return PictureLoad::kUndecodable;
  const UINT stride = keptWidth * 4;
  const WICRect kept{0, 0, static_cast<INT>(keptWidth), static_cast<INT>(keptHeight)};
  if (FAILED(converted->CopyPixels(&kept, stride, stride * keptHeight, static_cast<BYTE*>(bits))))
    return PictureLoad::kUndecodable;
  GdiFlush();
  picture = Picture(std::move(bitmap), static_cast<int>(keptWidth), static_cast<int>(keptHeight), bits);
  return PictureLoad::kOk;
}

}  // namespace mirel
