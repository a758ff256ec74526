#include "forms/tray/edge_watch.h"

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

std::uint32_t EffectiveCheckInterval(std::int32_t stored) {
  if (stored < 1 || stored > 65535) return kDefaultCheckInterval;
  return static_cast<std::uint32_t>(stored);
}

}  // namespace mirel
