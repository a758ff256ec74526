// The mouse-edge test and the timer interval rule. Portable.
#pragma once

#include <cstdint>

namespace mirel {

enum EdgeBit : std::int32_t { kEdgeTop = 1, kEdgeBottom = 2, kEdgeLeft = 4, kEdgeRight = 8 };

inline constexpr std::uint32_t kDefaultCheckInterval = 100;

// Edge bits of a pointer position against the primary screen's last column and row.
std::int32_t EdgeBits(std::int32_t x, std::int32_t y, std::int32_t screenRight, std::int32_t screenBottom);

// True when the pointer lies on an edge the flag watches (low four bits only).
bool EdgeTouched(std::int32_t edgeBits, std::int16_t checkMouseFlag);

// One tick of the watch: true when the cover is to come up. A watch that is not armed
// (just after a return) arms itself once the pointer is on no watched edge, so the click
// that returned, made with the pointer still on the edge, does not bring the cover back.
bool EdgeTick(bool& armed, std::int32_t edgeBits, std::int16_t checkMouseFlag);

// Stored interval, or the default when it lies outside 1..65535 ms.
std::uint32_t EffectiveCheckInterval(std::int32_t stored);

}  // namespace mirel
