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

// A file of that name is there, whatever its attributes (a folder does not count).
bool FileExists(const std::wstring& path);

// Whether both names lead to one file: the volume and the file's number compared, so that
// short (8.3) names, the \\?\ form, letter case and hard links all count as the same.
// Names that cannot be opened are compared as full paths, without regard to case.
bool SameFile(const std::wstring& a, const std::wstring& b);

// Something of this name exists, whatever its attributes (a hidden file, a folder), or
// whether it does cannot be told: the name must not be written.
bool NameTaken(const std::wstring& path);

// Whether the drive or share with this root ("D:\", "\\server\share\") is there now: a
// drive letter with nothing behind it, a card reader without its card or a share whose
// server is offline does not answer.
bool VolumeAnswers(const std::wstring& root);

// The mount point of the volume a folder lies on: "C:\" mostly, "C:\Mount\Stick\" for
// a volume mounted in a folder; empty when the system cannot tell.
std::wstring VolumeMountPoint(const std::wstring& folder);

// Length in bytes, or nothing when the file cannot be examined.
std::optional<std::uint64_t> FileLength(const std::wstring& path);

// The executable's full path; empty when the system cannot say.
std::wstring ExePath();

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
// `bytes` then holds the first `limit` of them. A file another program holds for a moment
// (a backup or a virus scanner: a sharing or lock violation) is tried again for up to
// `waitMilliseconds` before the read counts as failed.
ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, std::size_t limit = static_cast<std::size_t>(-1),
                         unsigned waitMilliseconds = 0);

// How long a read waits out a short lock by another program.
inline constexpr unsigned kShortLockMilliseconds = 1000;

// Writes the bytes to a temporary file beside the target and only then replaces the
// target with it. The temporary file has a name of its own that nothing else can hold
// (created new, never opened over an existing file) and is removed whatever fails. On
// failure the target is left as it was and false is returned. The file keeps its hidden,
// system and archive attributes; a file with more than one name (a hard link) is written in
// place so that every name sees the new content, its old content written back on failure.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);

}  // namespace mirel
