// MIREL.DAT beside the executable and the working copy built from it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mirel {

using DummyList = std::vector<std::wstring>;

std::wstring DummyListPath(const std::wstring& exeFolder);

// The working copy: the lines naming an existing file, or the two-empty-strings form.
DummyList LoadDummyList(const std::wstring& listPath);

// The usable lines alone (what a list editor shows); empty when there are none.
std::vector<std::wstring> ReadUsableEntries(const std::wstring& listPath);

// The list file is read up to this size: 32767 lines of 512 bytes, far more than the
// paths of a full list take. A larger file is not one Mirel wrote; it is read in part and
// never rewritten.
inline constexpr std::size_t kMaxListFileBytes = 16u << 20;

// kFull: the working list already holds as many entries as it can show.
// kTooLarge: the file is larger than Mirel reads, and is left alone.
enum class ListWrite { kOk, kWriteFailed, kUnrepresentable, kFull, kTooLarge };

struct ListWriteResult {
  ListWrite status = ListWrite::kOk;
  std::wstring offendingPath;  // the entry that could not be stored (kUnrepresentable)
};

// Replaces the file with the usable entries; `list` becomes the rebuilt working copy. An
// entry the system code page cannot hold is left out and reported (kUnrepresentable,
// the rest written). When the file cannot be written (kWriteFailed, kTooLarge) the file
// and `list` are left exactly as they were. `list` keeps the start-up limit of entries.
ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list);

// Adds one entry at the end of the file and of `list` (replacing the empty form); on
// failure neither changes.
ListWriteResult AppendDummyList(const std::wstring& listPath, const std::wstring& entry, DummyList& list);

// The Japanese warning for a failed write, naming the file or the entry.
std::wstring ListWriteWarning(const std::wstring& listPath, const ListWriteResult& result);

}  // namespace mirel
