// Files as the program sees them: existence, length, whole-file reads and safe replacement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mirel {

// The form of a path that the file functions take whatever its length. Paths that reach
// MAX_PATH get the extended-length prefix (\\?\, or \\?\UNC\ for a share) after being
// made full, as the prefix requires (no "." or "..", backslashes only); others are kept.
std::wstring LongPath(const std::wstring& path);

// A directory search with normal attributes: folders and hidden or system files do not count.
bool FileExistsNormal(const std::wstring& path);

bool IsDirectory(const std::wstring& path);

// Something of this name exists, whatever its attributes (a hidden file, a folder), or
// whether it does cannot be told: the name must not be written.
bool NameTaken(const std::wstring& path);

// Length in bytes, or nothing when the file cannot be examined.
std::optional<std::uint64_t> FileLength(const std::wstring& path);

// The executable's folder: no trailing separator except at a drive root.
std::wstring ExeFolder();

// The process's current folder (where the open dialog starts).
std::wstring CurrentFolder();

// Joins a folder and a file name the way the program names its files beside the exe.
inline std::wstring BesideExe(const std::wstring& folder, const wchar_t* name) {
  return folder + L"\\" + name;
}

enum class ReadResult { kOk, kMissing, kFailed, kTooLarge };

// Reads the whole file. kMissing when it does not exist, kFailed when it exists but
// cannot be read (locked, no access). kTooLarge when it holds more than `limit` bytes:
// `bytes` then holds the first `limit` of them.
ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes,
                         std::size_t limit = static_cast<std::size_t>(-1));

// Writes the bytes to a temporary file beside the target and only then replaces the
// target with it. On failure the target is left as it was and false is returned.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);

}  // namespace mirel
