#include "settings/dummy_list.h"

#include <functional>

#include "platform/files.h"
#include "platform/text.h"
#include "settings/list_format.h"

namespace mirel {

namespace {

// The lines of the list file, as far as a list can use them (see kMaxListFileBytes). A
// longer file gives its first part, without the line that part cuts in two.
std::vector<std::wstring> ReadLines(const std::wstring& listPath) {
  std::vector<std::wstring> lines;
  if (!FileExistsNormal(listPath)) return lines;
  std::string bytes;
  const ReadResult read = ReadWholeFile(listPath, bytes, kMaxListFileBytes);
  if (read == ReadResult::kTooLarge) {
    const auto lastEnd = bytes.find_last_of("\r\n");
    bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  } else if (read != ReadResult::kOk) {
    return lines;
  }
  for (const auto& line : SplitListLines(bytes)) lines.push_back(AnsiToWide(line));
  return lines;
}

const std::function<bool(const std::wstring&)> kUsable = [](const std::wstring& path) {
  return FileExistsNormal(path);
};

// A list file too large to have been read whole is never written: its lines beyond what
// was read would be lost.
bool TooLargeToRewrite(const std::wstring& listPath) {
  const auto length = FileLength(listPath);
  return length && *length > kMaxListFileBytes;
}

bool IsEmptyForm(const DummyList& list) { return list.size() == 2 && list[0].empty() && list[1].empty(); }

}  // namespace

std::wstring DummyListPath(const std::wstring& exeFolder) { return BesideExe(exeFolder, L"MIREL.DAT"); }

DummyList LoadDummyList(const std::wstring& listPath) { return BuildDummyList(ReadLines(listPath), kUsable); }

std::vector<std::wstring> ReadUsableEntries(const std::wstring& listPath) {
  std::vector<std::wstring> usable;
  for (const auto& line : ReadLines(listPath))
    if (!line.empty() && FileExistsNormal(line)) usable.push_back(line);
  return usable;
}

ListWriteResult RewriteDummyList(const std::wstring& listPath, const std::vector<std::wstring>& entries,
                                 DummyList& list) {
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
  if (!ReplaceFileContents(listPath, JoinListLines(lines))) return {ListWrite::kWriteFailed, {}};
  // The working list is built by the same rule as at start-up: what the file now holds.
  list = BuildDummyList<std::wstring>(rebuilt, [](const std::wstring&) { return true; });
  return result;
}

ListWriteResult AppendDummyList(const std::wstring& listPath, const std::wstring& entry, DummyList& list) {
  const auto ansi = StorablePath(entry);
  if (!ansi || ansi->empty()) return {ListWrite::kUnrepresentable, entry};
  // An entry past the limit would be written and never shown.
  if (!IsEmptyForm(list) && !DummyListHasRoom(list.size())) return {ListWrite::kFull, {}};
  std::string bytes;
  const ReadResult read = ReadWholeFile(listPath, bytes, kMaxListFileBytes);
  if (read == ReadResult::kTooLarge) return {ListWrite::kTooLarge, {}};
  if (read == ReadResult::kFailed) return {ListWrite::kWriteFailed, {}};
  // A last line without its line end must not run into the new one.
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
  bytes += *ansi;
  bytes += "\r\n";
  if (!ReplaceFileContents(listPath, bytes)) return {ListWrite::kWriteFailed, {}};
  // The first real entry replaces the empty form. Behind its two empty strings it would
  // leave two of every three covers without a picture.
  if (IsEmptyForm(list)) list.clear();
  list.push_back(AnsiToWide(*ansi));
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
