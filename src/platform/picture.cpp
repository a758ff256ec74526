#include "platform/picture.h"

#include <wincodec.h>

#include <limits>

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
  thread_local const HRESULT initialised = sys::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)initialised;
}

PictureLoad LoadPicture(const std::wstring& path, Picture& picture) {
  picture.reset();
  EnsureComOnThisThread();
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES || IsDirectory(path)) return PictureLoad::kMissing;

  ComPtr<IWICImagingFactory> factory;
  if (FAILED(sys::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.put()))))
    return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.put())))
    return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) return PictureLoad::kUndecodable;
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(sys::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.get(), converted.put())))
    return PictureLoad::kUndecodable;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) return PictureLoad::kUndecodable;
  if (width > 32768 || height > 32768 || static_cast<unsigned long long>(width) * height * 4 >
                                             static_cast<unsigned long long>(std::numeric_limits<int>::max()))
    return PictureLoad::kUndecodable;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, like WIC's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return PictureLoad::kUndecodable;
  const UINT stride = width * 4;
  if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
    return PictureLoad::kUndecodable;
  GdiFlush();
  picture = Picture(std::move(bitmap), static_cast<int>(width), static_cast<int>(height), bits);
  return PictureLoad::kOk;
}

}  // namespace mirel
