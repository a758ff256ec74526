// Pictures: BMP, PNG, JPEG and GIF decoded through the Windows Imaging Component into
// 32-bit DIB sections that paint with a plain BitBlt: upright as the camera held it, with
// any transparency laid over the background colour of the window that shows them, and
// scaled to the places they are shown at.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/bmp_file.h"
#include "core/screen_box.h"
#include "platform/handles.h"

namespace mirel {

class Picture {
 public:
  Picture() = default;
  // `bits`: the DIB section's 32-bit pixels, rows top-down.
  Picture(UniqueBitmap bitmap, int width, int height, void* bits)
      : bitmap_(std::move(bitmap)), bits_(static_cast<std::uint8_t*>(bits)), width_(width), height_(height) {}
  HBITMAP get() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !bitmap_; }
  void* bits() const { return bits_; }
  void reset() { *this = Picture(); }

  // Copies the picture to (x, y) of the DC.
  void Draw(HDC dc, int x, int y) const;

  // The pixels, for writing them out.
  std::optional<PixelRows> Rows() const;

 private:
  UniqueBitmap bitmap_;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// kUnchanged: the file is still the one a request named by its stamp, and nothing was decoded.
enum class PictureLoad { kOk, kMissing, kUndecodable, kUnchanged };

// A file's size and last write, to tell whether it is still the one decoded.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t written = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::wstring& path);

// Where a picture is shown: the whole picture at the size and place of `target`, of which
// `visible` (inside it) is seen. Coordinates are the caller's (the screen's, for the cover).
struct PicturePlace {
  ScreenRect target;
  ScreenRect visible;
};

// A picture ready to draw: a piece for each place it is seen at. Places of the same size
// and cut share their pixels.
struct PreparedPicture {
  struct Piece {
    std::shared_ptr<Picture> pixels;
    ScreenRect at;  // where it is drawn
  };
  int width = 0;  // the picture's natural size, upright
  int height = 0;
  bool transparent = false;  // laid over the background colour: another colour needs it again
  FileStamp stamp;           // of the file as it was decoded
  std::vector<Piece> pieces;
  bool empty() const { return pieces.empty(); }
  // Draws each piece with `origin` at the DC's (0, 0) and leaves the pieces out of the DC's
  // clipping region, so that only what they leave free is filled afterwards.
  void DrawAndExclude(HDC dc, int originX, int originY) const;
  std::size_t bytes() const;  // the pixels held
};

struct PictureRequest {
  std::wstring path;
  std::uint32_t background = 0xFFFFFF;  // 0x00BBGGRR, under any transparency
  // The places for a picture of the given natural size (upright); none given: the natural
  // size at (0, 0), as much of it as a screen can show.
  std::function<std::vector<PicturePlace>(int width, int height)> places;
  // Decode only when the file is no longer the one of this stamp (kUnchanged otherwise).
  std::optional<FileStamp> unlessStamp;
};

// Decodes and prepares a picture file. `cancelled`, when given, is asked between the steps
// and every few rows: once it is set the work stops and the result is of no use.
PictureLoad PreparePictureFile(const PictureRequest& request, PreparedPicture& picture,
                               const std::atomic<bool>* cancelled = nullptr);

// Loads a picture file at its natural size (as much as a screen can show), any
// transparency laid over `background` (0x00BBGGRR); `transparent` tells whether it had any.
PictureLoad LoadPicture(const std::wstring& path, Picture& picture, std::uint32_t background = 0xFFFFFF,
                        bool* transparent = nullptr);

// Writes the picture as a 24-bit BMP file, through a temporary file beside it: a failed
// write leaves any earlier file of that name as it was.
bool SaveBitmapFile(const Picture& picture, const std::wstring& path);

// Initialises COM on the calling thread once: a single-threaded apartment, or a
// multithreaded one for a worker without windows.
void EnsureComOnThisThread(bool multithreaded = false);

}  // namespace mirel
