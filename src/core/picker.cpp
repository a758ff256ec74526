#include "core/picker.h"

#include <limits>

namespace mirel {

std::int16_t OrderedPick(std::int16_t& dummyIndex, std::int32_t upperBound) {
  if (dummyIndex < 0 || dummyIndex > upperBound) dummyIndex = 0;
  return dummyIndex;
}

std::int32_t RandomPick(std::int32_t upperBound, std::mt19937& rng) {
  if (upperBound <= 0) return 0;
  std::uniform_int_distribution<std::int32_t> pick(0, upperBound);
  return pick(rng);
}

std::int16_t AdvanceIndex(std::int16_t dummyIndex) {
  if (dummyIndex >= std::numeric_limits<std::int16_t>::max()) return 0;
  return static_cast<std::int16_t>(dummyIndex + 1);
}

}  // namespace mirel
