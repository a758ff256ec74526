#include "core/registry_value.h"

#include <cmath>
#include <limits>

namespace mirel {

std::string DecodeRegistryText(const std::vector<std::uint8_t>& data) {
  std::string text;
  for (const auto byte : data) {
    if (byte == 0) break;
    text.push_back(static_cast<char>(byte));
  }
  return text;
}

std::vector<std::uint8_t> EncodeRegistryText(const std::string& ansi) {
  std::vector<std::uint8_t> data(ansi.begin(), ansi.end());
  data.push_back(0);
  data.push_back(0);
  return data;
}

std::optional<std::int32_t> DecodeRegistryDword(const std::vector<std::uint8_t>& data) {
  if (data.size() > 4) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < data.size(); ++i) value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

std::vector<std::uint8_t> EncodeRegistryDword(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 24)};
}

std::int16_t ToInt16OrDefault(std::int32_t value, std::int16_t fallback) {
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    return fallback;
  return static_cast<std::int16_t>(value);
}

std::int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rounded);
}

}  // namespace mirel
