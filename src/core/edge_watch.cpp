#include "core/edge_watch.h"

#include <algorithm>

namespace mirel {

std::int32_t EdgeBits(std::int32_t x, std::int32_t y, std::int32_t screenRight, std::int32_t screenBottom) {
  std::int32_t bits = 0;
  if (x == screenRight) bits |= kEdgeRight;
  if (y == screenBottom) bits |= kEdgeBottom;
  if (x == 0) bits |= kEdgeLeft;
  if (y == 0) bits |= kEdgeTop;
  return bits;
}

bool EdgeTouched(std::int32_t edgeBits, std::int16_t checkMouseFlag) {
  return (edgeBits & checkMouseFlag & 0x0F) != 0;
}

std::int32_t OuterEdgeBitsWithin(std::int32_t x, std::int32_t y, const std::vector<MonitorArea>& monitors,
                                 std::int32_t margin) {
  const auto covered = [&](std::int32_t px, std::int32_t py) {
    for (const auto& m : monitors)
      if (px >= m.left && px < m.right && py >= m.top && py < m.bottom) return true;
    return false;
  };
  if (!covered(x, y)) return 0;
  std::int32_t bits = 0;
  for (std::int32_t step = 1; step <= margin + 1; ++step) {
    if (!covered(x, y - step)) bits |= kEdgeTop;
    if (!covered(x, y + step)) bits |= kEdgeBottom;
    if (!covered(x - step, y)) bits |= kEdgeLeft;
    if (!covered(x + step, y)) bits |= kEdgeRight;
  }
  return bits;
}

std::int32_t OuterEdgeBits(std::int32_t x, std::int32_t y, const std::vector<MonitorArea>& monitors) {
  return OuterEdgeBitsWithin(x, y, monitors, 0);
}

bool EdgeTouch::Look(const PointerLook& look, const std::vector<MonitorArea>& monitors, const TouchRules& rules) {
  const std::int32_t watched = rules.checkMouseFlag & 0x0F;
  const std::int32_t on = OuterEdgeBits(look.x, look.y, monitors) & watched;
  const std::int32_t near = OuterEdgeBitsWithin(look.x, look.y, monitors, kEdgeLeaveMargin) & watched;
  constexpr std::int32_t kAcross = kEdgeTop | kEdgeBottom;
  constexpr std::int32_t kAlong = kEdgeLeft | kEdgeRight;
  touching_ = rules.cornersOnly ? on != 0 && (near & kAcross) != 0 && (near & kAlong) != 0 : on != 0;
  if (!near) {
    armed_ = true;
    return false;
  }
  if (!touching_ || !armed_) return false;
  if (rules.ignoreWhileButtonHeld && look.buttonHeld) {
    // A drag, a window being moved, a selection: not now, and not when the button goes up
    // there either.
    armed_ = false;
    touching_ = false;
    return false;
  }
  return true;
}

IdleCheck IdleWatch::Check(std::uint32_t nowMs, std::uint32_t lastInputMs, std::uint32_t minutes) {
  constexpr std::uint32_t kLookAtLeast = 60'000;  // the setting or the clock may change meanwhile
  if (minutes == 0) return {false, kLookAtLeast};
  const std::uint32_t wanted = minutes * 60'000u;
  const std::uint32_t idle = nowMs - lastInputMs;  // modulo 2^32: a wrapped clock still subtracts
  if (idle < wanted) return {false, std::min(wanted - idle, kLookAtLeast)};
  const bool due = !covered_ || coveredFor_ != lastInputMs;
  covered_ = true;
  coveredFor_ = lastInputMs;
  return {due, kLookAtLeast};
}

std::uint32_t EffectiveIdleMinutes(std::int32_t stored) {
  return stored < 0 || stored > 1440 ? 0 : static_cast<std::uint32_t>(stored);
}

bool DwellReached(std::int64_t& since, bool touching, std::int64_t nowMs, std::uint32_t dwellMs) {
  if (!touching) {
    since = -1;
    return false;
  }
  if (since < 0) since = nowMs;
  return nowMs - since >= static_cast<std::int64_t>(dwellMs);
}

HotKey HotKeyFromControl(std::uint32_t controlValue) {
  // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4; MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
  const std::uint32_t flags = (controlValue >> 8) & 0xFF;
  std::uint32_t modifiers = 0;
  if (flags & 1) modifiers |= 4;
  if (flags & 2) modifiers |= 2;
  if (flags & 4) modifiers |= 1;
  return {modifiers, controlValue & 0xFF};
}

std::uint32_t EffectiveDwellTime(std::int32_t stored) {
  return stored < 0 || stored > 10000 ? 0 : static_cast<std::uint32_t>(stored);
}

std::uint32_t EffectiveCheckInterval(std::int32_t stored) {
  if (stored < 1 || stored > 65535) return kDefaultCheckInterval;
  return static_cast<std::uint32_t>(stored);
}

}  // namespace mirel
