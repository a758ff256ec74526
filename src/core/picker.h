// Which dummy image comes next. Portable.
#pragma once

#include <cstdint>
#include <random>

namespace mirel {

// List order: wraps the counter to 0 when it lies past the upper bound (the list may
// have shrunk) and returns it; the caller advances the counter after the switch.
std::int16_t OrderedPick(std::int16_t& dummyIndex, std::int32_t upperBound);

// Uniform pick among all entries 0..upperBound.
std::int32_t RandomPick(std::int32_t upperBound, std::mt19937& rng);

// Counter after a switch in list order.
std::int16_t AdvanceIndex(std::int16_t dummyIndex);

// A double click returns only when asked for with 1; every other value means a single click.
inline bool ReturnsOnDoubleClick(std::int16_t returnType) {
  return returnType == 1;
}

}  // namespace mirel
