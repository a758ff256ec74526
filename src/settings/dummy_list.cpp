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
  if (!FileExistsNormal(listPath)) return read;
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

DummyList LoadDummyList(const std::wstring& listPath, ListRead* status, unsigned waitMilliseconds) {
  const ListLines read = ReadLines(listPath, waitMilliseconds);
  if (status) *status = read.status;
  std::vector<std::wstring> lines;
  lines.reserve(read.lines.size());
  for (const auto& line : read.lines) lines.push_back(AnsiToWide(line));
  return BuildDummyList<std::wstring>(lines, [](const std::wstring& path) { return FileExistsNormal(path); });
}

DummyListFile ReadDummyListFile(const std::wstring& listPath) {
  DummyListFile file;
  const ListLines read = ReadLines(listPath, kShortLockMilliseconds);
  file.status = read.status;
  // Whether a drive or share answers is asked once a read: an offline server can take
  // seconds to say no.
  std::vector<std::pair<std::wstring, bool>> volumes;
  const auto volumeAnswers = [&](const std::wstring& root) {
    for (const auto& [known, answers] : volumes)
      if (SamePath(known, root)) return answers;
    const bool answers = VolumeAnswers(root);
    volumes.emplace_back(root, answers);
    return answers;
  };
  for (const auto& line : read.lines) {
    if (line.empty()) continue;
    const std::wstring path = AnsiToWide(line);
    if (FileExistsNormal(path)) {
      file.usable.push_back(path);
    } else if (const auto root = VolumeRoot(path); !root.empty() && !volumeAnswers(root)) {
      file.offline.push_back(line);  // its picture may well still be there
    }                                // otherwise the picture was deleted: the next rewrite drops it
  }
  return file;
}

ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list, const std::vector<std::string>& offline) {
  if (TooLargeToRewrite(listPath)) return {ListWrite::kTooLarge, {}};
  std::vector<std::string> lines;
  DummyList rebuilt;
  ListWriteResult result;
  for (const auto& entry : entries) {
    if (entry.empty() || !FileExistsNormal(entry)) continue;
    const auto ansi = StorablePath(entry);
    if (!ansi) {  // left out and reported; the others are still saved
      if (result.status == ListWrite::kOk) result = {ListWrite::kUnrepresentable, entry};
      continue;
    }
    lines.push_back(*ansi);
    rebuilt.push_back(AnsiToWide(*ansi));
  }
  // The lines of a drive that is not there come last, once: a picture added again from the
  // drive once it is back is not written twice.
  for (const auto& line : offline) {
    const std::wstring path = AnsiToWide(line);
    if (std::none_of(rebuilt.begin(), rebuilt.end(), [&](const std::wstring& kept) { return SamePath(kept, path); }))
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
