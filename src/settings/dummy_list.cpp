#include "settings/dummy_list.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "core/list_format.h"
#include "core/ui_text.h"
#include "platform/files.h"
#include "platform/text.h"

namespace mirel {

namespace {

struct ListLines {
  ListRead status = ListRead::kMissing;
  ListEncoding encoding = ListEncoding::kAnsi;
  std::vector<std::string> lines;  // as stored, without the byte-order mark
};

std::wstring Decode(const std::string& line, ListEncoding encoding) {
  return encoding == ListEncoding::kUtf8 ? Utf8ToWide(line) : AnsiToWide(line);
}

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
  read.encoding = ListEncodingOf(bytes);
  std::string_view text(bytes);
  if (read.encoding == ListEncoding::kUtf8) {
    text.remove_prefix(kUtf8Bom.size());
    // Said to be UTF-8 and not: what it holds is not known, so it is never rewritten.
    if (!IsValidUtf8(text)) {
      read.status = ListRead::kUnreadable;
      return read;
    }
  }
  read.status = ListRead::kOk;
  read.lines = SplitListLines(text);
  return read;
}

// The encoding of the list file as it is now: ANSI for a file that is not there.
ListEncoding EncodingOnDisk(const std::wstring& listPath) {
  std::string head;
  ReadWholeFile(listPath, head, kUtf8Bom.size(), kShortLockMilliseconds);
  return ListEncodingOf(head);
}

// A path as the list stores it in `encoding`; nothing when the code page cannot hold it.
std::optional<std::string> Encode(const std::wstring& path, ListEncoding encoding) {
  if (encoding == ListEncoding::kUtf8) return WideToUtf8(path);
  return WideToAnsiExact(path);
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

std::vector<std::wstring> WideLines(const ListLines& read) {
  std::vector<std::wstring> wide;
  wide.reserve(read.lines.size());
  for (const auto& line : read.lines) wide.push_back(Decode(line, read.encoding));
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
  std::vector<std::wstring> paths = WideLines(read);
  const SortedPaths sorted = SortListPaths(paths, files ? *files : SystemFiles());
  for (const auto i : sorted.usable) file.usable.push_back(std::move(paths[i]));
  // Their pictures may well still be there; a deleted one (neither) goes at the next rewrite.
  file.offline.encoding = read.encoding;
  for (const auto i : sorted.offline) file.offline.lines.push_back(read.lines[i]);
  return file;
}

ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list, const KeptLines& offline, ListFileSystem* files) {
  if (TooLargeToRewrite(listPath)) return {ListWrite::kTooLarge, {}};
  // The rule of the dialog's opening holds at its OK too: a picture whose drive went away
  // meanwhile (a stick pulled, a share lost in sleep) is kept for the drive's return.
  const SortedPaths sorted = SortListPaths(entries, files ? *files : SystemFiles());
  // A file stays in the code page as long as every path fits it; UTF-8 stays UTF-8.
  const ListEncoding before = EncodingOnDisk(listPath);
  const auto fits = [&](std::size_t i) { return WideToAnsiExact(entries[i]).has_value(); };
  const bool utf8 = before == ListEncoding::kUtf8 || offline.encoding == ListEncoding::kUtf8 ||
                    !std::all_of(sorted.usable.begin(), sorted.usable.end(), fits) ||
                    !std::all_of(sorted.offline.begin(), sorted.offline.end(), fits);
  const ListEncoding encoding = utf8 ? ListEncoding::kUtf8 : ListEncoding::kAnsi;
  std::vector<std::string> lines;
  DummyList rebuilt;
  for (const auto i : sorted.usable) {
    lines.push_back(*Encode(entries[i], encoding));
    rebuilt.push_back(entries[i]);
  }
  // The lines of a drive that is not there come last: the editor's own, then those it never
  // showed, each of these only when no entry repeats it (a picture added again from the
  // drive once it was back is not written twice). Compared as text, whatever each was
  // stored in.
  std::vector<std::wstring> written = rebuilt;
  for (const auto i : sorted.offline) {
    lines.push_back(*Encode(entries[i], encoding));
    written.push_back(entries[i]);
  }
  for (const auto& line : offline.lines) {
    const std::wstring path = Decode(line, offline.encoding);
    if (std::any_of(written.begin(), written.end(), [&](const std::wstring& kept) { return SamePath(kept, path); }))
      continue;
    // A line of another encoding than the file's now is carried over; one in the file's own
    // is kept byte for byte.
    lines.push_back(offline.encoding == encoding ? line : WideToUtf8(path));
  }
  std::string bytes = utf8 ? std::string(kUtf8Bom) : std::string();
  bytes += JoinListLines(lines);
  if (!ReplaceFileContents(listPath, bytes)) return {ListWrite::kWriteFailed, {}};
  // The working list is built by the same rule as at start-up: what the file now holds.
  list = WorkingDummyList(rebuilt);
  ListWriteResult result;
  result.nowUtf8 = utf8 && before == ListEncoding::kAnsi;
  return result;
}

ListWriteResult AppendRefusal(const std::wstring& listPath, const std::wstring& entry, const DummyList& list) {
  if (entry.empty()) return {ListWrite::kUnrepresentable, entry};
  // An entry past the limit would be written and never shown.
  if (!IsEmptyForm(list) && !DummyListHasRoom(list.size())) return {ListWrite::kFull, {}};
  if (TooLargeToRewrite(listPath)) return {ListWrite::kTooLarge, {}};
  return {};
}

ListWriteResult AppendDummyList(const std::wstring& listPath, const std::wstring& entry, DummyList& list) {
  if (auto refusal = AppendRefusal(listPath, entry, list); refusal.status != ListWrite::kOk) return refusal;
  std::string bytes;
  const ReadResult read = ReadWholeFile(listPath, bytes, kMaxListFileBytes, kShortLockMilliseconds);
  if (read == ReadResult::kTooLarge) return {ListWrite::kTooLarge, {}};
  if (read == ReadResult::kFailed) return {ListWrite::kWriteFailed, {}};
  ListWriteResult result;
  const ListEncoding encoding = ListEncodingOf(bytes);
  std::optional<std::string> line = Encode(entry, encoding);
  if (encoding == ListEncoding::kUtf8 && !IsValidUtf8(std::string_view(bytes).substr(kUtf8Bom.size())))
    return {ListWrite::kUnreadable, {}};
  if (!line) {
    // The first path the code page cannot hold: the file goes over to UTF-8, every line
    // of it carried over.
    std::vector<std::string> lines = SplitListLines(bytes);
    for (auto& kept : lines) kept = WideToUtf8(AnsiToWide(kept));
    bytes = std::string(kUtf8Bom) + JoinListLines(lines);
    line = WideToUtf8(entry);
    result.nowUtf8 = true;
  }
  // A last line without its line end must not run into the new one.
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r' && bytes != kUtf8Bom) bytes += "\r\n";
  bytes += *line;
  bytes += "\r\n";
  if (!ReplaceFileContents(listPath, bytes)) return {ListWrite::kWriteFailed, {}};
  // The first real entry replaces the empty form. Behind its two empty strings it would
  // leave two of every three covers without a picture.
  if (IsEmptyForm(list)) list.clear();
  list.push_back(entry);
  return result;
}

std::wstring ListWriteWarning(const std::wstring& listPath, const ListWriteResult& result) {
  if (result.status == ListWrite::kUnrepresentable)
    return UiText(Text::kListPathUnrepresentable) + (L"\r\n" + result.offendingPath);
  if (result.status == ListWrite::kFull) return UiText(Text::kListFull, std::to_wstring(kMaxDummyEntries));
  if (result.status == ListWrite::kTooLarge) return UiText(Text::kListTooLarge) + (L"\r\n" + listPath);
  if (result.status == ListWrite::kUnreadable) return UiText(Text::kListUnreadable) + (L"\r\n" + listPath);
  return UiText(Text::kListWriteFailed) + (L"\r\n" + listPath);
}

}  // namespace mirel
