// What Mirel does to a picture's pixels itself, beyond the decoder: the orientation a camera
// recorded, and transparency laid over a window's background colour. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/screen_box.h"

namespace mirel {

// The orientation tag (1 to 8) of a JPEG's Exif block among the file's first bytes; 1 (as
// stored) when there is none or the block is damaged.
int JpegExifOrientation(const std::uint8_t* data, std::size_t size);

// Orientations 5 to 8 turn the picture by a quarter: its stored width is its height upright.
inline bool TurnsSideways(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

// The rectangle of the stored picture that holds what `upright` shows of the picture upright,
// `width` x `height` pixels upright.
ScreenRect StoredRect(const ScreenRect& upright, int width, int height, int orientation);

// Copies the pixels of `upright` (a rectangle of the upright picture, `width` x `height`
// pixels) from `stored`, the rows of StoredRect(upright, ...) as decoded, into `out`, whose
// rows are upright.right - upright.left pixels long.
void CopyUpright(const std::uint32_t* stored, const ScreenRect& upright, int width, int height, int orientation,
                 std::uint32_t* out);

// Lays pixels with premultiplied alpha (0xAARRGGBB) over the colour 0x00BBGGRR, leaving
// them opaque. True when any pixel was not opaque.
bool ComposeOver(std::uint32_t* pixels, std::size_t count, std::uint32_t background);

}  // namespace mirel
