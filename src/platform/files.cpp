#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/handles.h"

namespace mirel {

std::wstring LongPath(const std::wstring& path) {
  // 12 characters below the limit, as the old 8.3-aware functions count it.
  if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  return path;
}

bool FileExistsNormal(const std::wstring& path) {
  // Wildcards never name one file.
  if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos) return false;
  // The attributes a directory search would report, read directly: a search costs a
  // directory scan per name, which a list of a thousand pictures pays a thousand times.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
  constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return (data.dwFileAttributes & kNotNormal) == 0;
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> FileIdentity(const std::wstring& path) {
  auto file =
      AdoptFileHandle(CreateFileW(LongPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
  return information;
}

std::wstring FullLongPath(const std::wstring& path) {
  std::wstring full = LongPath(path);
  const DWORD needed = GetFullPathNameW(full.c_str(), 0, nullptr, nullptr);
  if (needed) {
    std::wstring buffer(needed, L'\0');
    const DWORD length = GetFullPathNameW(full.c_str(), needed, buffer.data(), nullptr);
    if (length && length < needed) full.assign(buffer.data(), length);
  }
  if (full.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + full.substr(8);
  if (full.rfind(L"\\\\?\\", 0) == 0) return full.substr(4);
  return full;
}

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
  const auto x = FileIdentity(a);
  const auto y = FileIdentity(b);
  if (x && y)
    return x->dwVolumeSerialNumber == y->dwVolumeSerialNumber && x->nFileIndexHigh == y->nFileIndexHigh &&
           x->nFileIndexLow == y->nFileIndexLow;
  const std::wstring p = FullLongPath(a), q = FullLongPath(b);
  return CompareStringOrdinal(p.c_str(), static_cast<int>(p.size()), q.c_str(), static_cast<int>(q.size()), TRUE) ==
         CSTR_EQUAL;
}

bool NameTaken(const std::wstring& path) {
  if (GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

namespace {

// "D:\", "\\?\D:\" or a share's root, as against a volume mounted in a folder.
bool IsDriveOrShareRoot(const std::wstring& root) {
  std::wstring_view rest(root);
  if (rest.rfind(L"\\\\?\\", 0) == 0) rest.remove_prefix(4);
  if (rest.size() == 3 && rest[1] == L':') return true;
  return rest.rfind(L"\\\\", 0) == 0 || rest.rfind(L"UNC\\", 0) == 0 || rest.rfind(L"unc\\", 0) == 0;
}

// No "insert a disk" box for an empty drive while it lives: the answer is just no. For
// this thread alone, since lists are also read away from the windows.
class NoDiskBoxes {
 public:
  NoDiskBoxes() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
  ~NoDiskBoxes() { SetThreadErrorMode(old_, nullptr); }
  NoDiskBoxes(const NoDiskBoxes&) = delete;
  NoDiskBoxes& operator=(const NoDiskBoxes&) = delete;

 private:
  DWORD old_ = 0;
};

}  // namespace

bool VolumeAnswers(const std::wstring& root) {
  const NoDiskBoxes quiet;
  if (GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  // A volume mounted in a folder leaves the folder behind when it goes: the volume itself
  // must answer.
  return IsDriveOrShareRoot(root) ||
         GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != 0;
}

std::wstring VolumeMountPoint(const std::wstring& folder) {
  const NoDiskBoxes quiet;
  const std::wstring path = LongPath(folder);
  std::wstring mount(std::max<std::size_t>(path.size() + 2, MAX_PATH), L'\0');
  if (!GetVolumePathNameW(path.c_str(), mount.data(), static_cast<DWORD>(mount.size()))) return {};
  mount.resize(std::wcslen(mount.c_str()));
  return mount;
}

std::optional<std::uint64_t> FileLength(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring ExePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ExeFolder() {
  const std::wstring path = ExePath();
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  // "C:\Mirel.exe" keeps its separator: "C:\".
  if (slash == 2 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, slash);
}

namespace {

bool IsShortLock(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// One attempt; `error` says why a failed one failed.
ReadResult ReadOnce(const std::wstring& path, std::string& bytes, std::size_t limit, DWORD& error) {
  bytes.clear();
  error = ERROR_SUCCESS;
  auto file = AdoptFileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = GetLastError();
    return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? ReadResult::kMissing
                                                                            : ReadResult::kFailed;
  }
  char chunk[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
      error = GetLastError();  // a range another program has locked
      return ReadResult::kFailed;
    }
    if (got == 0) return ReadResult::kOk;
    if (got > limit - bytes.size()) {
      bytes.append(chunk, limit - bytes.size());
      return ReadResult::kTooLarge;
    }
    bytes.append(chunk, got);
  }
}

}  // namespace

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, std::size_t limit, unsigned waitMilliseconds) {
  constexpr unsigned kPause = 100;
  const ULONGLONG until = GetTickCount64() + waitMilliseconds;
  for (;;) {
    DWORD error = ERROR_SUCCESS;
    const ReadResult read = ReadOnce(path, bytes, limit, error);
    if (read != ReadResult::kFailed || !IsShortLock(error) || GetTickCount64() >= until) return read;
    Sleep(kPause);
  }
}

namespace {

// A new, empty file beside `target` under a name no one else has: created with CREATE_NEW,
// so that a file of the user's (say "shot.bmp.new") is never opened, let alone overwritten.
UniqueHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary, DWORD attributes) {
  const auto slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : target.substr(0, slash);
  static unsigned counter = 0;
  const unsigned seed = GetCurrentProcessId() * 2654435761u ^ static_cast<unsigned>(GetTickCount64());
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t name[32];
    swprintf(name, 32, L"~mirel-%08x.tmp", seed + 0x9E3779B9u * ++counter);
    temporary = LongPath(folder + L"\\" + name);
    auto file =
        AdoptFileHandle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  temporary.clear();
  return {};
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, piece, &wrote, nullptr) || wrote != piece) return false;
    done += wrote;
  }
  return FlushFileBuffers(file) != 0;
}

// How many names the file has: more than one when it is hard-linked (a package manager
// such as Scoop keeps the user's files that way, one name in the program's folder and one
// in its own store). 1 when it cannot be told.
DWORD LinkCount(const std::wstring& path) {
  auto file = AdoptFileHandle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!file || !GetFileInformationByHandle(file.get(), &information)) return 1;
  return information.nNumberOfLinks;
}

bool WriteAt(HANDLE file, const std::string& bytes) {
  LARGE_INTEGER start{};
  return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, bytes) && SetEndOfFile(file);
}

// A new name over a hard-linked file would part it from its other names, which would go on
// showing the old content. Its content is written in place instead: the room for the new
// content taken first (a full disk says so before a byte changes), and the old content
// written back when a write fails after all.
bool ReplaceInPlace(const std::wstring& path, const std::string& bytes) {
  std::string old;
  if (ReadWholeFile(path, old) != ReadResult::kOk) return false;
  auto file = AdoptFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER room{};
  room.QuadPart = static_cast<LONGLONG>(std::max(old.size(), bytes.size()));
  if (!SetFilePointerEx(file.get(), room, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
    room.QuadPart = static_cast<LONGLONG>(old.size());
    SetFilePointerEx(file.get(), room, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    return false;
  }
  if (WriteAt(file.get(), bytes)) return true;
  WriteAt(file.get(), old);
  return false;
}

}  // namespace

bool ReplaceFileContents(const std::wstring& target, const std::string& bytes) {
  const std::wstring path = LongPath(target);
  // A file the user made read-only is not replaced (Windows refuses that too; Wine would not).
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  if (attributes != INVALID_FILE_ATTRIBUTES && LinkCount(path) > 1) return ReplaceInPlace(path, bytes);
  // The new file has the old one's attributes from its first moment: a list the user hid
  // stays hidden.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  const DWORD keep = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kKept;
  std::wstring temporary;
  auto file = CreateTemporaryBeside(path, temporary, keep ? keep : FILE_ATTRIBUTE_NORMAL);
  if (!file) return false;
  const bool written = WriteAll(file.get(), bytes);
  file.reset();
  if (!written || !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    // A temporary file made hidden or system is still deleted.
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::wstring CurrentFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  if (length >= folder.size()) {  // a long current folder: the call said how much it needs
    folder.resize(length);
    length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  }
  folder.resize(length < folder.size() ? length : 0);
  return folder;
}

}  // namespace mirel
