// The settings key's values as another program may have left them: any type, any size,
// no terminator. Each decoder takes every byte string.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/registry_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  // Text: up to the first zero byte; stored again it reads back the same.
  const std::string text = mirel::DecodeRegistryText(bytes);
  if (text.size() > size || text.find('\0') != std::string::npos) std::abort();
  if (mirel::DecodeRegistryText(mirel::EncodeRegistryText(text)) != text) std::abort();
  // Number: up to four bytes; stored again it reads back the same.
  const auto number = mirel::DecodeRegistryDword(bytes);
  if (number.has_value() != (size <= 4)) std::abort();
  if (number && mirel::DecodeRegistryDword(mirel::EncodeRegistryDword(*number)) != number) std::abort();
  const std::int16_t small = mirel::ToInt16OrDefault(number.value_or(0), 15);
  if (number && *number >= -32768 && *number <= 32767 && small != *number) std::abort();
  // Twips from pixels: any double, NaN and infinities included, rounds into 32 bits.
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::int32_t rounded = mirel::RoundHalfEven(value);
    if (std::isfinite(value) && std::fabs(value) < 1e9 && std::fabs(rounded - value) > 0.5) std::abort();
  }
  return 0;
}
