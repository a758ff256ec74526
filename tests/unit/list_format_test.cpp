#include "settings/list_format.h"

#include <gtest/gtest.h>

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
  // Nothing that names a volume: the caller takes the current drive.
  EXPECT_EQ(VolumeRoot(L"a.bmp"), L"");
  EXPECT_EQ(VolumeRoot(L"\\pictures\\a.bmp"), L"");
  EXPECT_EQ(VolumeRoot(L"\\\\server"), L"");
  EXPECT_EQ(VolumeRoot(L"\\\\\\share\\a.bmp"), L"");
}

}  // namespace
}  // namespace mirel
