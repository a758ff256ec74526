// Pictures: BMP, PNG, JPEG and GIF decoded through the Windows Imaging Component into a
// 32-bit DIB section that paints with a plain BitBlt.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/bmp_file.h"
#include "platform/handles.h"

namespace mirel {

class Picture {
 public:
  Picture() = default;
  // `bits`: the DIB section's 32-bit pixels, rows top-down.
  Picture(UniqueBitmap bitmap, int width, int height, const void* bits)
      : bitmap_(std::move(bitmap)), bits_(static_cast<const std::uint8_t*>(bits)), width_(width), height_(height) {}
  HBITMAP get() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !bitmap_; }
  void reset() { *this = Picture(); }

  // Copies the picture to (x, y) of the DC.
  void Draw(HDC dc, int x, int y) const;

  // The pixels, for writing them out.
  std::optional<PixelRows> Rows() const;

 private:
  UniqueBitmap bitmap_;
  const std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

enum class PictureLoad { kOk, kMissing, kUndecodable };

// Loads a picture file.
PictureLoad LoadPicture(const std::wstring& path, Picture& picture);

// Writes the picture as a 24-bit BMP file, through a temporary file beside it: a failed
// write leaves any earlier file of that name as it was.
bool SaveBitmapFile(const Picture& picture, const std::wstring& path);

// Initialises COM (single-threaded apartment) on the calling thread once.
void EnsureComOnThisThread();

}  // namespace mirel
