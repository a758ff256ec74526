// Colour values as stored: 0x00BBGGRR, or 0x80000000 plus a system colour index.
#pragma once

#include <windows.h>

#include <cstdint>

namespace mirel {

// A system colour follows the user's Windows colours: resolve it again when they change.
inline bool IsSystemColor(std::uint32_t stored) {
  return (stored & 0x80000000u) != 0;
}

inline COLORREF ResolveColor(std::uint32_t stored) {
  if (IsSystemColor(stored)) return GetSysColor(static_cast<int>(stored & 0xFFu));
  return static_cast<COLORREF>(stored & 0x00FFFFFFu);
}

}  // namespace mirel
