// Colour values as stored: 0x00BBGGRR, or 0x80000000 plus a system colour index.
#pragma once

#include <windows.h>

#include <cstdint>

namespace mirel {

inline COLORREF ResolveColor(std::uint32_t stored) {
  if (stored & 0x80000000u) return GetSysColor(static_cast<int>(stored & 0xFFu));
  return static_cast<COLORREF>(stored & 0x00FFFFFFu);
}

}  // namespace mirel
