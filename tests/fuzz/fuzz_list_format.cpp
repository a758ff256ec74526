// MIREL.DAT's bytes as anything on disk may hold them: split into lines, joined back,
// built into the working list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/list_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = mirel::SplitListLines(bytes);
  std::size_t kept = 0;
  for (const auto& line : lines) {
    // No line holds a line end, and together they hold no more than the input.
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    kept += line.size();
  }
  if (kept > size) std::abort();
  // Writing the lines and reading them back gives the same lines.
  if (mirel::SplitListLines(mirel::JoinListLines(lines)) != lines) std::abort();
  // The working list: bounded, never empty, every entry a non-empty line.
  const auto list =
      mirel::BuildDummyList<std::string>(lines, [](const std::string& line) { return line.size() % 2 == 1; });
  if (list.empty() || list.size() > mirel::kMaxDummyEntries) std::abort();
  return 0;
}
