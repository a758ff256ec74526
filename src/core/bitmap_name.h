// Which dropped names count as bitmaps: the last four characters, lower-cased, are ".bmp". Portable.
#pragma once

#include <string>

namespace mirel {

bool HasBitmapExtension(const std::wstring& path);

// The open / save dialogs' filter: one entry, "ビットマップ(*.bmp)" for "*.bmp".
std::wstring BitmapFilter();

}  // namespace mirel
