// The exe's version resource as bytes: a damaged one must never be read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size: any read past it is a sanitizer report.
  const std::vector<std::uint8_t> bytes(data, data + size);
  if (const auto info = mirel::ParseVersionResource(bytes.data(), bytes.size())) {
    const std::u16string text = mirel::VersionText(*info);
    // The title, " ver " and two numbers of at most 11 characters each.
    if (text.size() > 5 + info->productName.size() + 5 + 11 + 1 + 11) std::abort();
    if (info->major < 0 || info->major > 65535 || info->minor < 0 || info->minor > 65535) std::abort();
  }
  return 0;
}
