#include "core/edge_watch.h"

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

bool EdgeTick(bool& armed, std::int32_t edgeBits, std::int16_t checkMouseFlag) {
  if (!EdgeTouched(edgeBits, checkMouseFlag)) {
    armed = true;
    return false;
  }
  return armed;
}

std::int32_t OuterEdgeBits(std::int32_t x, std::int32_t y, const std::vector<MonitorArea>& monitors) {
  const auto covered = [&](std::int32_t px, std::int32_t py) {
    for (const auto& m : monitors)
      if (px >= m.left && px < m.right && py >= m.top && py < m.bottom) return true;
    return false;
  };
  if (!covered(x, y)) return 0;
  std::int32_t bits = 0;
  if (!covered(x, y - 1)) bits |= kEdgeTop;
  if (!covered(x, y + 1)) bits |= kEdgeBottom;
  if (!covered(x - 1, y)) bits |= kEdgeLeft;
  if (!covered(x + 1, y)) bits |= kEdgeRight;
  return bits;
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
