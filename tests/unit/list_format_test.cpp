#include "core/list_format.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace mirel {
namespace {

TEST(SplitListLines, LineEndsOfEveryKind) {
  EXPECT_EQ(SplitListLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitListLines("a\rb\rc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitListLines("a\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitListLines("last without end"), (std::vector<std::string>{"last without end"}));
  EXPECT_TRUE(SplitListLines("").empty());
}

TEST(SplitListLines, KeepsEmptyLinesButAddsNoneAtTheEnd) {
  EXPECT_EQ(SplitListLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitListLines("\r\n"), (std::vector<std::string>{""}));
  // CR LF split across a CR, then CR LF: one empty line between.
  EXPECT_EQ(SplitListLines("a\r\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(SplitListLines, PassesCodePage932BytesThroughUnchanged) {
  // "C:\画像\表.bmp" in code page 932; 0x95 0x5C has a trail byte equal to '\'.
  const std::string path = "C:\\\x89\xe6\x91\x9c\\\x95\x5c.bmp";
  const auto lines = SplitListLines(path + "\r\n" + path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], path);
  EXPECT_EQ(lines[1], path);
  EXPECT_EQ(JoinListLines(lines), path + "\r\n" + path + "\r\n");
}

TEST(ListEncoding, AByteOrderMarkSaysUtf8AndOnlyWellFormedUtf8Passes) {
  EXPECT_EQ(ListEncodingOf("\xEF\xBB\xBF"
                           "C:\\a.bmp"),
            ListEncoding::kUtf8);
  EXPECT_EQ(ListEncodingOf("C:\\\x89\xe6.bmp"), ListEncoding::kAnsi);
  EXPECT_EQ(ListEncodingOf("\xEF\xBB"), ListEncoding::kAnsi);
  EXPECT_TRUE(IsValidUtf8("C:\\\xE7\x94\xBB\xE5\x83\x8F.bmp \xF0\x9F\x98\x80"));  // 画像, an emoji
  for (const char* broken : {"\x89\xe6", "\xE7\x94", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                             "\xBF", "\xF8\x88\x80\x80\x80"})
    EXPECT_FALSE(IsValidUtf8(broken)) << broken;
}

TEST(JoinListLines, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinListLines({}), "");
  EXPECT_EQ(JoinListLines({"a", "b"}), "a\r\nb\r\n");
  EXPECT_EQ(SplitListLines(JoinListLines({"x", "y", "z"})), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(BuildDummyList, KeepsUsableLinesInOrder) {
  const std::set<std::string> existing{"one", "three"};
  const std::function<bool(const std::string&)> usable = [&](const std::string& p) { return existing.count(p) > 0; };
  EXPECT_EQ(BuildDummyList<std::string>({"one", "two", "three"}, usable), (std::vector<std::string>{"one", "three"}));
}

TEST(BuildDummyList, NothingUsableGivesTwoEmptyStrings) {
  const std::function<bool(const std::string&)> none = [](const std::string&) { return false; };
  const std::function<bool(const std::string&)> all = [](const std::string&) { return true; };
  EXPECT_EQ(BuildDummyList<std::string>({}, all), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(BuildDummyList<std::string>({"a", "b"}, none), (std::vector<std::string>{"", ""}));
  // Empty lines are never usable, whatever the test says.
  EXPECT_EQ(BuildDummyList<std::string>({"", ""}, all), (std::vector<std::string>{"", ""}));
}

TEST(BuildDummyList, StopsAtTheLargestCount) {
  std::vector<std::string> lines(kMaxDummyEntries + 10, "p");
  lines.back() = "last";
  const std::function<bool(const std::string&)> all = [](const std::string&) { return true; };
  const auto list = BuildDummyList(lines, all);
  EXPECT_EQ(list.size(), kMaxDummyEntries);
  EXPECT_EQ(list.back(), "p");
}

TEST(VolumeRoot, DriveShareAndExtendedForms) {
  EXPECT_EQ(VolumeRoot(L"D:\\pictures\\a.bmp"), L"D:\\");
  EXPECT_EQ(VolumeRoot(L"d:a.bmp"), L"d:\\");
  EXPECT_EQ(VolumeRoot(L"\\\\server\\share\\pictures\\a.bmp"), L"\\\\server\\share\\");
  EXPECT_EQ(VolumeRoot(L"//server/share/a.bmp"), L"//server/share\\");
  EXPECT_EQ(VolumeRoot(L"\\\\?\\D:\\a.bmp"), L"\\\\?\\D:\\");
  EXPECT_EQ(VolumeRoot(L"\\\\?\\UNC\\server\\share\\a.bmp"), L"\\\\?\\UNC\\server\\share\\");
  // The system reads the extended share form in any case: so does the list.
  EXPECT_EQ(VolumeRoot(L"\\\\?\\unc\\server\\share\\a.bmp"), L"\\\\?\\unc\\server\\share\\");
  EXPECT_TRUE(SameVolume(L"\\\\?\\unc\\SERVER\\share\\", L"\\\\server\\Share"));
  EXPECT_TRUE(SameVolume(L"\\\\?\\c:\\", L"C:\\"));
  EXPECT_FALSE(SameVolume(L"C:\\", L"D:\\"));
  // Nothing that names a volume: the caller takes the current drive.
  EXPECT_EQ(VolumeRoot(L"a.bmp"), L"");
  EXPECT_EQ(VolumeRoot(L"\\pictures\\a.bmp"), L"");
  EXPECT_EQ(VolumeRoot(L"\\\\server"), L"");
  EXPECT_EQ(VolumeRoot(L"\\\\\\share\\a.bmp"), L"");
}

// A file system whose volumes answer or not, counting what it is asked.
class CountingFiles final : public ListFileSystem {
 public:
  std::set<std::wstring> away, existing;
  std::map<std::wstring, std::wstring> mounts;  // folder -> mount point
  std::map<std::wstring, int> asked;            // volume -> times asked
  int usableAsked = 0, mountsAsked = 0;
  bool Answers(const std::wstring& root) override {
    ++asked[root];
    return away.count(root) == 0;
  }
  std::wstring MountPointOf(const std::wstring& folder) override {
    ++mountsAsked;
    const auto found = mounts.find(folder);
    return found == mounts.end() ? std::wstring() : found->second;
  }
  bool Usable(const std::wstring& path) override {
    ++usableAsked;
    return existing.count(path) > 0;
  }
};

TEST(SortListPaths, AVolumeThatDoesNotAnswerIsAskedOnceAndItsPathsNever) {
  CountingFiles files;
  files.away = {L"\\\\server\\share\\", L"C:\\Mount\\Stick\\"};
  files.existing = {L"C:\\p\\a.bmp", L"C:\\p\\c.bmp"};
  // A stick mounted in a folder is its own volume, whatever the drive says.
  files.mounts = {{L"C:\\Mount\\Stick\\", L"C:\\Mount\\Stick\\"}, {L"C:\\p\\", L"C:\\"}};
  const std::vector<std::wstring> paths{L"C:\\p\\a.bmp",
                                        L"\\\\server\\share\\1.bmp",
                                        L"",
                                        L"C:\\p\\deleted.bmp",
                                        L"\\\\SERVER\\share\\2.bmp",
                                        L"\\\\?\\unc\\server\\share\\3.bmp",
                                        L"C:\\Mount\\Stick\\x.bmp",
                                        L"C:\\p\\c.bmp"};
  const SortedPaths sorted = SortListPaths(paths, files);
  EXPECT_EQ(sorted.usable, (std::vector<std::size_t>{0, 7}));
  EXPECT_EQ(sorted.offline, (std::vector<std::size_t>{1, 4, 5, 6}));  // 3 was deleted
  // Once for the share in its three spellings, once for the drive, once for the stick; one
  // mount look-up a folder; no existence question for a path on a volume that is away.
  EXPECT_EQ(files.asked.size(), 3u);
  EXPECT_EQ(files.asked[L"\\\\server\\share\\"], 1);
  EXPECT_EQ(files.asked[L"C:\\"], 1);
  EXPECT_EQ(files.asked[L"C:\\Mount\\Stick\\"], 1);
  EXPECT_EQ(files.mountsAsked, 2);
  EXPECT_EQ(files.usableAsked, 3);
}

}  // namespace
}  // namespace mirel
