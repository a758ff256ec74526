// MIREL.DAT beside the executable and the working copy built from it.
#pragma once

#include <string>
#include <vector>

namespace mirel {

using DummyList = std::vector<std::wstring>;

std::wstring DummyListPath(const std::wstring& exeFolder);

// The working copy: the lines naming an existing file, or the two-empty-strings form.
DummyList LoadDummyList(const std::wstring& listPath);

// The usable lines alone (what a list editor shows); empty when there are none.
std::vector<std::wstring> ReadUsableEntries(const std::wstring& listPath);

enum class ListWrite { kOk, kWriteFailed, kUnrepresentable };

struct ListWriteResult {
  ListWrite status = ListWrite::kOk;
  std::wstring offendingPath;  // the entry that could not be stored (kUnrepresentable)
};

// Replaces the file with the usable entries; `list` becomes the rebuilt working copy. An
// entry the system code page cannot hold is left out and reported (kUnrepresentable,
// the rest written). When the file cannot be written (kWriteFailed) the file and `list`
// are left exactly as they were.
ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list);

// Adds one entry at the end of the file and of `list` (replacing the empty form); on
// failure neither changes.
ListWriteResult AppendDummyList(const std::wstring& listPath, const std::wstring& entry, DummyList& list);

// The Japanese warning for a failed write, naming the file or the entry.
std::wstring ListWriteWarning(const std::wstring& listPath, const ListWriteResult& result);

}  // namespace mirel
