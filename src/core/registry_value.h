// Decoding and encoding of the bytes kept in the settings key. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirel {

// Text of a stored value: its bytes up to the first zero byte (all of them when there is none).
std::string DecodeRegistryText(const std::vector<std::uint8_t>& data);

// Bytes stored for a text: the ANSI text, its own zero and one more zero.
std::vector<std::uint8_t> EncodeRegistryText(const std::string& ansi);

// A stored value read as a 32-bit number: up to 4 bytes little-endian, missing high
// bytes zero. Data longer than 4 bytes is no number (the caller's default applies).
std::optional<std::int32_t> DecodeRegistryDword(const std::vector<std::uint8_t>& data);

std::vector<std::uint8_t> EncodeRegistryDword(std::int32_t value);

// A stored 32-bit number taken as a 16-bit one; outside that range the default holds.
std::int16_t ToInt16OrDefault(std::int32_t value, std::int16_t fallback);

// Rounds to the nearest whole number, halves to the even neighbour, clamped to 32 bits.
std::int32_t RoundHalfEven(double value);

}  // namespace mirel
