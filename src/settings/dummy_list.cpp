#include "settings/dummy_list.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/files.h"
#include "platform/text.h"
#include "settings/list_format.h"

namespace mirel {

namespace {

struct ListLines {
  ListRead status = ListRead::kMissing;
  std::vector<std::string> lines;  // as stored, in the system code page
};

// The lines of the list file, as far as a list can use them (see kMaxListFileBytes). A
// longer file gives its first part, without the line that part cuts in two.
ListLines ReadLines(const std::wstring& listPath, unsigned waitMilliseconds) {
  ListLines read;
  // A list the user hid, or that a sync tool marked as a system file, is the list all the
  // same; only a folder of that name is no list.
  if (IsDirectory(listPath)) return read;
  std::string bytes;
  const ReadResult result = ReadWholeFile(listPath, bytes, kMaxListFileBytes, waitMilliseconds);
  if (result == ReadResult::kMissing) return read;  // gone since it was seen
  if (result == ReadResult::kFailed) {
    read.status = ListRead::kUnreadable;
    return read;
  }
  if (result == ReadResult::kTooLarge) {
    const auto lastEnd = bytes.find_last_of("\r\n");
    bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  }
  read.status = ListRead::kOk;
  read.lines = SplitListLines(bytes);
  return read;
}

// A list file too large to have been read whole is never written: its lines beyond what
// was read would be lost.
bool TooLargeToRewrite(const std::wstring& listPath) {
  const auto length = FileLength(listPath);
  return length && *length > kMaxListFileBytes;
}

bool IsEmptyForm(const DummyList& list) {
  return list.size() == 2 && list[0].empty() && list[1].empty();
}

// The list's questions answered by the system.
class SystemListFiles final : public ListFileSystem {
 public:
  bool Answers(const std::wstring& root) override { return VolumeAnswers(root); }
  std::wstring MountPointOf(const std::wstring& folder) override { return VolumeMountPoint(folder); }
  bool Usable(const std::wstring& path) override { return FileExistsNormal(path); }
};

ListFileSystem& SystemFiles() {
  static SystemListFiles files;
  return files;
}

std::vector<std::wstring> WideLines(const std::vector<std::string>& lines) {
  std::vector<std::wstring> wide;
  wide.reserve(lines.size());
  for (const auto& line : lines) wide.push_back(AnsiToWide(line));
  return wide;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

std::wstring DummyListPath(const std::wstring& exeFolder) {
  return BesideExe(exeFolder, L"MIREL.DAT");
}

DummyList WorkingDummyList(const std::vector<std::wstring>& usable) {
  return BuildDummyList<std::wstring>(usable, [](const std::wstring&) { return true; });
}

DummyList LoadDummyList(const std::wstring& listPath, ListRead* status, unsigned waitMilliseconds,
                        ListFileSystem* files) {
  const DummyListFile file = ReadDummyListFile(listPath, waitMilliseconds, files);
  if (status) *status = file.status;
  return WorkingDummyList(file.usable);
}

DummyListFile ReadDummyListFile(const std::wstring& listPath, unsigned waitMilliseconds, ListFileSystem* files) {
  DummyListFile file;
  const ListLines read = ReadLines(listPath, waitMilliseconds);
  file.status = read.status;
  std::vector<std::wstring> paths = WideLines(read.lines);
  const SortedPaths sorted = SortListPaths(paths, files ? *files : SystemFiles());
  for (const auto i : sorted.usable) file.usable.push_back(std::move(paths[i]));
  // Their pictures may well still be there; a deleted one (neither) goes at the next rewrite.
  for (const auto i : sorted.offline) file.offline.push_back(read.lines[i]);
  return file;
}

ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list, const std::vector<std::string>& offline, ListFileSystem* files) {
  if (TooLargeToRewrite(listPath)) return {ListWrite::kTooLarge, {}};
  std::vector<std::string> lines;
  DummyList rebuilt;
  ListWriteResult result;
  // The rule of the dialog's opening holds at its OK too: a picture whose drive went away
  // meanwhile (a stick pulled, a share lost in sleep) is kept for the drive's return.
  const SortedPaths sorted = SortListPaths(entries, files ? *files : SystemFiles());
  for (const auto i : sorted.usable) {
    const std::wstring& entry = entries[i];
    const auto ansi = StorablePath(entry);
    if (!ansi) {  // left out and reported; the others are still saved
      if (result.status == ListWrite::kOk) result = {ListWrite::kUnrepresentable, entry};
      continue;
    }
    lines.push_back(*ansi);
    rebuilt.push_back(AnsiToWide(*ansi));
  }
  // The lines of a drive that is not there come last: the editor's own, then those it never
  // showed, each of these only when no entry repeats it (a picture added again from the
  // drive once it was back is not written twice).
  std::vector<std::wstring> written = rebuilt;
  for (const auto i : sorted.offline) {
    if (const auto ansi = StorablePath(entries[i])) {
      lines.push_back(*ansi);
      written.push_back(AnsiToWide(*ansi));
    }
  }
  for (const auto& line : offline) {
    const std::wstring path = AnsiToWide(line);
    if (std::none_of(written.begin(), written.end(), [&](const std::wstring& kept) { return SamePath(kept, path); }))
      lines.push_back(line);
  }
  if (!ReplaceFileContents(listPath, JoinListLines(lines))) return {ListWrite::kWriteFailed, {}};
  // The working list is built by the same rule as at start-up: what the file now holds.
  list = WorkingDummyList(rebuilt);
  return result;
}

ListWriteResult AppendRefusal(const std::wstring& listPath, const std::wstring& entry, const DummyList& list) {
  const auto ansi = StorablePath(entry);
  if (!ansi || ansi->empty()) return {ListWrite::kUnrepresentable, entry};
  // An entry past the limit would be written and never shown.
  if (!IsEmptyForm(list) && !DummyListHasRoom(list.size())) return {ListWrite::kFull, {}};
  if (TooLargeToRewrite(listPath)) return {ListWrite::kTooLarge, {}};
  return {};
}

ListWriteResult AppendDummyList(const std::wstring& listPath, const std::wstring& entry, DummyList& list) {
  if (const auto refusal = AppendRefusal(listPath, entry, list); refusal.status != ListWrite::kOk) return refusal;
  const std::string ansi = *StorablePath(entry);
  std::string bytes;
  const ReadResult read = ReadWholeFile(listPath, bytes, kMaxListFileBytes, kShortLockMilliseconds);
  if (read == ReadResult::kTooLarge) return {ListWrite::kTooLarge, {}};
  if (read == ReadResult::kFailed) return {ListWrite::kWriteFailed, {}};
  // A last line without its line end must not run into the new one.
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
  bytes += ansi;
  bytes += "\r\n";
  if (!ReplaceFileContents(listPath, bytes)) return {ListWrite::kWriteFailed, {}};
  // The first real entry replaces the empty form. Behind its two empty strings it would
  // leave two of every three covers without a picture.
  if (IsEmptyForm(list)) list.clear();
  list.push_back(AnsiToWide(ansi));
  return {};
}

std::wstring ListWriteWarning(const std::wstring& listPath, const ListWriteResult& result) {
  if (result.status == ListWrite::kUnrepresentable)
    return L"このパスはシステムの文字コードで保存できないため、ダミー画像リストに追加できません。\r\n" +
           result.offendingPath;
  if (result.status == ListWrite::kFull)
    return L"ダミー画像リストには " + std::to_wstring(kMaxDummyEntries) + L" 件までしか登録できません。";
  if (result.status == ListWrite::kTooLarge)
    return L"ダミー画像リストのファイルが大きすぎるため、書き込みませんでした。\r\n" + listPath;
  return L"ダミー画像リストのファイルに書き込めませんでした。\r\n" + listPath;
}

}  // namespace mirel
