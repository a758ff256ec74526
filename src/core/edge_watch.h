// The mouse-edge test and the timer interval rule. Portable.
#pragma once

#include <cstdint>
#include <vector>

namespace mirel {

enum EdgeBit : std::int32_t { kEdgeTop = 1, kEdgeBottom = 2, kEdgeLeft = 4, kEdgeRight = 8 };

inline constexpr std::uint32_t kDefaultCheckInterval = 100;

// Edge bits of a pointer position against the primary screen's last column and row.
std::int32_t EdgeBits(std::int32_t x, std::int32_t y, std::int32_t screenRight, std::int32_t screenBottom);

// A monitor's rectangle in desktop coordinates: [left, right) x [top, bottom).
struct MonitorArea {
  std::int32_t left, top, right, bottom;
};

// Edge bits of a pointer position against the outer edges of the whole desktop: an edge
// of a monitor counts only where no other monitor continues beyond it, so the pointer
// crossing from one monitor to the next touches nothing. With one monitor this is EdgeBits.
std::int32_t OuterEdgeBits(std::int32_t x, std::int32_t y, const std::vector<MonitorArea>& monitors);

// The dwell rule: the cover comes up once the pointer has stayed on a watched edge for
// `dwellMs` milliseconds without leaving it (0: at the first touch). `since` keeps the time
// the present stay began, or -1.
bool DwellReached(std::int64_t& since, bool touching, std::int64_t nowMs, std::uint32_t dwellMs);

// A hot key as the system's hot-key control gives it (virtual key in the low byte, its
// HOTKEYF_ modifiers in the next) in RegisterHotKey's terms: MOD_ modifiers and the key.
struct HotKey {
  std::uint32_t modifiers;
  std::uint32_t key;
};
HotKey HotKeyFromControl(std::uint32_t controlValue);

// True when the pointer lies on an edge the flag watches (low four bits only).
bool EdgeTouched(std::int32_t edgeBits, std::int16_t checkMouseFlag);

// One tick of the watch: true when the cover is to come up. A watch that is not armed
// (just after a return) arms itself once the pointer is on no watched edge, so the click
// that returned, made with the pointer still on the edge, does not bring the cover back.
bool EdgeTick(bool& armed, std::int32_t edgeBits, std::int16_t checkMouseFlag);

// Stored dwell time: 0 to 10000 ms; anything else is 0 (no dwell).
std::uint32_t EffectiveDwellTime(std::int32_t stored);

// Stored interval, or the default when it lies outside 1..65535 ms.
std::uint32_t EffectiveCheckInterval(std::int32_t stored);

}  // namespace mirel
