#include "core/bitmap_name.h"

#include <gtest/gtest.h>

namespace mirel {
namespace {

TEST(HasBitmapExtension, LastFourCharactersLowerCased) {
  EXPECT_TRUE(HasBitmapExtension(L"C:\\a.bmp"));
  EXPECT_TRUE(HasBitmapExtension(L"C:\\A.BMP"));
  EXPECT_TRUE(HasBitmapExtension(L".Bmp"));
  EXPECT_FALSE(HasBitmapExtension(L"C:\\a.bmp.txt"));
  EXPECT_FALSE(HasBitmapExtension(L"C:\\a.png"));
  EXPECT_FALSE(HasBitmapExtension(L"bmp"));
  EXPECT_FALSE(HasBitmapExtension(L""));
}

TEST(BitmapFilter, OneEntryDoubleNulTerminated) {
  const std::wstring filter = BitmapFilter();
  const std::wstring expected = std::wstring(L"ビットマップ(*.bmp)") + L'\0' + L"*.bmp" + L'\0' + L'\0';
  EXPECT_EQ(filter, expected);
}

}  // namespace
}  // namespace mirel
