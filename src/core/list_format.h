// MIREL.DAT: one path per line, CR LF after every line; in the ANSI code page, or in UTF-8
// behind a byte-order mark once it holds a path that the code page cannot.
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

// The list's two encodings. A file without a byte-order mark is in the ANSI code page, as
// every Mirel wrote it before; one with the UTF-8 mark is UTF-8.
enum class ListEncoding { kAnsi, kUtf8 };
inline constexpr std::string_view kUtf8Bom{"\xEF\xBB\xBF", 3};
ListEncoding ListEncodingOf(std::string_view bytes);

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Splits file content into lines. CR LF, a lone CR and a lone LF each end a line;
// a last line without terminator still counts; empty lines are kept (as "").
std::vector<std::string> SplitListLines(std::string_view bytes);

// Every line followed by CR LF, the last one included.
std::string JoinListLines(const std::vector<std::string>& lines);

// The root of the drive or share a list entry lies on, as the file functions name it:
// "D:\" for "D:\pictures\a.bmp", "\\server\share\" for a path on a share (the
// extended-length forms too). Empty for a relative path, which lies on the current drive.
std::wstring VolumeRoot(const std::wstring& path);

// Whether two volume roots, mount points or folders name the same place: ASCII letters
// compared without regard to case (a drive letter, \\?\UNC\, a server's name), a
// trailing separator ignored.
bool SameVolume(const std::wstring& a, const std::wstring& b);

// What sorting a list's paths asks of the file system. A volume that does not answer (a
// USB stick pulled, a server offline) can take seconds to say so, on every question: it is
// asked once per sorting, and nothing more is asked of a path on it.
class ListFileSystem {
 public:
  virtual ~ListFileSystem() = default;
  // Whether the drive, share or mounted volume with this root is there now.
  virtual bool Answers(const std::wstring& root) = 0;
  // The mount point of the volume a folder lies on ("C:\Mount\Stick\" for a volume
  // mounted in a folder), or "" when the system cannot tell. Asked once a folder, and only
  // of a folder whose drive answered.
  virtual std::wstring MountPointOf(const std::wstring& folder) = 0;
  // Whether the path names a picture file the list can use.
  virtual bool Usable(const std::wstring& path) = 0;
};

// Paths of a list, sorted by what the file system says of them now; each holds indexes
// into the paths, in their order. A path neither usable nor offline names a file that was
// deleted: the next rewrite drops it. Empty paths are in neither.
struct SortedPaths {
  std::vector<std::size_t> usable;
  std::vector<std::size_t> offline;  // on a volume that does not answer: kept for its return
};
SortedPaths SortListPaths(const std::vector<std::wstring>& paths, ListFileSystem& files);

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
