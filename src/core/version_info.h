// The program's version information as the exe's VERSIONINFO resource holds it: the file
// version's numbers and the string table's texts. Portable: reads the resource's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace mirel {

struct VersionInfo {
  int major = 0;  // of the file version
  int minor = 0;
  std::u16string productName;
  std::u16string copyright;
};

// Nothing when the bytes are not a version resource; texts that are absent stay empty.
std::optional<VersionInfo> ParseVersionResource(const std::uint8_t* data, std::size_t size);

// "Mirel ver 0.97": the title, " ver ", the two numbers in plain decimal.
std::u16string VersionText(const VersionInfo& info);

}  // namespace mirel
