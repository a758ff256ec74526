// MIREL.DAT beside the executable and the working copy built from it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/list_format.h"
#include "platform/files.h"

namespace mirel {

using DummyList = std::vector<std::wstring>;

std::wstring DummyListPath(const std::wstring& exeFolder);

// kUnreadable: the file is there but could not be read, even after waiting out a short
// lock. Such a list is never rewritten: what it holds is not known.
enum class ListRead { kOk, kMissing, kUnreadable };

// The working copy: the lines naming an existing file, or the two-empty-strings form.
// `status`, when given, tells a missing file from one that could not be read. `files`
// answers for the file system (the system's own when not given); a drive or share is
// asked once, and nothing more is asked of the lines on one that does not answer.
DummyList LoadDummyList(const std::wstring& listPath, ListRead* status = nullptr,
                        unsigned waitMilliseconds = kShortLockMilliseconds, ListFileSystem* files = nullptr);

// The working copy of these usable entries: the start-up limit applied, or the empty form.
DummyList WorkingDummyList(const std::vector<std::wstring>& usable);

// Lines of the file kept as they are stored, with the encoding they are stored in.
struct KeptLines {
  ListEncoding encoding = ListEncoding::kAnsi;
  std::vector<std::string> lines;
};

// What the file holds, sorted for a list editor.
struct DummyListFile {
  ListRead status = ListRead::kMissing;
  std::vector<std::wstring> usable;  // lines naming an existing picture file, in order
  // Lines on a drive or share that does not answer now (a USB stick unplugged, a server
  // offline), as stored: a rewrite keeps them, after the editor's entries.
  KeptLines offline;
};
DummyListFile ReadDummyListFile(const std::wstring& listPath, unsigned waitMilliseconds = kShortLockMilliseconds,
                                ListFileSystem* files = nullptr);

// The list file is read up to this size: 32767 lines of 512 bytes, far more than the
// paths of a full list take. A larger file is not one Mirel wrote; it is read in part and
// never rewritten.
inline constexpr std::size_t kMaxListFileBytes = 16u << 20;

// kFull: the working list already holds as many entries as it can show.
// kTooLarge: the file is larger than Mirel reads, and is left alone.
// kUnreadable: the file says it is UTF-8 and is not; it is left alone.
enum class ListWrite { kOk, kWriteFailed, kUnrepresentable, kFull, kTooLarge, kUnreadable };

struct ListWriteResult {
  ListWrite status = ListWrite::kOk;
  std::wstring offendingPath;  // the entry that could not be stored (kUnrepresentable)
  // The file was written in UTF-8 for the first time (a path the code page cannot hold):
  // Mirel versions before this one cannot read it, and the user is told so.
  bool nowUtf8 = false;
};

// Replaces the file with the usable entries, then the entries on a volume that does not
// answer now, then the `offline` lines that no entry repeats; `list` becomes the rebuilt
// working copy. The file stays in the ANSI code page while every path fits it, and is
// UTF-8 from the first that does not (nowUtf8). When the file cannot be written
// (kWriteFailed, kTooLarge) the file and `list` are left exactly as they were. `list`
// keeps the start-up limit of entries.
ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list, const KeptLines& offline = {}, ListFileSystem* files = nullptr);

// Why `entry` could not be appended, as far as that is known before anything is written
// (kUnrepresentable for an empty one, kFull, kTooLarge); kOk otherwise.
ListWriteResult AppendRefusal(const std::wstring& listPath, const std::wstring& entry, const DummyList& list);

// Adds one entry at the end of the file and of `list` (replacing the empty form); on
// failure neither changes. A path the code page cannot hold turns the file to UTF-8
// (nowUtf8); a file that says it is UTF-8 and is not is left alone (kUnreadable).
ListWriteResult AppendDummyList(const std::wstring& listPath, const std::wstring& entry, DummyList& list);

// What the user is told when the file is there but could not be read: at start-up, and
// in the options dialog, whose list page then cannot be edited. Each is followed by the
// file's path on a line of its own.

// What the user is told once, when the list goes over to UTF-8.

// The Japanese warning for a failed write, naming the file or the entry.
std::wstring ListWriteWarning(const std::wstring& listPath, const ListWriteResult& result);

}  // namespace mirel
