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

// Edge bits of the outer edges that lie within `margin` pixels of the pointer (0: the ones
// it touches, as OuterEdgeBits).
std::int32_t OuterEdgeBitsWithin(std::int32_t x, std::int32_t y, const std::vector<MonitorArea>& monitors,
                                 std::int32_t margin);

// How the pointer's touch of an edge is taken.
struct TouchRules {
  std::int16_t checkMouseFlag = 15;
  bool ignoreWhileButtonHeld = true;  // no cover while a mouse button is down (a drag)
  bool cornersOnly = false;           // only where two watched edges meet
};

// What one look at the pointer found.
struct PointerLook {
  std::int32_t x = 0, y = 0;
  bool buttonHeld = false;
};

// The pointer has left an edge once it is this far from every watched one; a corner is
// the pointer on one watched edge within this distance of another that meets it.
inline constexpr std::int32_t kEdgeLeaveMargin = 4;

// The touch rule, once per touch: the cover comes up when the pointer reaches a watched
// edge (or corner) after it had left every one by kEdgeLeaveMargin pixels. A touch that
// does not bring up the cover (a button held, the pause, a return made there) waits for
// the pointer to leave and come back, so that nothing fires while the pointer rests.
class EdgeTouch {
 public:
  // True when this look is a touch that brings up the cover (a dwell, if any, apart).
  bool Look(const PointerLook& look, const std::vector<MonitorArea>& monitors, const TouchRules& rules);
  // True while the pointer stays on the edge it touched: what a dwell waits on.
  bool touching() const { return touching_; }
  // The present touch brings up nothing: the pointer must leave first.
  void Disarm() { armed_ = false; }
  bool armed() const { return armed_; }

 private:
  bool armed_ = true;
  bool touching_ = false;
};

// The idle cover: due when nothing has been typed or moved for `minutes` (1 to 1440; 0 is
// off), once for each stretch of idleness. The times are on one clock that may wrap at 32
// bits (GetLastInputInfo and GetTickCount).
struct IdleCheck {
  bool due;
  std::uint32_t nextCheckMs;  // when to look again: the soonest moment it can become due
};
class IdleWatch {
 public:
  IdleCheck Check(std::uint32_t nowMs, std::uint32_t lastInputMs, std::uint32_t minutes);

 private:
  bool covered_ = false;          // a stretch of idleness already had its cover:
  std::uint32_t coveredFor_ = 0;  // the one after this input
};

// Stored idle minutes: 0 to 1440; anything else is 0 (off).
std::uint32_t EffectiveIdleMinutes(std::int32_t stored);

// Stored dwell time: 0 to 10000 ms; anything else is 0 (no dwell).
std::uint32_t EffectiveDwellTime(std::int32_t stored);

// Stored interval, or the default when it lies outside 1..65535 ms.
std::uint32_t EffectiveCheckInterval(std::int32_t stored);

}  // namespace mirel
