// Pictures: BMP, PNG, JPEG and GIF decoded through the Windows Imaging Component into a
// 32-bit DIB section that paints with a plain BitBlt.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace mirel {

class Picture {
 public:
  Picture() = default;
  Picture(UniqueBitmap bitmap, int width, int height) : bitmap_(std::move(bitmap)), width_(width), height_(height) {}
  HBITMAP get() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !bitmap_; }
  void reset() { *this = Picture(); }

  // Copies the picture to (x, y) of the DC.
  void Draw(HDC dc, int x, int y) const;

 private:
  UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

enum class PictureLoad { kOk, kMissing, kUndecodable };

// Loads a picture file.
PictureLoad LoadPicture(const std::wstring& path, Picture& picture);

// Initialises COM (single-threaded apartment) on the calling thread once.
void EnsureComOnThisThread();

}  // namespace mirel
