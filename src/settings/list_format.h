// MIREL.DAT: one path per line in the ANSI code page, CR LF after every line.
// Portable: works on the raw bytes, so code page 932 text passes through unchanged.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mirel {

// The dummy image list never holds more entries than a 16-bit count can address.
inline constexpr std::size_t kMaxDummyEntries = 32767;
// Whether a list of `count` entries can take one more: the one rule for reading the file,
// rewriting it and appending to it.
inline bool DummyListHasRoom(std::size_t count) {
  return count < kMaxDummyEntries;
}

// Splits file content into lines. CR LF, a lone CR and a lone LF each end a line;
// a last line without terminator still counts; empty lines are kept (as "").
std::vector<std::string> SplitListLines(std::string_view bytes);

// Every line followed by CR LF, the last one included.
std::string JoinListLines(const std::vector<std::string>& lines);

// The root of the drive or share a list entry lies on, as the file functions name it:
// "D:\" for "D:\pictures\a.bmp", "\\server\share\" for a path on a share (the
// extended-length forms too). Empty for a relative path, which lies on the current drive.
std::wstring VolumeRoot(const std::wstring& path);

// The working copy built from lines: the usable ones in order, at most
// kMaxDummyEntries of them; with none, exactly two empty strings (the empty form).
template <typename Text>
std::vector<Text> BuildDummyList(const std::vector<Text>& lines, const std::function<bool(const Text&)>& usable) {
  std::vector<Text> list;
  for (const auto& line : lines) {
    if (!DummyListHasRoom(list.size())) break;
    if (!line.empty() && usable(line)) list.push_back(line);
  }
  if (list.empty()) list.assign(2, Text());
  return list;
}

}  // namespace mirel
