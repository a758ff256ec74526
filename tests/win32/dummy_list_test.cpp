// MIREL.DAT with real files in code page 932.
#include "settings/dummy_list.h"

#include <gtest/gtest.h>

#include <cctype>
#include <thread>

#include "core/list_format.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "test_support.h"

namespace mirel {
namespace {

using test::ReadBytes;
using test::WriteBitmap;
using test::WriteBytes;

const DummyList kEmpty{L"", L""};

std::string AnsiOf(const wchar_t* text) {
  return WideToAnsiExact(text).value_or("?");
}

TEST(DummyList, MissingEmptyOrUnusableFileGivesTwoEmptyStrings) {
  test::ScratchFolder dir;
  const auto list = dir / L"MIREL.DAT";
  EXPECT_EQ(LoadDummyList(list), kEmpty);
  WriteBytes(list, "");
  EXPECT_EQ(LoadDummyList(list), kEmpty);
  WriteBytes(list, "C:\\no\\such.bmp\r\n\r\n");
  EXPECT_EQ(LoadDummyList(list), kEmpty);
}

TEST(DummyList, SkipsLinesNamingMissingFilesAndKeepsThemInTheFile) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, RGB(1, 2, 3));
  WriteBitmap(dir / L"c.bmp", 2, 2, RGB(1, 2, 3));
  const auto ansi = [&](const wchar_t* name) { return *WideToAnsiExact(dir / name); };
  const std::string content =
      ansi(L"a.bmp") + "\r\n" + ansi(L"b.bmp") + "\r\n" + ansi(L"c.bmp");  // no CR LF at the end
  WriteBytes(dir / L"MIREL.DAT", content);
  EXPECT_EQ(LoadDummyList(dir / L"MIREL.DAT"), (DummyList{dir / L"a.bmp", dir / L"c.bmp"}));
  EXPECT_EQ(ReadBytes(dir / L"MIREL.DAT"), content);
}

TEST(DummyList, FoldersAndHiddenFilesAreNotUsable) {
  test::ScratchFolder dir;
  CreateDirectoryW((dir / L"folder.bmp").c_str(), nullptr);
  WriteBitmap(dir / L"hidden.bmp", 2, 2, 0);
  SetFileAttributesW((dir / L"hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteBytes(dir / L"MIREL.DAT",
             *WideToAnsiExact(dir / L"folder.bmp") + "\r\n" + *WideToAnsiExact(dir / L"hidden.bmp") + "\r\n");
  EXPECT_EQ(LoadDummyList(dir / L"MIREL.DAT"), kEmpty);
}

TEST(DummyList, AHiddenOrSystemListIsReadAndStaysHiddenWhenRewritten) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  WriteBitmap(dir / L"b.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  WriteBytes(path, *WideToAnsiExact(dir / L"a.bmp") + "\r\n");
  constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), kHidden));
  ASSERT_EQ(GetFileAttributesW(path.c_str()) & kHidden, kHidden);
  EXPECT_EQ(LoadDummyList(path), DummyList{dir / L"a.bmp"});
  const DummyListFile file = ReadDummyListFile(path);
  EXPECT_EQ(file.status, ListRead::kOk);
  EXPECT_EQ(file.usable, std::vector<std::wstring>{dir / L"a.bmp"});
  DummyList list = kEmpty;
  ASSERT_EQ(RewriteDummyList(path, {dir / L"a.bmp", dir / L"b.bmp"}, list).status, ListWrite::kOk);
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & kHidden, kHidden);
  ASSERT_EQ(AppendDummyList(path, dir / L"a.bmp", list).status, ListWrite::kOk);
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & kHidden, kHidden);
  EXPECT_EQ(LoadDummyList(path).size(), 3u);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DummyList, AHardLinkedListKeepsItsLinksAndEveryNameSeesTheNewList) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  const auto kept = dir / L"persisted.dat";  // where a package manager keeps it across updates
  WriteBytes(kept, "old line that is longer than the new list\r\n");
  ASSERT_TRUE(CreateHardLinkW(path.c_str(), kept.c_str(), nullptr));
  DummyList list = kEmpty;
  ASSERT_EQ(RewriteDummyList(path, {dir / L"a.bmp"}, list).status, ListWrite::kOk);
  const std::string written = *WideToAnsiExact(dir / L"a.bmp") + "\r\n";
  EXPECT_EQ(ReadBytes(path), written);
  EXPECT_EQ(ReadBytes(kept), written);
  ASSERT_EQ(AppendDummyList(path, dir / L"a.bmp", list).status, ListWrite::kOk);
  EXPECT_EQ(ReadBytes(kept), written + written);
  // Held by another program: neither name changes.
  auto locked = AdoptFileHandle(CreateFileW(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(locked);
  EXPECT_EQ(RewriteDummyList(path, {}, list).status, ListWrite::kWriteFailed);
  locked.reset();
  EXPECT_EQ(ReadBytes(path), written + written);
  // Still one file under two names.
  WriteBytes(kept, "x");
  EXPECT_EQ(ReadBytes(path), "x");
}

TEST(DummyList, JapanesePathRoundTripsInCodePage932) {
  test::ScratchFolder dir;
  const std::wstring picture = dir / test::Cp932("\x89\xe6\x91\x9c\x95\x5c.bmp");  // 画像表.bmp
  WriteBitmap(picture, 2, 2, 0);
  DummyList list = kEmpty;
  const auto result = RewriteDummyList(dir / L"MIREL.DAT", {picture}, list);
  ASSERT_EQ(result.status, ListWrite::kOk);
  EXPECT_EQ(list, DummyList{picture});
  EXPECT_EQ(ReadBytes(dir / L"MIREL.DAT"), *WideToAnsiExact(picture) + "\r\n");
  EXPECT_NE(ReadBytes(dir / L"MIREL.DAT").find("\x89\xe6\x91\x9c\x95\x5c.bmp\r\n"), std::string::npos);
  EXPECT_EQ(LoadDummyList(dir / L"MIREL.DAT"), DummyList{picture});
}

TEST(DummyList, RewriteDropsUnusableEntriesAndEmptyListLeavesZeroBytes) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  DummyList list = kEmpty;
  ASSERT_EQ(RewriteDummyList(dir / L"MIREL.DAT", {dir / L"gone.bmp", dir / L"a.bmp"}, list).status, ListWrite::kOk);
  EXPECT_EQ(list, DummyList{dir / L"a.bmp"});
  ASSERT_EQ(RewriteDummyList(dir / L"MIREL.DAT", {}, list).status, ListWrite::kOk);
  EXPECT_EQ(list, kEmpty);
  EXPECT_EQ(ReadBytes(dir / L"MIREL.DAT"), "");
}

TEST(DummyList, FailedRewriteKeepsFileAndList) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  WriteBitmap(dir / L"b.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  DummyList list = kEmpty;
  ASSERT_EQ(RewriteDummyList(path, {dir / L"a.bmp"}, list).status, ListWrite::kOk);
  const std::string before = ReadBytes(path);
  {
    // Another program holds the list open and shares nothing: it cannot be replaced.
    auto locked = AdoptFileHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    const auto result = RewriteDummyList(path, {dir / L"b.bmp"}, list);
    EXPECT_EQ(result.status, ListWrite::kWriteFailed);
    EXPECT_EQ(list, DummyList{dir / L"a.bmp"});
    EXPECT_NE(ListWriteWarning(path, result).find(path), std::wstring::npos);
    EXPECT_EQ(AppendDummyList(path, dir / L"b.bmp", list).status, ListWrite::kWriteFailed);
    EXPECT_EQ(list, DummyList{dir / L"a.bmp"});
  }
  EXPECT_EQ(ReadBytes(path), before);
  // A read-only file of the user's under the name a temporary file once had stays as it
  // is, and the list is replaced beside it; no temporary file is left, failed or not.
  WriteBytes(path + L".new", "mine");
  SetFileAttributesW((path + L".new").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(RewriteDummyList(path, {dir / L"b.bmp"}, list).status, ListWrite::kOk);
  SetFileAttributesW((path + L".new").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(path + L".new"), "mine");
  EXPECT_EQ(list, DummyList{dir / L"b.bmp"});
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((dir / L"~mirel*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << AnsiOf(found.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST(DummyList, AShortLockIsWaitedOutAndALongOneIsToldApartFromAMissingFile) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  WriteBytes(path, *WideToAnsiExact(dir / L"a.bmp") + "\r\n");
  ListRead status = ListRead::kOk;
  LoadDummyList(dir / L"none.dat", &status);
  EXPECT_EQ(status, ListRead::kMissing);
  auto locked = AdoptFileHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(locked);
  // Held throughout: not read, and not taken for an empty list.
  EXPECT_EQ(LoadDummyList(path, &status), kEmpty);
  EXPECT_EQ(status, ListRead::kUnreadable);
  EXPECT_EQ(ReadDummyListFile(path).status, ListRead::kUnreadable);
  // Let go after a moment (a virus scanner's look): the read waits for it.
  std::thread release([&] {
    Sleep(300);
    locked.reset();
  });
  EXPECT_EQ(LoadDummyList(path, &status), DummyList{dir / L"a.bmp"});
  release.join();
  EXPECT_EQ(status, ListRead::kOk);
}

TEST(DummyList, ALineKeptForADriveThatIsNotThereIsNeverWrittenTwice) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  // Its drive came back and the user added the picture again (in other letter case).
  const std::string a = *WideToAnsiExact(dir / L"a.bmp");
  std::string upper = a;
  for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  DummyList list = kEmpty;
  ASSERT_EQ(RewriteDummyList(path, {dir / L"a.bmp"}, list, {ListEncoding::kAnsi, {upper, "Q:\\x.bmp"}}).status,
            ListWrite::kOk);
  EXPECT_EQ(ReadBytes(path), a + "\r\nQ:\\x.bmp\r\n");
  EXPECT_EQ(list, DummyList{dir / L"a.bmp"});  // the one not there is never covered with
  // A drive that went away while the dialog was open: its entries are kept as well, after
  // the others, and once.
  ASSERT_EQ(
      RewriteDummyList(path, {L"R:\\y.bmp", dir / L"a.bmp", L"Q:\\x.bmp"}, list, {ListEncoding::kAnsi, {"Q:\\x.bmp"}})
          .status,
      ListWrite::kOk);
  EXPECT_EQ(ReadBytes(path), a + "\r\nR:\\y.bmp\r\nQ:\\x.bmp\r\n");
  EXPECT_EQ(list, DummyList{dir / L"a.bmp"});
}

TEST(DummyList, AppendCreatesTheFileAndNeverJoinsLines) {
  test::ScratchFolder dir;
  const auto path = dir / L"MIREL.DAT";
  DummyList list = kEmpty;
  ASSERT_EQ(AppendDummyList(path, dir / L"CAPT000.BMP", list).status, ListWrite::kOk);
  EXPECT_EQ(ReadBytes(path), *WideToAnsiExact(dir / L"CAPT000.BMP") + "\r\n");
  // The first entry replaces the empty form: the working copy is what the file holds.
  EXPECT_EQ(list, DummyList{dir / L"CAPT000.BMP"});

  WriteBytes(path, "C:\\x.bmp");  // a last line without its line end
  ASSERT_EQ(AppendDummyList(path, L"C:\\y.bmp", list).status, ListWrite::kOk);
  EXPECT_EQ(ReadBytes(path), "C:\\x.bmp\r\nC:\\y.bmp\r\n");
}

TEST(DummyList, APathOutsideTheCodePageTurnsTheFileToUtf8AndABrokenOneIsLeftAlone) {
  test::ScratchFolder dir;
  const std::wstring foreign = dir / L"\u0100\u0101.bmp";                   // no code page 932 form
  const std::wstring japanese = dir / test::Cp932("\x89\xe6\x91\x9c.bmp");  // 画像.bmp
  WriteBitmap(foreign, 2, 2, 0);
  WriteBitmap(japanese, 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  const std::string ansi = *WideToAnsiExact(japanese) + "\r\n";
  const std::string utf8 = std::string(kUtf8Bom) + WideToUtf8(japanese) + "\r\n" + WideToUtf8(foreign) + "\r\n";
  // Paths the code page holds keep the file as every Mirel wrote it, byte for byte.
  DummyList list = kEmpty;
  auto result = RewriteDummyList(path, {japanese}, list);
  ASSERT_EQ(result.status, ListWrite::kOk);
  EXPECT_FALSE(result.nowUtf8);
  EXPECT_EQ(ReadBytes(path), ansi);
  // The first that it cannot hold, appended or written: UTF-8 behind a byte-order mark,
  // the line before it carried over, said once.
  result = AppendDummyList(path, foreign, list);
  ASSERT_EQ(result.status, ListWrite::kOk);
  EXPECT_TRUE(result.nowUtf8);
  EXPECT_EQ(ReadBytes(path), utf8);
  EXPECT_EQ(list, (DummyList{japanese, foreign}));
  EXPECT_EQ(LoadDummyList(path), (DummyList{japanese, foreign}));
  WriteBytes(path, ansi);
  result = RewriteDummyList(path, {japanese, foreign}, list);
  EXPECT_TRUE(result.nowUtf8);
  EXPECT_EQ(ReadBytes(path), utf8);
  // UTF-8 stays UTF-8, and an entry stored in the other encoding is still the same picture.
  result = RewriteDummyList(path, {japanese}, list, {ListEncoding::kAnsi, {*WideToAnsiExact(japanese), "Q:\\x.bmp"}});
  EXPECT_FALSE(result.nowUtf8);
  EXPECT_EQ(ReadBytes(path), std::string(kUtf8Bom) + WideToUtf8(japanese) + "\r\nQ:\\x.bmp\r\n");
  // A byte-order mark over bytes that are not UTF-8: unreadable, and never written.
  const std::string broken = std::string(kUtf8Bom) + "C:\\\x89\xe6.bmp\r\n";
  WriteBytes(path, broken);
  ListRead status = ListRead::kOk;
  EXPECT_EQ(LoadDummyList(path, &status), kEmpty);
  EXPECT_EQ(status, ListRead::kUnreadable);
  EXPECT_EQ(ReadDummyListFile(path).status, ListRead::kUnreadable);
  EXPECT_EQ(AppendDummyList(path, japanese, list).status, ListWrite::kUnreadable);
  EXPECT_EQ(ReadBytes(path), broken);
}

TEST(DummyList, AbusedListFilesNeverCrashAndNeverLoseALine) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  const std::string good = *WideToAnsiExact(dir / L"a.bmp");
  // Lines of 100,000 characters, NUL bytes, broken code page 932 sequences: read without
  // harm, the usable line kept.
  WriteBytes(path,
             std::string(100000, 'x') + "\r\n" + std::string("a\0b\r\n\x81\r\n\xff\xfe\x80\r\n", 12) + good + "\r\n");
  EXPECT_EQ(LoadDummyList(path), DummyList{dir / L"a.bmp"});
  // 100 MB of random bytes: the first 16 MB are read, the file is never rewritten.
  std::string noise(100u << 20, '\0');
  std::uint32_t state = 12345;
  for (auto& c : noise) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  WriteBytes(path, noise);
  const DummyList fromNoise = LoadDummyList(path);
  EXPECT_LE(fromNoise.size(), kMaxDummyEntries);
  DummyList list = kEmpty;
  EXPECT_EQ(AppendDummyList(path, dir / L"a.bmp", list).status, ListWrite::kTooLarge);
  EXPECT_EQ(RewriteDummyList(path, {dir / L"a.bmp"}, list).status, ListWrite::kTooLarge);
  EXPECT_EQ(list, kEmpty);
  EXPECT_EQ(FileLength(path), noise.size());
  EXPECT_NE(ListWriteWarning(path, {ListWrite::kTooLarge, {}}).find(path), std::wstring::npos);
  // A folder named MIREL.DAT: nothing to read, nothing written.
  const auto folderDir = dir / L"sub";
  CreateDirectoryW(folderDir.c_str(), nullptr);
  CreateDirectoryW((folderDir + L"\\MIREL.DAT").c_str(), nullptr);
  EXPECT_EQ(LoadDummyList(folderDir + L"\\MIREL.DAT"), kEmpty);
  EXPECT_EQ(AppendDummyList(folderDir + L"\\MIREL.DAT", dir / L"a.bmp", list).status, ListWrite::kWriteFailed);
  EXPECT_TRUE(IsDirectory(folderDir + L"\\MIREL.DAT"));
}

TEST(DummyList, TheEntryLimitHoldsForReadingRewritingAndAppending) {
  test::ScratchFolder dir;
  WriteBitmap(dir / L"a.bmp", 2, 2, 0);
  const auto path = dir / L"MIREL.DAT";
  const std::vector<std::wstring> entries(kMaxDummyEntries + 1, dir / L"a.bmp");
  DummyList list = kEmpty;
  // Every line is written; the working list holds what a list can show.
  ASSERT_EQ(RewriteDummyList(path, entries, list).status, ListWrite::kOk);
  EXPECT_EQ(list.size(), kMaxDummyEntries);
  EXPECT_EQ(LoadDummyList(path).size(), kMaxDummyEntries);
  const std::string before = ReadBytes(path);
  // A full list takes no more: the capture would be written and never shown.
  const auto result = AppendDummyList(path, dir / L"a.bmp", list);
  EXPECT_EQ(result.status, ListWrite::kFull);
  EXPECT_NE(ListWriteWarning(path, result).find(L"32767"), std::wstring::npos);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(list.size(), kMaxDummyEntries);
}

TEST(DummyList, PathsLongerThanMaxPathAreListedShownAndWritten) {
  test::ScratchFolder dir;
  std::wstring deep = dir.path();
  for (int i = 0; i < 6; ++i) {  // six folders of 60 characters: past 260 at the third
    deep += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + i));
    ASSERT_TRUE(CreateDirectoryW(LongPath(deep).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  const std::wstring picture = deep + L"\\long.bmp";
  ASSERT_GT(picture.size(), 400u);
  WriteBitmap(picture, 3, 2, RGB(9, 8, 7));
  EXPECT_TRUE(FileExistsNormal(picture));
  EXPECT_EQ(FileLength(picture), 54u + 2 * 12u);
  Picture loaded;
  ASSERT_EQ(LoadPicture(picture, loaded), PictureLoad::kOk);
  EXPECT_EQ(loaded.width(), 3);
  // Listed and read back: the line is not skipped for its length.
  DummyList list = kEmpty;
  ASSERT_EQ(RewriteDummyList(dir / L"MIREL.DAT", {picture}, list).status, ListWrite::kOk);
  EXPECT_EQ(LoadDummyList(dir / L"MIREL.DAT"), DummyList{picture});
  // A list file at such a depth is replaced like any other.
  ASSERT_EQ(RewriteDummyList(deep + L"\\MIREL.DAT", {picture, picture}, list).status, ListWrite::kOk);
  EXPECT_EQ(LoadDummyList(deep + L"\\MIREL.DAT").size(), 2u);
}

}  // namespace
}  // namespace mirel
